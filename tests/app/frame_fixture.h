#pragma once

// The main window as the program builds it, over a settings file of the test's own.

#include "app/about_dlg.h"
#include "app/main_frame.h"
#include "app/tamvel_app.h"
#include "dialogs/enter_ferie.h"
#include "dialogs/enter_jour_ferie.h"
#include "document/view_settings.h"
#include "platform/registry.h"
#include "resources/commands.h"
#include "view/tamvel_view.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>

using namespace cmd;

class FrameTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        platform::SetSettingsFile(dir_.filePath("tamvel.conf"));
    }

    // The window as the program builds it, on the year given.
    void Open(int year)
    {
        frame_.reset();
        tamvel_ = std::make_unique<CTamvelApp>();
        frame_ = std::make_unique<CMainFrame>(tamvel_->Settings, &tamvel_->Document);
        frame_->SetAppCommandHandler([this](int id) { return tamvel_->OnCommand(id); });
        tamvel_->DocumentChanged = [this] { frame_->OnNewDocument(); };
        tamvel_->InitInstance(year);
        frame_->resize(800, 600);
        frame_->show();
        frame_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(frame_.get()));
    }

    void TearDown() override
    {
        frame_.reset();
        tamvel_.reset();
    }

    CTamvelView &View() { return *frame_->View(); }
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) { QTest::keyClick(frame_.get(), key, modifiers); }

    QTemporaryDir dir_;
    std::unique_ptr<CTamvelApp> tamvel_;
    std::unique_ptr<CMainFrame> frame_;
};
