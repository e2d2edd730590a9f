#include "frame_fixture.h"

// Stands in for the desktop's browser.
class OpenedUrls : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void Open(const QUrl &url) { urls << url; }
};

namespace {

TEST_F(FrameTest, MenusHoldEveryItemInOrder)
{
    Open(2025);
    const QList<QAction *> menus = frame_->menuBar()->actions();
    const auto &expected = resources::MainMenu();
    ASSERT_EQ(menus.size(), static_cast<qsizetype>(expected.size()));
    QStringList titles;
    for (QAction *menu : menus)
        titles << menu->text();
    EXPECT_EQ(titles, (QStringList{"&Fichier", "&Edition", "&Affichage", "&Fenêtre", "&?"}));

    const QList<QAction *> file = menus[0]->menu()->actions();
    ASSERT_EQ(file.size(), 11);
    EXPECT_EQ(file[0]->text(), "&Nouvelle année\tCtrl+N");
    EXPECT_TRUE(file[1]->isSeparator());
    EXPECT_EQ(file[3]->text(), "&Imprimer...\tCtrl+P");
    EXPECT_EQ(file[3]->data().toInt(), ID_FILE_PRINT);
    EXPECT_EQ(file[4]->text(), "Aperçu a&vant impression");
    EXPECT_EQ(file[5]->text(), "C&onfiguration de l'impression...");
    EXPECT_EQ(file[6]->text(), "E&xporter en PDF...");
    EXPECT_EQ(file[6]->data().toInt(), ID_FILE_EXPORT_PDF);
    EXPECT_EQ(file[7]->text(), "Exporter pour l'i&mprimeur...");
    EXPECT_EQ(file[7]->data().toInt(), ID_FILE_EXPORT_PRINT_READY);
    EXPECT_EQ(file[8]->text(), "&Exporter en iCalendar...");
    EXPECT_TRUE(file[9]->isSeparator());
    EXPECT_EQ(file[10]->text(), "&Quitter");

    const QList<QAction *> display = menus[2]->menu()->actions();
    ASSERT_EQ(display.size(), 24);
    EXPECT_EQ(display[0]->text(), "Barre d'&outils");
    EXPECT_EQ(display[5]->text(), "Afficher le &lundi de Pentecôte");
    EXPECT_EQ(display[6]->data().toInt(), ID_FERIE_PARTICULIER);
    ASSERT_NE(display[7]->menu(), nullptr);
    EXPECT_EQ(display[7]->text(), "Pays et &région");
    QStringList regions;
    for (QAction *region : display[7]->menu()->actions())
        regions << (region->isSeparator() ? QStringLiteral("-") : region->text());
    EXPECT_EQ(regions,
              (QStringList{"&Métropole", "&Alsace-Moselle", "&Guadeloupe", "Mar&tinique", "G&uyane", "La &Réunion",
                           "Ma&yotte", "-", "&Belgique", "&Luxembourg", "M&onaco", "&Suisse", "&Canada"}));
    const QList<QAction *> cantons = display[7]->menu()->actions()[11]->menu()->actions();
    ASSERT_EQ(cantons.size(), 28);
    EXPECT_EQ(cantons[0]->text(), "Jours communs à tous les cantons");
    EXPECT_EQ(cantons[9]->text(), "Genève (GE)");
    ASSERT_NE(display[9]->menu(), nullptr);
    EXPECT_EQ(display[9]->text(), "&Almanach");
    const QList<QAction *> almanac = display[9]->menu()->actions();
    ASSERT_EQ(almanac.size(), 3);
    EXPECT_EQ(almanac[0]->text(), "&Fêtes à souhaiter");
    EXPECT_EQ(almanac[1]->data().toInt(), ID_LUNE_VISIBLE);
    EXPECT_TRUE(almanac[1]->isCheckable());
    ASSERT_NE(almanac[2]->menu(), nullptr);
    EXPECT_EQ(almanac[2]->text(), "&Vacances scolaires");
    QStringList school;
    for (QAction *item : almanac[2]->menu()->actions())
        school << (item->isSeparator() ? QStringLiteral("-") : item->text());
    EXPECT_EQ(school, (QStringList{"Zone &A", "Zone &B", "Zone &C", "-", "&Importer le calendrier scolaire..."}));
    EXPECT_TRUE(almanac[2]->menu()->actions()[2]->isCheckable());
    EXPECT_EQ(display[14]->data().toInt(), ID_HORIZONTAL_PHOTO);
    EXPECT_EQ(display[16]->text(), "Calendrier photo (une photo par &mois)");
    EXPECT_EQ(display[21]->text(), "Reca&drer les photos");
    EXPECT_EQ(display[23]->text(), "P&ublicité");
    EXPECT_EQ(display[23]->statusTip(), "Affiche la publicité en bas du Tamvel");

    const QList<QAction *> help = menus[4]->menu()->actions();
    EXPECT_EQ(help[0]->text(), "&A propos de Tamvel...");
    EXPECT_EQ(help[1]->text(), "Aide, mode d'emploi.");

    // Within a menu no two items share their underlined letter, but for Edition's two M items, which
    // keep the letters users know them by (Qt goes from one to the other on M).
    for (const QMenu *menu : {menus[0]->menu(), menus[1]->menu(), menus[2]->menu(), menus[3]->menu(), menus[4]->menu(),
                              display[7]->menu()}) {
        std::map<QKeySequence, QString> letters;
        for (const QAction *item : menu->actions()) {
            const QKeySequence letter = QKeySequence::mnemonic(item->text());
            if (!letter.isEmpty() && item->data().toInt() != ID_PHOTOS_DES_MOIS) {
                EXPECT_TRUE(letters.emplace(letter, item->text()).second)
                    << item->text().toStdString() << " and " << letters[letter].toStdString();
            }
        }
    }
}

TEST_F(FrameTest, ToolbarHasFifteenButtonsAndThreeSeparators)
{
    Open(2025);
    const QList<QAction *> buttons = frame_->ToolBar()->actions();
    ASSERT_EQ(buttons.size(), 18);
    QList<int> ids;
    for (QAction *button : buttons)
        ids << (button->isSeparator() ? 0 : button->data().toInt());
    EXPECT_EQ(ids, (QList<int>{32791, 32771, 32790, 0, 32796, 57609, 57607, 0, 32778, 32779, 32802, 32806, 32805, 32817,
                               32870, 0, 32782, 32783}));
    for (QAction *button : buttons) {
        if (!button->isSeparator()) {
            EXPECT_FALSE(button->icon().pixmap(16, 16).isNull()) << button->data().toInt();
        }
    }
    EXPECT_EQ(buttons[11]->toolTip(), "Tamvel Horizontal avec photo en bas");
    EXPECT_EQ(buttons[12]->toolTip(), "Tamvel horizontal avec photo en haut");
    EXPECT_EQ(buttons[16]->toolTip(), "Mois/semestre précédent");
    EXPECT_EQ(frame_->ToolBar()->allowedAreas(), Qt::AllToolBarAreas);
    EXPECT_TRUE(frame_->ToolBar()->isMovable());
}

TEST_F(FrameTest, StatusBarFollowsTheToggles)
{
    Open(2025);
    EXPECT_EQ(frame_->PaneText(0), "Prêt");
    EXPECT_EQ(frame_->PaneText(1), "N.TRAV");
    EXPECT_EQ(frame_->PaneText(2), "FERIE");
    EXPECT_EQ(frame_->PaneText(3), "SEM");

    frame_->Action(ID_SEM)->trigger();
    EXPECT_EQ(frame_->PaneText(3), "");
    EXPECT_FALSE(frame_->Action(ID_SEM)->isChecked());
    frame_->Action(ID_NON_TRAV)->trigger();
    EXPECT_EQ(frame_->PaneText(1), "");
    EXPECT_EQ(frame_->PaneText(2), "FERIE");

    // The stored toggles come back at the next start.
    Open(2025);
    EXPECT_EQ(frame_->PaneText(1), "");
    EXPECT_EQ(frame_->PaneText(3), "");
    EXPECT_FALSE(frame_->Action(ID_SEM)->isChecked());

    // A highlighted item's prompt replaces "Prêt".
    frame_->Action(ID_PUB)->showStatusText(frame_.get());
    EXPECT_EQ(frame_->PaneText(0), "Affiche la publicité en bas du Tamvel");
    frame_->statusBar()->clearMessage();
    EXPECT_EQ(frame_->PaneText(0), "Prêt");

    // A school zone shown where no calendar reaches yet: the message pane says how to import one.
    frame_->Action(ID_VACANCES_ZONE_A)->trigger();
    EXPECT_TRUE(frame_->Action(ID_VACANCES_ZONE_A)->isChecked());
    EXPECT_EQ(frame_->PaneText(0), "Prêt");
    tamvel_->OpenYear(2027);
    EXPECT_TRUE(frame_->PaneText(0).startsWith("Vacances de la zone A inconnues sur cette page : importez"));
}

TEST_F(FrameTest, ModeButtonsMarkOneRadioAndSurviveARestart)
{
    Open(2025);
    frame_->Action(ID_HORIZONTAL_PHOTO_HAUT)->trigger();
    EXPECT_TRUE(frame_->Action(ID_HORIZONTAL_PHOTO_HAUT)->isChecked());
    EXPECT_FALSE(frame_->Action(ID_HORIZONTAL_PHOTO_BAS)->isChecked());
    EXPECT_TRUE(frame_->Action(ID_HORIZONTAL_PHOTO)->isChecked());
    EXPECT_FALSE(frame_->Action(ID_VERTICAL)->isChecked());
    EXPECT_TRUE(frame_->Action(ID_PHOTO_HAUT)->isChecked());
    EXPECT_TRUE(frame_->Action(ID_GROS_TRAIT)->isEnabled());

    // Clicking the checked button again keeps it checked: the mode does not change.
    frame_->Action(ID_HORIZONTAL_PHOTO_HAUT)->trigger();
    EXPECT_TRUE(frame_->Action(ID_HORIZONTAL_PHOTO_HAUT)->isChecked());

    frame_->Action(ID_GRANDES_CASES)->trigger();
    EXPECT_EQ(frame_->Action(ID_PAGE_NEXT)->text(), "Mois &suivant");
    EXPECT_FALSE(frame_->Action(ID_HORIZONTAL_PHOTO_HAUT)->isChecked());

    Open(2025);
    EXPECT_EQ(View().State().mode, DisplayMode::HorizontalLargeCells);
    EXPECT_TRUE(frame_->Action(ID_GRANDES_CASES)->isChecked());
    EXPECT_EQ(frame_->Action(ID_PAGE_PREV)->text(), "Mois &précédent");
}

TEST_F(FrameTest, PageKeysReachThePageCommands)
{
    Open(2025);
    frame_->Action(ID_GRANDES_CASES)->trigger();
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int page;
    } steps[] = {
        {Qt::Key_F6, {}, 2},
        {Qt::Key_Right, {}, 3},
        {Qt::Key_2, {}, 4},
        {Qt::Key_2, Qt::ShiftModifier, 5},
        {Qt::Key_2, Qt::KeypadModifier, 6},
        {Qt::Key_F6, Qt::ShiftModifier, 5},
        {Qt::Key_Left, {}, 4},
        {Qt::Key_1, {}, 3},
        {Qt::Key_1, Qt::ShiftModifier, 2},
        {Qt::Key_1, Qt::KeypadModifier, 1},
        {Qt::Key_Left, {}, 1},
    };
    for (const auto &step : steps) {
        Key(step.key, step.modifiers);
        EXPECT_EQ(View().Page(), step.page) << step.key << " " << step.modifiers.toInt();
    }
}

TEST_F(FrameTest, DisabledCommandsDoNothingFromTheirKeys)
{
    Open(2025);
    frame_->Action(ID_GRANDES_CASES)->trigger();
    Key(Qt::Key_F6);
    EXPECT_EQ(View().Page(), 2);
    frame_->Action(ID_VERTICAL)->trigger();
    EXPECT_EQ(View().Page(), 2);
    EXPECT_FALSE(frame_->Accelerator(ID_PAGE_NEXT)->isEnabled());
    Key(Qt::Key_F6);
    Key(Qt::Key_Left);
    EXPECT_EQ(View().Page(), 2);
    EXPECT_FALSE(frame_->Dispatch(ID_PAGE_PREV));
    EXPECT_EQ(View().Page(), 2);

    // Ctrl+O loads images only in a photo mode; in Vertical it is disabled.
    EXPECT_FALSE(frame_->Action(ID_CHARGER_IMAGES)->isEnabled());
    EXPECT_FALSE(frame_->Dispatch(ID_CHARGER_IMAGES));
}

TEST_F(FrameTest, YearKeysAndButtonsChangeTheTitle)
{
    Open(2025);
    EXPECT_EQ(frame_->windowTitle(), "Année 2025 - Genérateur de Tamvel");
    Key(Qt::Key_PageDown);
    EXPECT_EQ(frame_->windowTitle(), "Année 2026 - Genérateur de Tamvel");
    Key(Qt::Key_Up);
    Key(Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier);
    EXPECT_EQ(tamvel_->Settings.Annee, 2028);
    Key(Qt::Key_Down);
    Key(Qt::Key_PageUp);
    Key(Qt::Key_Minus, Qt::ControlModifier | Qt::KeypadModifier);
    EXPECT_EQ(tamvel_->Settings.Annee, 2025);
    // Ctrl with the main keyboard's + is not bound.
    Key(Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_EQ(tamvel_->Settings.Annee, 2025);

    // As X11 delivers the keypad keys: no shortcut claims them, the key press reaches the view.
    auto press = [this](Qt::Key key, Qt::KeyboardModifiers modifiers, const QString &text) {
        QKeyEvent event(QEvent::KeyPress, key, modifiers, text);
        QCoreApplication::sendEvent(frame_->View(), &event);
    };
    press(Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier, "+");
    EXPECT_EQ(tamvel_->Settings.Annee, 2026);
    press(Qt::Key_Minus, Qt::ControlModifier | Qt::KeypadModifier, "-");
    press(Qt::Key_Minus, Qt::ControlModifier | Qt::KeypadModifier, "-");
    EXPECT_EQ(tamvel_->Settings.Annee, 2024);
    press(Qt::Key_Plus, Qt::ControlModifier, "+");
    press(Qt::Key_Plus, Qt::KeypadModifier, "+");
    EXPECT_EQ(tamvel_->Settings.Annee, 2024);
    press(Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier, "+");

    frame_->Action(ID_ANNEE_SUIVANTE)->trigger();
    EXPECT_EQ(frame_->windowTitle(), "Année 2026 - Genérateur de Tamvel");
    frame_->Action(ID_ANNEE_PRECEDENTE)->trigger();
    EXPECT_EQ(frame_->windowTitle(), "Année 2025 - Genérateur de Tamvel");
}

TEST(FrameKeys, PageKeysAreTheTopRowKeysWhateverTheLayoutTypes)
{
    // On a French keyboard the keys of 1 and 2 type "&" and "é": their place still counts.
    EXPECT_EQ(CMainFrame::PageCommandOfKeyPosition("xcb", 10, Qt::NoModifier), ID_PAGE_PREV);
    EXPECT_EQ(CMainFrame::PageCommandOfKeyPosition("xcb", 11, Qt::ShiftModifier), ID_PAGE_NEXT);
    EXPECT_EQ(CMainFrame::PageCommandOfKeyPosition("wayland-egl", 11, Qt::NoModifier), ID_PAGE_NEXT);
    EXPECT_EQ(CMainFrame::PageCommandOfKeyPosition("xcb", 10, Qt::ControlModifier), 0);
    EXPECT_EQ(CMainFrame::PageCommandOfKeyPosition("xcb", 12, Qt::NoModifier), 0);
    // Elsewhere scan codes mean other keys (10 is the key of 9 on Windows).
    EXPECT_EQ(CMainFrame::PageCommandOfKeyPosition("windows", 10, Qt::NoModifier), 0);
    EXPECT_EQ(CMainFrame::PageCommandOfKeyPosition("offscreen", 10, Qt::NoModifier), 0);
}

TEST_F(FrameTest, BarsShowAndHideWithTheirChecks)
{
    Open(2025);
    QAction *toolbar = frame_->Action(ID_VIEW_TOOLBAR);
    QAction *status = frame_->Action(ID_VIEW_STATUS_BAR);
    EXPECT_TRUE(toolbar->isChecked());
    EXPECT_TRUE(status->isChecked());
    toolbar->trigger();
    EXPECT_TRUE(frame_->ToolBar()->isHidden());
    EXPECT_FALSE(toolbar->isChecked());
    status->trigger();
    EXPECT_TRUE(frame_->statusBar()->isHidden());
    EXPECT_FALSE(status->isChecked());

    // Keys still work with the toolbar hidden.
    Key(Qt::Key_PageDown);
    EXPECT_EQ(tamvel_->Settings.Annee, 2026);

    toolbar->trigger();
    EXPECT_FALSE(frame_->ToolBar()->isHidden());
    EXPECT_TRUE(toolbar->isChecked());

    // Nothing of the bars is stored.
    Open(2025);
    EXPECT_FALSE(frame_->ToolBar()->isHidden());
    EXPECT_FALSE(frame_->statusBar()->isHidden());
}

TEST_F(FrameTest, AboutBoxAndHelpPage)
{
    CAboutDlg about;
    EXPECT_EQ(about.windowTitle(), "A propos de Tamvel");
    EXPECT_EQ(about.VersionText(), "Générateur de Tamvel version 7.0");
    EXPECT_FALSE(about.InfoText().isEmpty());
    EXPECT_FALSE(about.windowIcon().isNull());

    // Installed, the page is found with the documentation; otherwise it is looked for beside the program.
    QTemporaryDir root;
    const QString program = root.filePath("usr/bin/tamvel");
    EXPECT_EQ(CMainFrame::HelpFilePath(program), root.filePath("usr/bin/tamvel.html"));
    ASSERT_TRUE(QDir(root.path()).mkpath("usr/share/doc/tamvel"));
    QFile installed(root.filePath("usr/share/doc/tamvel/tamvel.html"));
    ASSERT_TRUE(installed.open(QIODevice::WriteOnly));
    installed.close();
    EXPECT_EQ(CMainFrame::HelpFilePath(program), root.filePath("usr/share/doc/tamvel/tamvel.html"));

    const QString page = CMainFrame::HelpFilePath();
    EXPECT_TRUE(page.endsWith("/test_frame.html"));
    OpenedUrls opened;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &opened, "Open");
    Open(2025);
    // No help page beside the program: the command does nothing.
    EXPECT_TRUE(frame_->Dispatch(ID_AIDE));
    EXPECT_TRUE(opened.urls.isEmpty());
    {
        QFile file(page);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    frame_->Dispatch(ID_AIDE);
    QFile::remove(page);
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    EXPECT_EQ(opened.urls, QList<QUrl>{QUrl::fromLocalFile(page)});
}

} // namespace

#include "frame_test.moc"
