#include "dialogs/new_annee.h"

#include "dialogs/dialog_fit.h"
#include "dialogs/text_scan.h"
#include "model/ole_date_time.h"

#include <QDateTime>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kFirstYear = 324;
// The last year whose dates the calendar can build.
constexpr int kLastYear = COleDateTime::kMaxYear;

QToolButton *MakeArrow(Qt::ArrowType direction, QWidget *parent)
{
    auto *arrow = new QToolButton(parent);
    arrow->setArrowType(direction);
    arrow->setAutoRepeat(true);
    arrow->setAutoRepeatDelay(400);
    arrow->setAutoRepeatInterval(60);
    arrow->setFocusPolicy(Qt::StrongFocus);
    arrow->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    arrow->setFixedWidth(18);
    return arrow;
}

} // namespace

CNewAnnee::CNewAnnee(int year, QWidget *parent) : QDialog(parent), year_(year)
{
    setWindowTitle(QStringLiteral("Nouvelle Année"));

    yearEdit_ = new QLineEdit(this);
    // The two arrows are one up-down control, as high as the edit and against it.
    auto *upDown = new QWidget(this);
    upArrow_ = MakeArrow(Qt::UpArrow, upDown);
    downArrow_ = MakeArrow(Qt::DownArrow, upDown);
    upDown->setFixedHeight(yearEdit_->sizeHint().height());
    okButton_ = new QPushButton(QStringLiteral("OK"), this);
    okButton_->setDefault(true);
    auto *cancelButton = new QPushButton(QStringLiteral("Cancel"), this);

    auto *arrows = new QVBoxLayout(upDown);
    arrows->setContentsMargins(0, 0, 0, 0);
    arrows->setSpacing(0);
    arrows->addWidget(upArrow_);
    arrows->addWidget(downArrow_);
    auto *field = new QHBoxLayout;
    field->setSpacing(0);
    field->addWidget(yearEdit_);
    field->addWidget(upDown);
    auto *yearRow = new QHBoxLayout;
    yearRow->addWidget(new QLabel(QStringLiteral("Année:"), this));
    yearRow->addLayout(field);
    yearRow->setAlignment(Qt::AlignTop);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton);
    buttons->addStretch();
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(yearRow);
    layout->addSpacing(12);
    layout->addLayout(buttons);

    // Only the user's edits validate: text set by the dialog itself never does.
    connect(yearEdit_, &QLineEdit::textEdited, this, &CNewAnnee::OnChangeYear);
    connect(okButton_, &QPushButton::clicked, this, &CNewAnnee::accept);
    connect(cancelButton, &QPushButton::clicked, this, &CNewAnnee::reject);
    for (QToolButton *arrow : {upArrow_, downArrow_}) {
        connect(arrow, &QToolButton::pressed, this, [this] { heldSince_ = QDateTime::currentMSecsSinceEpoch(); });
        arrow->installEventFilter(this);
    }
    connect(upArrow_, &QToolButton::clicked, this, [this] { OnDeltaPos(-HeldStep()); });
    connect(downArrow_, &QToolButton::clicked, this, [this] { OnDeltaPos(HeldStep()); });
    yearEdit_->installEventFilter(this);

    OnInitDialog();
    FitToTitle(*this);
}

void CNewAnnee::OnInitDialog()
{
    ShowText(QString::asprintf("%04d", year_));
    // Opened on a year stepped past the calendar's range, OK waits for one it can show.
    okButton_->setEnabled(year_ >= COleDateTime::kMinYear && year_ <= kLastYear);
    yearEdit_->setFocus();
    yearEdit_->selectAll();
}

void CNewAnnee::ShowText(const QString &text)
{
    if (yearEdit_->text() != text)
        yearEdit_->setText(text);
}

void CNewAnnee::OnChangeYear()
{
    const dialogs::ScannedNumber scan = dialogs::ScanDecimal(yearEdit_->text());
    // The scan keeps what it read, even from a text it refuses.
    if (scan.items >= 1 && !scan.overflowed && scan.value >= INT32_MIN && scan.value <= INT32_MAX)
        year_ = static_cast<int>(scan.value);
    // No date exists after 9999: a larger year would show an empty calendar.
    okButton_->setEnabled(dialogs::IsLoneNumberIn(scan, kFirstYear, kLastYear));
}

void CNewAnnee::OnDeltaPos(int delta)
{
    const dialogs::ScannedNumber scan = dialogs::ScanDecimal(yearEdit_->text());
    std::int64_t value = dialogs::IsLoneNumberIn(scan, 0, kLastYear) ? scan.value : kFirstYear;
    value -= delta;
    if (value < kFirstYear)
        value = kLastYear;
    else if (value > kLastYear)
        value = kFirstYear;
    year_ = static_cast<int>(value);
    ShowText(QString::asprintf("%04d", year_));
}

int CNewAnnee::HeldStep() const
{
    const qint64 held = QDateTime::currentMSecsSinceEpoch() - heldSince_;
    if (heldSince_ == 0 || held < 2000)
        return 1;
    return held < 5000 ? 5 : 20;
}

bool CNewAnnee::eventFilter(QObject *watched, QEvent *event)
{
    // The arrow keys work the arrows, from the text as from the arrows themselves.
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            OnDeltaPos(key == Qt::Key_Up ? -1 : 1);
            return true;
        }
    }
    if (event->type() == QEvent::MouseButtonRelease && (watched == upArrow_ || watched == downArrow_))
        heldSince_ = 0;
    return QDialog::eventFilter(watched, event);
}

void CNewAnnee::accept()
{
    // Return cannot confirm a text that the OK button refuses.
    if (!okButton_->isEnabled())
        return;
    QDialog::accept();
}
