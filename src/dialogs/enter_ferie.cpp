#include "dialogs/enter_ferie.h"

#include "dialogs/dialog_fit.h"
#include "dialogs/enter_jour_ferie.h"
#include "document/app_settings.h"
#include "document/tamvel_doc.h"
#include "ical/ical_import.h"
#include "model/particular_days.h"
#include "platform/application_title.h"
#include "platform/user_prompts.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStringList>
#include <QTimeZone>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

CEnterFerie::CEnterFerie(CTamvelDoc &document, const AppSettings &app, QWidget *parent)
    : QDialog(parent), document_(document), year_(app.Annee)
{
    setWindowTitle(QStringLiteral("Saisie / Modification des jours fériés particuliers"));
    RunDayDialog = [](CEnterJourFerie &dialog) { return dialog.exec() == QDialog::Accepted; };

    yearLabel_ = new QLabel(QString::asprintf("Année : %04d", year_), this);
    yearLabel_->setObjectName(QStringLiteral("yearLabel"));
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("list"));
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setSortingEnabled(false);

    auto makeButton = [this](const QString &text, const char *name) {
        auto *button = new QPushButton(text, this);
        button->setObjectName(QLatin1String(name));
        button->setAutoDefault(false);
        return button;
    };
    insertButton_ = makeButton(QStringLiteral("Insérer"), "insertButton");
    modifyButton_ = makeButton(QStringLiteral("Modifier"), "modifyButton");
    deleteButton_ = makeButton(QStringLiteral("Supprimer"), "deleteButton");
    clearButton_ = makeButton(QStringLiteral("Effacer"), "clearButton");
    sortButton_ = makeButton(QStringLiteral("Trier"), "sortButton");
    importButton_ = makeButton(QStringLiteral("&Importer..."), "importButton");
    importButton_->setToolTip(QStringLiteral("Ajoute les événements de l'année d'un agenda iCalendar (.ics)"));
    copyButton_ = makeButton(QStringLiteral("Copier l'année &précédente"), "copyButton");
    addedLabel_ = new QLabel(this);
    addedLabel_->setObjectName(QStringLiteral("addedLabel"));
    addedLabel_->setWordWrap(true);

    auto *buttons = new QDialogButtonBox(this);
    auto *ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    auto *cancel = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cancelButton"));

    auto *commands = new QVBoxLayout;
    for (QPushButton *button : {insertButton_, modifyButton_, deleteButton_, clearButton_, sortButton_})
        commands->addWidget(button);
    commands->addSpacing(12);
    commands->addWidget(importButton_);
    commands->addWidget(copyButton_);
    commands->addStretch();
    PadButtons({insertButton_, modifyButton_, deleteButton_, clearButton_, sortButton_, importButton_, copyButton_});
    auto *middle = new QHBoxLayout;
    middle->addWidget(list_, 1);
    middle->addLayout(commands);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(yearLabel_);
    layout->addLayout(middle);
    layout->addWidget(addedLabel_);
    layout->addWidget(buttons);

    connect(insertButton_, &QPushButton::clicked, this, &CEnterFerie::OnInsert);
    connect(modifyButton_, &QPushButton::clicked, this, &CEnterFerie::OnModify);
    connect(deleteButton_, &QPushButton::clicked, this, &CEnterFerie::OnDelete);
    connect(clearButton_, &QPushButton::clicked, this, &CEnterFerie::OnClear);
    connect(sortButton_, &QPushButton::clicked, this, &CEnterFerie::OnSort);
    connect(importButton_, &QPushButton::clicked, this, &CEnterFerie::OnImport);
    connect(copyButton_, &QPushButton::clicked, this, &CEnterFerie::OnCopyPreviousYear);
    connect(ok, &QPushButton::clicked, this, &CEnterFerie::OnOK);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(list_, &QListWidget::itemSelectionChanged, this, &CEnterFerie::OnListSelectionChanged);
    connect(list_, &QListWidget::itemDoubleClicked, this, &CEnterFerie::OnDblClk);

    // The working copy of the document's lists, one row per entry.
    const std::size_t count = std::min(document_.Dates.size(), document_.Libelles.size());
    for (std::size_t i = 0; i < count; ++i) {
        dates_.push_back(document_.Dates[i]);
        labels_.push_back(document_.Libelles[i]);
        list_->addItem(RowText(dates_.back(), labels_.back()));
    }
    RefreshButtons();
    FitToTitle(*this);
}

QString CEnterFerie::RowText(const COleDateTime &date, const std::string &label)
{
    return QString::asprintf("%02d/%02d - ", date.GetDay(), date.GetMonth()) + QString::fromStdString(label);
}

int CEnterFerie::SelectedRow() const
{
    const QList<QListWidgetItem *> selected = list_->selectedItems();
    return selected.isEmpty() ? -1 : list_->row(selected.first());
}

void CEnterFerie::RefreshButtons()
{
    const bool hasRows = list_->count() > 0;
    modifyButton_->setEnabled(false);
    list_->setEnabled(hasRows);
    deleteButton_->setEnabled(false);
    insertButton_->setEnabled(true);
    clearButton_->setEnabled(hasRows);
}

void CEnterFerie::LockForCommand()
{
    modifyButton_->setEnabled(false);
    list_->setEnabled(false);
    deleteButton_->setEnabled(false);
    clearButton_->setEnabled(false);
    insertButton_->setEnabled(true);
}

void CEnterFerie::OnListSelectionChanged()
{
    if (SelectedRow() < 0)
        OnSelCancel();
    else
        OnSelChange();
}

void CEnterFerie::OnSelChange()
{
    RefreshButtons();
    modifyButton_->setEnabled(true);
    deleteButton_->setEnabled(true);
    insertButton_->setEnabled(true);
}

void CEnterFerie::OnSelCancel()
{
    RefreshButtons();
}

void CEnterFerie::OnDblClk()
{
    OnModify();
}

void CEnterFerie::OnInsert()
{
    LockForCommand();
    CEnterJourFerie day(COleDateTime(), std::string(), false, year_, this);
    if (RunDayDialog(day)) {
        dates_.push_back(day.Date());
        labels_.push_back(day.Label());
        const QSignalBlocker blocker(list_);
        list_->addItem(RowText(dates_.back(), labels_.back()));
    }
    RefreshButtons();
}

void CEnterFerie::OnModify()
{
    const int row = SelectedRow();
    if (row < 0 || static_cast<std::size_t>(row) >= dates_.size())
        return;
    const auto s = static_cast<std::size_t>(row);
    LockForCommand();
    CEnterJourFerie day(dates_[s], labels_[s], true, year_, this);
    if (RunDayDialog(day)) {
        dates_[s] = day.Date();
        labels_[s] = day.Label();
        const QSignalBlocker blocker(list_);
        delete list_->takeItem(row);
        list_->insertItem(row, RowText(dates_[s], labels_[s]));
        list_->setCurrentRow(row);
    }
    // Modify and delete stay disabled until the user selects again, even on the same row.
    RefreshButtons();
}

void CEnterFerie::OnDelete()
{
    const int row = SelectedRow();
    if (row < 0 || static_cast<std::size_t>(row) >= dates_.size())
        return;
    const auto s = static_cast<std::size_t>(row);
    LockForCommand();
    const QString question = QStringLiteral("Voulez vous réellement effacer le jour ") +
                             RowText(dates_[s], labels_[s]) + QStringLiteral(" ?");
    if (platform::Prompts().YesNo(this, platform::ApplicationTitle(), question)) {
        const QSignalBlocker blocker(list_);
        delete list_->takeItem(row);
        dates_.erase(dates_.begin() + row);
        labels_.erase(labels_.begin() + row);
        list_->clearSelection();
    }
    RefreshButtons();
}

void CEnterFerie::OnClear()
{
    LockForCommand();
    if (platform::Prompts().YesNo(
            this, platform::ApplicationTitle(),
            QStringLiteral("Voulez vous réellement effacer tous les jours fériés de cette année ?"))) {
        dates_.clear();
        labels_.clear();
        const QSignalBlocker blocker(list_);
        list_->clear();
    }
    RefreshButtons();
}

void CEnterFerie::OnSort()
{
    LockForCommand();
    const QSignalBlocker blocker(list_);
    list_->clear();
    // An exchange sort on COleDateTime's ">": a date that is not valid is neither earlier nor
    // later than any other, so it keeps its place.
    for (std::size_t p = 0; p < dates_.size(); ++p) {
        for (std::size_t q = p + 1; q < dates_.size(); ++q) {
            if (dates_[p] > dates_[q]) {
                std::swap(dates_[p], dates_[q]);
                std::swap(labels_[p], labels_[q]);
            }
        }
        list_->addItem(RowText(dates_[p], labels_[p]));
    }
    RefreshButtons();
}

void CEnterFerie::OnImport()
{
    const QString path = platform::Prompts().OpenFileName(
        this, QString(), QStringLiteral("Agendas iCalendar (*.ics *.ical);;Tous les fichiers (*)"),
        QStringLiteral("ics"));
    if (path.isEmpty())
        return;
    const ical::ImportResult imported = ical::ImportCalendarFile(QFile::encodeName(path).toStdString(), year_,
                                                                 QTimeZone::systemTimeZoneId().toStdString());
    if (!imported.error.empty()) {
        platform::Prompts().Message(this, platform::ApplicationTitle(), QString::fromStdString(imported.error));
        return;
    }
    AppendDays(imported.days, QStringLiteral("« %1 »").arg(QFileInfo(path).fileName()));
    QStringList notes;
    for (const std::string &note : imported.notes)
        notes.append(QString::fromStdString(note));
    if (!notes.isEmpty())
        platform::Prompts().Message(this, platform::ApplicationTitle(), notes.join(u'\n'));
}

void CEnterFerie::OnCopyPreviousYear()
{
    AppendDays(StoredParticularDays(year_ - 1), QString::asprintf("l'année %04d", year_ - 1));
}

void CEnterFerie::AppendDays(const std::vector<model::DayLabel> &days, const QString &source)
{
    const std::size_t before = dates_.size();
    const std::size_t added = model::AppendParticularDays(year_, days, dates_, labels_);
    {
        const QSignalBlocker blocker(list_);
        for (std::size_t i = before; i < dates_.size(); ++i)
            list_->addItem(RowText(dates_[i], labels_[i]));
    }
    if (added > 0)
        list_->scrollToItem(list_->item(static_cast<int>(before)));
    if (added == 0)
        addedLabel_->setText(QStringLiteral("Aucun jour à ajouter depuis %1.").arg(source));
    else if (added == 1)
        addedLabel_->setText(QStringLiteral("1 jour ajouté depuis %1 : il sera enregistré avec OK.").arg(source));
    else
        addedLabel_->setText(
            QStringLiteral("%1 jours ajoutés depuis %2 : ils seront enregistrés avec OK.").arg(added).arg(source));
    RefreshButtons();
}

void CEnterFerie::OnOK()
{
    document_.Dates = dates_;
    document_.Libelles = labels_;
    document_.SaveParticularDays();
    RefreshButtons();
    accept();
}
