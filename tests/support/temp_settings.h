#pragma once

#include "platform/registry.h"

#include <QDateTime>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// Each test gets its own settings file in a temporary folder, and a temporary XDG_CONFIG_HOME
// so that nothing can reach the user's own settings.
class TempSettings : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        qputenv("XDG_CONFIG_HOME", dir_.filePath(QStringLiteral("xdg")).toLocal8Bit());
        file_ = dir_.filePath(QStringLiteral("t.conf"));
        platform::SetSettingsFile(file_);
    }
    void TearDown() override { platform::SetSettingsFile(QString()); }

    void WriteFile(const QByteArray &content) const
    {
        QFile out(file_);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(content);
        // Flushed first: writing the buffer out later would stamp the file with the current time.
        ASSERT_TRUE(out.flush());
        // Hand edits come at human speed: QSettings tells files apart by size and millisecond.
        static int edits = 0;
        out.setFileTime(QDateTime::currentDateTime().addSecs(++edits), QFileDevice::FileModificationTime);
    }
    QByteArray ReadFile() const
    {
        QFile in(file_);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }
    // What the file holds under a group path such as "2025/FERIE/Nb", read afresh.
    QVariant Stored(const QString &key) const { return QSettings(file_, QSettings::IniFormat).value(key); }
    QStringList StoredKeys(const QString &group) const
    {
        QSettings settings(file_, QSettings::IniFormat);
        settings.beginGroup(group);
        return settings.allKeys();
    }

    QTemporaryDir dir_;
    QString file_;
};
