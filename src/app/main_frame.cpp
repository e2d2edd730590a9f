#include "app/main_frame.h"

#include "app/about_dlg.h"
#include "app/ical_files.h"
#include "app/keyboard_indicators.h"
#include "app/school_holidays.h"
#include "dialogs/edit_color.h"
#include "dialogs/edit_pub.h"
#include "dialogs/enter_ferie.h"
#include "dialogs/load_image.h"
#include "dialogs/new_annee.h"
#include "dialogs/photos_mois.h"
#include "drawing/school_bands.h"
#include "platform/application_title.h"
#include "platform/user_prompts.h"
#include "resources/build_info.h"
#include "resources/commands.h"
#include "resources/icons.h"
#include "view/print_dialogs.h"
#include "view/tamvel_view.h"

#include <QActionGroup>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

using namespace cmd;

CMainFrame::CMainFrame(AppSettings &app, CTamvelDoc *doc, QWidget *parent) : QMainWindow(parent), app_(app), doc_(doc)
{
    setWindowIcon(resources::ProgramIcon());
    view_ = new CTamvelView(app_, doc_, this);
    setCentralWidget(view_);
    connect(view_, &CTamvelView::StatusPanesChanged, this, &CMainFrame::SetStatusPanes);
    connect(view_, &CTamvelView::Exported, this, &CMainFrame::ShowExported);

    CreateActions();
    CreateMenus();
    CreateStatusBar();
    CreateToolBar();

    if (doc_ != nullptr && !doc_->UpdateAllViews) {
        doc_->UpdateAllViews = [this] { view_->repaint(); };
        ownsDocumentRedraw_ = true;
    }

    const ViewState &s = view_->State();
    SetStatusPanes(s.NonTrav != 0, s.Ferie != 0, s.Sem != 0);
    RefreshCommandStates();
    OnNewDocument();
    view_->setFocus();
}

CMainFrame::~CMainFrame()
{
    // The document may outlive the window: leave it no way back into it.
    if (ownsDocumentRedraw_)
        doc_->UpdateAllViews = nullptr;
}

void CMainFrame::CreateActions()
{
    const CommandStates states = view_->ComputeCommandStates();
    auto *modes = new QActionGroup(this);
    auto *photoModes = new QActionGroup(this);
    photoModes->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    auto *photoPlaces = new QActionGroup(this);
    auto *regions = new QActionGroup(this);

    for (const resources::CommandInfo &info : resources::Commands()) {
        const int id = info.id;
        auto *action = new QAction(this);
        action->setText(info.menuText.isEmpty() ? info.tooltip : info.menuText);
        action->setStatusTip(info.prompt);
        action->setToolTip(info.tooltip);
        action->setIcon(resources::MakeIcon(info.icon));
        action->setIconVisibleInMenu(false);
        action->setData(id);
        const auto state = states.find(id);
        if ((state != states.end() && state->second.checked) || id == ID_VIEW_TOOLBAR || id == ID_VIEW_STATUS_BAR)
            action->setCheckable(true);
        if (id == ID_VERTICAL || id == ID_HORIZONTAL || id == ID_VERTICAL_PHOTO || id == ID_HORIZONTAL_PHOTO ||
            id == ID_GRANDES_CASES || id == ID_PHOTO_MOIS)
            modes->addAction(action);
        else if (id == ID_HORIZONTAL_PHOTO_BAS || id == ID_HORIZONTAL_PHOTO_HAUT)
            photoModes->addAction(action);
        else if (id == ID_PHOTO_HAUT || id == ID_PHOTO_BAS)
            photoPlaces->addAction(action);
        else if (IsRegionCommand(id) || IsPaysCommand(id))
            regions->addAction(action);
        connect(action, &QAction::triggered, this, [this, id] { Dispatch(id); });
        actions_[id] = action;

        // The accelerator table lives apart from the menu items, as keys must work whether or
        // not the toolbar is shown, and the items keep their own key hints.
        if (!info.keys.isEmpty()) {
            auto *accelerator = new QAction(this);
            accelerator->setText(action->text());
            accelerator->setShortcuts(info.keys);
            accelerator->setShortcutContext(Qt::WindowShortcut);
            accelerator->setAutoRepeat(true);
            connect(accelerator, &QAction::triggered, this, [this, id] { Dispatch(id); });
            addAction(accelerator);
            accelerators_[id] = accelerator;
            for (const QKeySequence &key : info.keys)
                if (key[0].keyboardModifiers() & Qt::KeypadModifier)
                    keypadKeys_[key[0].toCombined()] = id;
        }
    }
}

void CMainFrame::CreateMenus()
{
    for (const resources::MenuInfo &info : resources::MainMenu())
        FillMenu(menuBar()->addMenu(info.title), info);
}

void CMainFrame::FillMenu(QMenu *menu, const resources::MenuInfo &info)
{
    for (int id : info.items) {
        if (id == ID_SEPARATOR)
            menu->addSeparator();
        else if (const resources::MenuInfo *submenu = resources::Submenu(id))
            FillMenu(menu->addMenu(submenu->title), *submenu);
        else
            menu->addAction(Action(id));
    }
    connect(menu, &QMenu::aboutToShow, this, &CMainFrame::RefreshCommandStates);
}

void CMainFrame::CreateToolBar()
{
    toolBar_ = new QToolBar(QStringLiteral("Barre d'outils"), this);
    toolBar_->setObjectName(QStringLiteral("toolbar"));
    toolBar_->setMovable(true);
    toolBar_->setFloatable(true);
    toolBar_->setAllowedAreas(Qt::AllToolBarAreas);
    toolBar_->setIconSize(QSize(16, 16));
    toolBar_->setToolButtonStyle(Qt::ToolButtonIconOnly);
    for (int id : resources::ToolBarButtons()) {
        if (id == ID_SEPARATOR)
            toolBar_->addSeparator();
        else
            toolBar_->addAction(Action(id));
    }
    addToolBar(Qt::TopToolBarArea, toolBar_);
    connect(toolBar_, &QToolBar::visibilityChanged, this, &CMainFrame::RefreshCommandStates);
}

void CMainFrame::CreateStatusBar()
{
    QStatusBar *bar = statusBar();
    messagePane_ = new QLabel(resources::IdlePrompt(), bar);
    // On a narrow window the message gives way, cut short, before the indicators do.
    messagePane_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    bar->addWidget(messagePane_, 1);
    for (const resources::IndicatorInfo &indicator : resources::Indicators()) {
        auto *pane = new QLabel(bar);
        pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        pane->setAlignment(Qt::AlignCenter);
        pane->setProperty("indicatorText", indicator.text);
        const int margins = pane->contentsMargins().left() + pane->contentsMargins().right() + 8;
        pane->setFixedWidth(pane->fontMetrics().horizontalAdvance(indicator.text) + margins);
        bar->addPermanentWidget(pane);
        indicatorPanes_.push_back(pane);
    }
    UpdateLockPanes();
    // The lock keys can change in any window: look at them a few times a second.
    auto *timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, &CMainFrame::UpdateLockPanes);
    timer->start(250);
}

QAction *CMainFrame::Action(int id) const
{
    const auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second;
}

QAction *CMainFrame::Accelerator(int id) const
{
    const auto it = accelerators_.find(id);
    return it == accelerators_.end() ? nullptr : it->second;
}

QString CMainFrame::PaneText(int pane) const
{
    if (pane == 0) {
        const QString message = statusBar()->currentMessage();
        return message.isEmpty() ? messagePane_->text() : message;
    }
    if (pane < 1 || pane > static_cast<int>(indicatorPanes_.size()))
        return {};
    return indicatorPanes_[pane - 1]->text();
}

void CMainFrame::SetPane(int pane, bool shown)
{
    QLabel *label = indicatorPanes_[pane - 1];
    label->setText(shown ? label->property("indicatorText").toString() : QString());
}

void CMainFrame::SetStatusPanes(bool nonTrav, bool ferie, bool sem)
{
    SetPane(1, nonTrav);
    SetPane(2, ferie);
    SetPane(3, sem);
}

void CMainFrame::UpdateLockPanes()
{
    const std::optional<app::LockKeys> keys = app::QueryLockKeys();
    SetPane(4, keys && keys->capsLock);
    SetPane(5, keys && keys->numLock);
    SetPane(6, keys && keys->scrollLock);
}

void CMainFrame::RefreshCommandStates()
{
    const CommandStates states = view_->ComputeCommandStates();
    for (const auto &[id, state] : states) {
        QAction *action = Action(id);
        if (action == nullptr)
            continue;
        action->setEnabled(state.enabled);
        if (state.checked)
            action->setChecked(*state.checked);
        if (!state.text.isEmpty())
            action->setText(state.text);
        if (QAction *accelerator = Accelerator(id))
            accelerator->setEnabled(state.enabled);
    }
    Action(ID_VIEW_TOOLBAR)->setChecked(!toolBar_->isHidden());
    Action(ID_VIEW_STATUS_BAR)->setChecked(!statusBar()->isHidden());
    // A zone shown for days that no school calendar covers yet: the way to import one.
    const QString hint = view_->SchoolHolidaysHint();
    messagePane_->setText(hint.isEmpty() ? resources::IdlePrompt() : hint);
}

int CMainFrame::PageCommandOfKeyPosition(const QString &platform, quint32 nativeScanCode,
                                         Qt::KeyboardModifiers modifiers)
{
    // The page keys 1 and 2 are the keys of the top row, wherever the layout puts the digits:
    // on a French keyboard they type "&" and "é" unshifted. X11 and Wayland both number the
    // keys by position (evdev code + 8): 10 is the key of 1, 11 that of 2.
    constexpr quint32 kKeyOfOne = 10;
    constexpr quint32 kKeyOfTwo = 11;
    const bool numbersByPosition = platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland"));
    if (!numbersByPosition || (modifiers & ~Qt::ShiftModifier) != Qt::NoModifier)
        return 0;
    if (nativeScanCode == kKeyOfOne)
        return ID_PAGE_PREV;
    if (nativeScanCode == kKeyOfTwo)
        return ID_PAGE_NEXT;
    return 0;
}

void CMainFrame::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // Nor does the window get narrower than the indicators, which would run into each other;
    // measured once the bar has its style and fonts.
    setMinimumWidth(statusBar()->minimumSizeHint().width());
}

void CMainFrame::keyPressEvent(QKeyEvent *event)
{
    // On X11 the shortcut map drops the keypad modifier, so a keypad-only accelerator such as
    // Ctrl with the keypad's + never matches there; it arrives here unclaimed instead.
    const auto it = keypadKeys_.find(event->keyCombination().toCombined());
    if (it != keypadKeys_.end()) {
        Dispatch(it->second);
        event->accept();
        return;
    }
    if (const int page =
            PageCommandOfKeyPosition(QGuiApplication::platformName(), event->nativeScanCode(), event->modifiers())) {
        Dispatch(page);
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

bool CMainFrame::Dispatch(int id)
{
    if (!view_->IsCommandEnabled(id)) {
        RefreshCommandStates();
        return false;
    }
    if (view_->OnCommand(id)) {
        // carried by the view
    } else if (id == ID_LUNDI_PENTECOTE && doc_ != nullptr) {
        doc_->OnLundiPentecote(); // stores the option and redraws through UpdateAllViews
    } else if (OnHolidayCommand(id) || OnDialogCommand(id)) {
        // the dialog stored its result
    } else if (!(appCommands_ && appCommands_(id))) {
        OnFrameCommand(id);
    }
    RefreshCommandStates();
    return true;
}

bool CMainFrame::OnFrameCommand(int id)
{
    switch (id) {
    case ID_FILE_PRINT_SETUP:
        OnFilePrintSetup();
        return true;
    case ID_APP_ABOUT:
        OnAppAbout();
        return true;
    case ID_AIDE:
        OnHelp();
        return true;
    case ID_APP_EXIT:
        close();
        return true;
    case ID_VIEW_TOOLBAR:
        toolBar_->setVisible(toolBar_->isHidden());
        return true;
    case ID_VIEW_STATUS_BAR:
        statusBar()->setVisible(statusBar()->isHidden());
        return true;
    default:
        return false;
    }
}

bool CMainFrame::OnHolidayCommand(int id)
{
    const std::vector<model::Place> &places = model::PlaceChoices();
    if (IsRegionCommand(id) || (IsPaysCommand(id) && id - ID_PAYS_FIRST < static_cast<int>(places.size()))) {
        // A French region brings France back; another country keeps the French region for later.
        if (IsRegionCommand(id)) {
            app_.Region = model::RegionFromStored(static_cast<std::uint32_t>(id - ID_REGION_FIRST));
            app_.Pays = {};
        } else {
            app_.Pays = places[static_cast<std::size_t>(id - ID_PAYS_FIRST)];
        }
        app_.SaveRegionSetting();
        RedrawAllViews();
        return true;
    }
    if (id == ID_IMPORT_CALENDRIER_SCOLAIRE) {
        app::RunSchoolImport(this, almanac::AlmanacOptionsOf(view_->State()).schoolZones);
        RedrawAllViews();
        return true;
    }
    if (id == ID_FILE_EXPORT_ICS && doc_ != nullptr) {
        ShowExported(app::RunIcsExport(this, app_.Annee, doc_->HolidayOptions(view_->State().FerieParticulier != 0)));
        return true;
    }
    return false;
}

void CMainFrame::ShowExported(const QString &path)
{
    if (!path.isEmpty())
        statusBar()->showMessage(QStringLiteral("Calendrier exporté dans « %1 »").arg(QDir::toNativeSeparators(path)));
}

void CMainFrame::RedrawAllViews()
{
    if (doc_ != nullptr && doc_->UpdateAllViews)
        doc_->UpdateAllViews();
    else
        view_->repaint();
}

bool CMainFrame::OnDialogCommand(int id)
{
    switch (id) {
    case ID_NOUVELLE_ANNEE: {
        if (!openYear_)
            return false;
        CNewAnnee dialog(app_.Annee, this);
        if (dialog.exec() == QDialog::Accepted)
            openYear_(dialog.Year());
        return true;
    }
    case ID_CHARGER_IMAGES: {
        if (!openYear_)
            return false;
        // On OK the same year is read again, with its new names and images.
        CLoadImage dialog(app_.Annee, this, view_->State().RecadrerPhotos != 0);
        if (dialog.exec() == QDialog::Accepted)
            openYear_(app_.Annee);
        return true;
    }
    case ID_PHOTOS_DES_MOIS: {
        if (!openYear_)
            return false;
        // On OK the same year is read again, with its new photos.
        CPhotosMois dialog(app_.Annee, this);
        if (dialog.exec() == QDialog::Accepted)
            openYear_(app_.Annee);
        return true;
    }
    case ID_EDIT_PUB: {
        CEditPub dialog(app_, this);
        if (dialog.exec() == QDialog::Accepted)
            RedrawAllViews();
        return true;
    }
    case ID_COULEURS: {
        CEditColor dialog(app_, this);
        if (dialog.exec() == QDialog::Accepted)
            RedrawAllViews();
        return true;
    }
    case ID_EDIT_FERIES: {
        if (doc_ == nullptr)
            return false;
        CEnterFerie dialog(*doc_, app_, this); // stores the days itself on OK
        if (dialog.exec() == QDialog::Accepted)
            RedrawAllViews();
        return true;
    }
    default:
        return false;
    }
}

void CMainFrame::OnNewDocument()
{
    const QString title =
        doc_ != nullptr && !doc_->GetTitle().isEmpty() ? doc_->GetTitle() : QString::asprintf("Année %04d", app_.Annee);
    setWindowTitle(title + QStringLiteral(" - ") + platform::ApplicationTitle());
    RefreshCommandStates();
    view_->repaint();
}

void CMainFrame::OnFilePrintSetup()
{
    RunPrintSetup(this, view_->Printer());
}

void CMainFrame::OnAppAbout()
{
    CAboutDlg dialog(this);
    dialog.exec();
}

QString CMainFrame::HelpFilePath(const QString &executablePath)
{
    const QFileInfo executable(executablePath);
    const QString name = executable.completeBaseName() + QStringLiteral(".html");
    const QDir folder = executable.absoluteDir();
    const QString installed =
        QDir::cleanPath(folder.filePath(QLatin1String(resources::kInstalledHelpDir) + QLatin1Char('/') + name));
    return QFileInfo::exists(installed) ? installed : folder.filePath(name);
}

void CMainFrame::OnHelp()
{
    // A missing help page is not worth a message; a page nothing could open is, or the command
    // would seem to do nothing.
    const QString path = HelpFilePath();
    if (QFileInfo::exists(path) && !QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        platform::Prompts().Message(this, platform::ApplicationTitle(),
                                    QStringLiteral("Le mode d'emploi « %1 » n'a pas pu être ouvert : aucun navigateur "
                                                   "n'est installé pour l'afficher (xdg-open, du paquet xdg-utils).")
                                        .arg(QDir::toNativeSeparators(path)),
                                    platform::MessageIcon::Exclamation);
}
