#include "frame_fixture.h"

namespace {

TEST_F(FrameTest, RegionAndCountryItemsMarkOneRadioStoreTheChoiceAndChangeTheLabels)
{
    Open(2027);
    const COleDateTime goodFriday(2027, 3, 26, 0, 0, 0);
    EXPECT_TRUE(frame_->Action(ID_REGION_FIRST)->isChecked());
    EXPECT_EQ(View().GetHolidayLabel(goodFriday), "");

    EXPECT_TRUE(frame_->Dispatch(ID_REGION_FIRST + 1));
    EXPECT_TRUE(frame_->Action(ID_REGION_FIRST + 1)->isChecked());
    EXPECT_FALSE(frame_->Action(ID_REGION_FIRST)->isChecked());
    EXPECT_EQ(View().GetHolidayLabel(goodFriday), "Vendredi Saint");
    Open(2027); // as after a restart
    EXPECT_EQ(tamvel_->Settings.Region, model::Region::AlsaceMoselle);
    EXPECT_TRUE(frame_->Action(ID_REGION_FIRST + 1)->isChecked());

    // Another country: its days instead of France's, no school zones, no Pentecost Monday option.
    const auto &places = model::PlaceChoices();
    const int geneva =
        ID_PAYS_FIRST +
        static_cast<int>(std::find(places.begin(), places.end(), *model::PlaceFromCode("CH-GE")) - places.begin());
    EXPECT_TRUE(frame_->Dispatch(geneva));
    EXPECT_TRUE(frame_->Action(geneva)->isChecked());
    EXPECT_FALSE(frame_->Action(ID_REGION_FIRST + 1)->isChecked());
    EXPECT_EQ(View().GetHolidayLabel(COleDateTime(2027, 12, 31, 0, 0, 0)), "Restauration de la République");
    EXPECT_EQ(View().GetHolidayLabel(COleDateTime(2027, 7, 14, 0, 0, 0)), "");
    EXPECT_FALSE(frame_->Action(ID_VACANCES_ZONE_A)->isEnabled());
    EXPECT_EQ(frame_->Action(ID_VACANCES_ZONE_A)->text(), "Zone &A (écoles de France seulement)");
    EXPECT_FALSE(frame_->Action(ID_LUNDI_PENTECOTE)->isEnabled());
    Open(2027);
    EXPECT_EQ(model::PlaceCode(tamvel_->Settings.Pays), "CH-GE");
    EXPECT_TRUE(frame_->Action(geneva)->isChecked());

    // A French region brings France back, with its own.
    EXPECT_TRUE(frame_->Dispatch(ID_REGION_FIRST + 1));
    EXPECT_EQ(model::PlaceCode(tamvel_->Settings.Pays), "FR");
    EXPECT_EQ(View().GetHolidayLabel(goodFriday), "Vendredi Saint");
    EXPECT_TRUE(frame_->Action(ID_VACANCES_ZONE_A)->isEnabled());
    EXPECT_EQ(frame_->Action(ID_VACANCES_ZONE_A)->text(), "Zone &A");
}

TEST_F(FrameTest, PentecostMondayFollowsTheYearShown)
{
    Open(2004);
    QAction *pentecost = frame_->Action(ID_LUNDI_PENTECOTE);
    EXPECT_FALSE(pentecost->isEnabled());
    EXPECT_TRUE(pentecost->isChecked());
    Key(Qt::Key_PageDown);
    EXPECT_TRUE(pentecost->isEnabled());
    EXPECT_FALSE(pentecost->isChecked());
    pentecost->trigger();
    EXPECT_EQ(tamvel_->Document.LundiPentecote, 1);
    EXPECT_TRUE(pentecost->isChecked());
    // The option belongs to 2005: 2006 has its own.
    Key(Qt::Key_PageDown);
    EXPECT_FALSE(pentecost->isChecked());
    Key(Qt::Key_PageUp);
    EXPECT_TRUE(pentecost->isChecked());
}

TEST_F(FrameTest, ParticularDaysCommandEditsTheYearAndRedrawsOnOkOnly)
{
    Open(2025);
    ASSERT_TRUE(frame_->Dispatch(ID_FERIE_PARTICULIER));
    int redraws = 0;
    tamvel_->Document.UpdateAllViews = [&redraws] { ++redraws; };

    // Answers the modal editor once it runs: one day typed in, then OK or Cancel.
    auto answer = [](bool ok) {
        QTimer::singleShot(0, [ok] {
            auto *editor = qobject_cast<CEnterFerie *>(QApplication::activeModalWidget());
            ASSERT_NE(editor, nullptr);
            editor->RunDayDialog = [](CEnterJourFerie &day) {
                day.DateEdit()->setText(QStringLiteral("14/07"));
                day.LabelEdit()->setText(QStringLiteral("Fête"));
                day.OnOK();
                return day.result() == QDialog::Accepted;
            };
            editor->OnInsert();
            ok ? editor->OnOK() : editor->reject();
        });
    };
    answer(false);
    EXPECT_TRUE(frame_->Dispatch(ID_EDIT_FERIES));
    EXPECT_TRUE(tamvel_->Document.Dates.empty());
    EXPECT_EQ(redraws, 0);

    answer(true);
    EXPECT_TRUE(frame_->Dispatch(ID_EDIT_FERIES));
    EXPECT_EQ(tamvel_->Document.Libelles, std::vector<std::string>{"Fête"});
    EXPECT_EQ(redraws, 1);
}

} // namespace
