#pragma once

#include "document/app_settings.h"
#include "document/tamvel_doc.h"

#include <QCoreApplication>
#include <QMainWindow>

#include <functional>
#include <map>
#include <vector>

class CTamvelView;
class QAction;
class QLabel;
class QMenu;
class QToolBar;

namespace resources {
struct MenuInfo;
}

// The main window: menus, accelerators, toolbar, status bar and the calendar view. Commands go
// to the view, then the document, then the application, then the frame itself.
class CMainFrame : public QMainWindow
{
    Q_OBJECT

public:
    // Carries the application's commands; returns false for a command it does not know.
    using AppCommandHandler = std::function<bool(int id)>;
    // Sets the year shown and runs the new-document step.
    using OpenYearHandler = std::function<void(int year)>;

    CMainFrame(AppSettings &app, CTamvelDoc *doc, QWidget *parent = nullptr);
    ~CMainFrame() override;

    void SetAppCommandHandler(AppCommandHandler handler) { appCommands_ = std::move(handler); }
    void SetOpenYearHandler(OpenYearHandler handler) { openYear_ = std::move(handler); }

    CTamvelView *View() const { return view_; }
    QToolBar *ToolBar() const { return toolBar_; }
    // The menu and toolbar action of a command; null when unknown.
    QAction *Action(int id) const;
    // The hidden action that carries a command's keys; null when it has none.
    QAction *Accelerator(int id) const;
    // Status bar panes: 0 is the message pane, 1 to 6 the indicators.
    QString PaneText(int pane) const;

    // Runs a command from wherever it came; a disabled command does nothing. Returns whether it ran.
    bool Dispatch(int id);
    // Recomputes the enabled, check, radio and text state of every item and button.
    void RefreshCommandStates();
    // After each new-document step: title, states and a full redraw.
    void OnNewDocument();

    // Print setup: always opens, and leaves the printer settings, in portrait.
    void OnFilePrintSetup();
    void OnAppAbout();
    void OnHelp();
    // The help page of the program at executablePath, named after it with ".html": installed, it is
    // with the documentation; in the build tree, beside the executable.
    static QString HelpFilePath(const QString &executablePath = QCoreApplication::applicationFilePath());

    // The page command of a key by its place on the keyboard (the top-row keys of 1 and 2, as
    // the accelerators mean them, whatever the layout types there), or 0.
    static int PageCommandOfKeyPosition(const QString &platform, quint32 nativeScanCode,
                                        Qt::KeyboardModifiers modifiers);

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void CreateActions();
    void CreateMenus();
    // The items of a menu table, its submenus filled the same way.
    void FillMenu(QMenu *menu, const resources::MenuInfo &info);
    void CreateToolBar();
    void CreateStatusBar();
    bool OnFrameCommand(int id);
    // The year, advertising-text and colour dialogs; false for any other command.
    bool OnDialogCommand(int id);
    // The region items, the iCalendar export and the school calendar import; false for any other
    // command.
    bool OnHolidayCommand(int id);
    // After a dialog's OK: every view shows the new values.
    void RedrawAllViews();
    void SetStatusPanes(bool nonTrav, bool ferie, bool sem);
    // Says in the status bar where an export went; nothing for an empty path.
    void ShowExported(const QString &path);
    void UpdateLockPanes();
    void SetPane(int pane, bool shown);

    AppSettings &app_;
    CTamvelDoc *doc_;
    CTamvelView *view_ = nullptr;
    QToolBar *toolBar_ = nullptr;
    QLabel *messagePane_ = nullptr;
    std::vector<QLabel *> indicatorPanes_; // panes 1 to 6
    std::map<int, QAction *> actions_;
    std::map<int, QAction *> accelerators_;
    std::map<int, int> keypadKeys_; // key combination with the keypad modifier -> command id
    AppCommandHandler appCommands_;
    OpenYearHandler openYear_;
    bool ownsDocumentRedraw_ = false;
};
