#include "platform/registry.h"

#include "platform/abandoned_lock.h"
#include "support/temp_settings.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <thread>

using platform::RegistryKey;

namespace {

const QString kSettings = QStringLiteral("Software\\Varnel\\Tamvel\\Settings");

class Registry : public TempSettings
{
protected:
    static RegistryKey Settings() { return *RegistryKey::Create(kSettings); }
};

int RunWriter(const QString &file, const QStringList &arguments)
{
    QProcess writer;
    writer.start(QStringLiteral(SETTINGS_WRITER), QStringList{file} + arguments);
    writer.waitForFinished(60000);
    return writer.exitStatus() == QProcess::NormalExit ? writer.exitCode() : -1;
}

TEST_F(Registry, DefaultFileFollowsXdgConfigHome)
{
    platform::SetSettingsFile(QString());
    EXPECT_EQ(platform::SettingsFile(), dir_.filePath(QStringLiteral("xdg/Varnel/Tamvel.conf")));
}

TEST_F(Registry, FirstRunHasNoKeysAndCreatingOneWritesNothing)
{
    EXPECT_FALSE(RegistryKey::Open(kSettings));
    const auto created = RegistryKey::Create(QStringLiteral("Software\\Varnel\\Tamvel\\2025\\FERIE"));
    ASSERT_TRUE(created);
    EXPECT_FALSE(created->QueryNumber(QStringLiteral("Nb")));
    EXPECT_FALSE(created->QueryText(QStringLiteral("Libelle1")));
    EXPECT_FALSE(QFile::exists(file_));
}

TEST_F(Registry, KeyPathsMapToGroupsAndParentsExistThroughTheirChildren)
{
    auto ferie = *RegistryKey::Create(QStringLiteral("Software\\Varnel\\Tamvel\\0999\\FERIE"));
    EXPECT_TRUE(ferie.SetNumber(QStringLiteral("Nb"), 3));
    EXPECT_TRUE(ReadFile().contains("[0999]\nFERIE\\Nb=3\n")) << ReadFile().constData();
    EXPECT_TRUE(RegistryKey::Open(QStringLiteral("Software\\Varnel\\Tamvel\\0999")));
    EXPECT_TRUE(RegistryKey::Open(QStringLiteral("Software\\Varnel\\Tamvel\\0999\\FERIE")));
    EXPECT_FALSE(RegistryKey::Open(QStringLiteral("Software\\Varnel\\Tamvel\\999")));
    EXPECT_FALSE(RegistryKey::Open(QStringLiteral("Software\\Varnel\\Tamvel\\0999\\FERIE\\Nb")));
}

TEST_F(Registry, NumbersAreUnsignedDecimalAndSignedTextsKeepTheirBitPattern)
{
    auto key = Settings();
    key.SetNumber(QStringLiteral("Max"), 0xFFFFFFFFu);
    key.SetNumber(QStringLiteral("Minus101"), static_cast<std::uint32_t>(-101));
    EXPECT_TRUE(ReadFile().contains("Max=4294967295\n"));
    EXPECT_TRUE(ReadFile().contains("Minus101=4294967195\n"));
    EXPECT_EQ(key.QueryNumber(QStringLiteral("Max")), 0xFFFFFFFFu);

    WriteFile("[Settings]\nA=-5\nB= 12 \nC=abc\nD=12x\nE=4294967296\nF=\nG=-2147483649\nH=\"1, 2\"\nI=1, 2\n");
    EXPECT_EQ(key.QueryNumber(QStringLiteral("A")), 0xFFFFFFFBu);
    EXPECT_EQ(key.QueryNumber(QStringLiteral("B")), 12u);
    for (const char *name : {"C", "D", "E", "F", "G", "H", "I", "Missing"})
        EXPECT_FALSE(key.QueryNumber(QString::fromLatin1(name))) << name;
}

TEST_F(Registry, TextsKeepAtMost254CharactersAndLongerStoredOnesReadAsAbsent)
{
    auto key = Settings();
    const QString exact(254, u'x');
    key.SetText(QStringLiteral("Exact"), exact);
    EXPECT_EQ(key.QueryText(QStringLiteral("Exact")), exact);
    key.SetText(QStringLiteral("Long"), QString(300, u'y'));
    EXPECT_EQ(key.QueryText(QStringLiteral("Long")), QString(254, u'y'));

    // A surrogate pair straddling the limit is dropped whole.
    const QString emoji = QString(253, u'z') + QString::fromUtf8("😀");
    key.SetText(QStringLiteral("Pair"), emoji);
    EXPECT_EQ(key.QueryText(QStringLiteral("Pair")), QString(253, u'z'));

    const QString accents = QStringLiteral("Réveillon, « prolongé » & Co ; @home");
    key.SetText(QStringLiteral("Accents"), accents);
    key.SetText(QStringLiteral("Empty"), QString());
    EXPECT_EQ(key.QueryText(QStringLiteral("Accents")), accents);
    EXPECT_EQ(key.QueryText(QStringLiteral("Empty")), QString());

    WriteFile("[Settings]\nHand=" + QByteArray(300, 'h') + "\nCommas=Saint Patrick, Co\nNul=ab\\0cd\nNum=42\n");
    EXPECT_FALSE(key.QueryText(QStringLiteral("Hand")));
    EXPECT_EQ(key.QueryText(QStringLiteral("Commas")), QStringLiteral("Saint Patrick, Co"));
    EXPECT_EQ(key.QueryText(QStringLiteral("Nul")), QStringLiteral("ab"));
    EXPECT_EQ(key.QueryText(QStringLiteral("Num")), QStringLiteral("42"));
}

TEST_F(Registry, DeletingTheSubkeyRemovesAllItsValuesAndNothingElse)
{
    auto year = *RegistryKey::Create(QStringLiteral("Software\\Varnel\\Tamvel\\2025"));
    auto ferie = *RegistryKey::Create(QStringLiteral("Software\\Varnel\\Tamvel\\2025\\FERIE"));
    year.SetText(QStringLiteral("Image1"), QStringLiteral("/photos/a.jpg"));
    ferie.SetNumber(QStringLiteral("Date1"), 714);
    ferie.SetText(QStringLiteral("Libelle1"), QStringLiteral("L1"));
    ferie.SetNumber(QStringLiteral("Nb"), 1);

    EXPECT_TRUE(year.DeleteSubKey(QStringLiteral("FERIE")));
    EXPECT_FALSE(RegistryKey::Open(QStringLiteral("Software\\Varnel\\Tamvel\\2025\\FERIE")));
    EXPECT_FALSE(ReadFile().contains("FERIE"));
    EXPECT_EQ(year.QueryText(QStringLiteral("Image1")), QStringLiteral("/photos/a.jpg"));
}

// Settings are only ever written over settings: a file that does not parse, a link to one, a
// device, a FIFO, a lock that is a folder, a file too large are left as they are, without waiting.
TEST_F(Registry, WhatDoesNotReadAsSettingsIsNeitherReplacedNorWaitedOn)
{
    const char raw[] = "\x00\xff\xfe[[[garbage\n[Settings]\nSem=0\n";
    const QByteArray garbage(raw, sizeof raw - 1);
    const QString passwd = dir_.filePath(QStringLiteral("passwd"));
    const QString big = dir_.filePath(QStringLiteral("big.conf"));
    {
        QFile out(passwd);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write("root:x:0:0:root:/root:/bin/bash\n[daemon:x:1:1\n");
        QFile large(big);
        ASSERT_TRUE(large.open(QIODevice::WriteOnly));
        ASSERT_TRUE(large.resize(platform::kMaxSettingsBytes + 1));
    }
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir_.filePath(QStringLiteral("fifo.conf"))).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(passwd, dir_.filePath(QStringLiteral("link.conf"))));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/null"), dir_.filePath(QStringLiteral("null.conf"))));
    ASSERT_TRUE(QDir(dir_.path()).mkpath(QStringLiteral("locked.conf.lock")));
    WriteFile(garbage);
    const struct {
        const char *file;
        const char *said;
    } cases[] = {
        {"t.conf", "ne se lit pas comme des réglages"},
        {"link.conf", "ne se lit pas comme des réglages"},
        {"null.conf", "n'est pas un fichier ordinaire"},
        {"fifo.conf", "n'est pas un fichier ordinaire"},
        {"locked.conf", "verrou"},
        {"big.conf", "dépasse 8 Mo"},
    };
    for (const auto &c : cases) {
        const QString path = dir_.filePath(QString::fromLatin1(c.file));
        const QFileInfo before(path);
        platform::SetSettingsFile(path);
        // What can be read is, the rest leaves its default.
        EXPECT_EQ(Settings().QueryNumber(QStringLiteral("Sem")),
                  c.file == std::string("t.conf") ? std::optional(0u) : std::nullopt);
        testing::internal::CaptureStderr();
        EXPECT_FALSE(Settings().SetNumber(QStringLiteral("Affichage"), 2)) << c.file;
        EXPECT_FALSE(Settings().SetNumber(QStringLiteral("Affichage"), 3)) << c.file;
        const std::string err = testing::internal::GetCapturedStderr();
        EXPECT_NE(err.find(c.said), std::string::npos) << c.file << ": " << err;
        EXPECT_EQ(err.find("tamvel"), err.rfind("tamvel")) << "reported more than once: " << err;
        const QFileInfo after(path);
        EXPECT_EQ(after.isFile(), before.isFile()) << c.file;
        EXPECT_EQ(after.size(), before.size()) << c.file;
        EXPECT_FALSE(QFile::exists(path + QStringLiteral(".illisible")));
        if (c.file == std::string("t.conf")) {
            EXPECT_EQ(ReadFile(), garbage);
        }
    }
    QFile kept(passwd);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_TRUE(kept.readAll().startsWith("root:x:0:0"));
}

TEST_F(Registry, UnwritableStoreIsReportedOnceAndKeepsTheValuesInMemory)
{
    // A regular file where the folder should be: nothing can be created there.
    QFile blocker(dir_.filePath(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    platform::SetSettingsFile(dir_.filePath(QStringLiteral("blocker/t.conf")));

    testing::internal::CaptureStderr();
    EXPECT_FALSE(Settings().SetNumber(QStringLiteral("Sem"), 0));
    EXPECT_FALSE(Settings().SetText(QStringLiteral("Pub1"), QStringLiteral("x")));
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("n'ont pas pu être enregistrés"), std::string::npos) << err;
    EXPECT_EQ(err.find("tamvel"), err.rfind("tamvel")) << err;
    EXPECT_FALSE(QFile::exists(dir_.filePath(QStringLiteral("blocker/t.conf"))));
    EXPECT_EQ(Settings().QueryNumber(QStringLiteral("Sem")), 0u);
}

TEST_F(Registry, TwoProcessesWritingAtOnceLoseNothingOfEachOther)
{
    Settings().SetText(QStringLiteral("Pub1"), QStringLiteral("kept"));
    const QStringList a{QStringLiteral("numbers"), QStringLiteral("A"), QStringLiteral("150")};
    const QStringList b{QStringLiteral("numbers"), QStringLiteral("B"), QStringLiteral("150")};
    QProcess first;
    QProcess second;
    first.start(QStringLiteral(SETTINGS_WRITER), QStringList{file_} + a);
    second.start(QStringLiteral(SETTINGS_WRITER), QStringList{file_} + b);
    ASSERT_TRUE(first.waitForFinished(120000));
    ASSERT_TRUE(second.waitForFinished(120000));
    ASSERT_EQ(first.exitCode(), 0);
    ASSERT_EQ(second.exitCode(), 0);

    auto key = Settings();
    for (int i = 0; i < 150; ++i) {
        EXPECT_EQ(key.QueryNumber(QStringLiteral("A%1").arg(i)), static_cast<std::uint32_t>(i));
        EXPECT_EQ(key.QueryNumber(QStringLiteral("B%1").arg(i)), static_cast<std::uint32_t>(i));
    }
    EXPECT_EQ(key.QueryText(QStringLiteral("Pub1")), QStringLiteral("kept"));
    EXPECT_EQ(key.QueryNumber(QStringLiteral("Shared")), 149u);
}

// A writer killed between creating its lock file and filling it leaves an empty lock that
// nobody holds; the next write clears it instead of waiting half a minute for Qt to.
TEST_F(Registry, AbandonedLocksAreClearedAndLiveOnesKept)
{
    const QString lock = file_ + QStringLiteral(".lock");
    const struct {
        const char *content;
        int secondsOld;
        bool held; // by a living writer's flock
        bool cleared;
    } cases[] = {
        {"", 60, false, true},
        {"", 0, false, true}, // waited for until it is old enough
        {"", 60, true, false},
        {"4242\ntamvel\nhost\n", 60, false, false}, // a process id: Qt's to judge
    };
    for (const auto &c : cases) {
        {
            QFile file(lock);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(c.content);
            file.flush();
            file.setFileTime(QDateTime::currentDateTime().addSecs(-c.secondsOld), QFileDevice::FileModificationTime);
        }
        const int fd = ::open(QFile::encodeName(lock).constData(), O_RDONLY | O_CLOEXEC);
        ASSERT_GE(fd, 0);
        if (c.held) {
            ASSERT_EQ(::flock(fd, LOCK_EX | LOCK_NB), 0);
        }
        platform::ClearAbandonedLock(lock);
        ::close(fd);
        EXPECT_EQ(!QFile::exists(lock), c.cleared) << '"' << c.content << "\" " << c.secondsOld << " s old";
        QFile::remove(lock);
    }

    // Every write clears both of Qt's lock files first; Qt alone would leave this one.
    ASSERT_TRUE(QFile(lock + QStringLiteral(".rmlock")).open(QIODevice::WriteOnly));
    EXPECT_TRUE(Settings().SetNumber(QStringLiteral("Sem"), 0));
    EXPECT_FALSE(QFile::exists(lock + QStringLiteral(".rmlock")));
}

TEST_F(Registry, KilledOrStarvedWritersLeaveThePreviousFileWhole)
{
    auto key = Settings();
    for (int i = 0; i < 200; ++i)
        key.SetText(QStringLiteral("Filler%1").arg(i), QString(200, u'f'));

    for (int round = 0; round < 8; ++round) {
        QProcess writer;
        writer.start(QStringLiteral(SETTINGS_WRITER), {file_, QStringLiteral("forever")});
        ASSERT_TRUE(writer.waitForStarted());
        std::this_thread::sleep_for(std::chrono::milliseconds(40 + 17 * round));
        writer.kill();
        writer.waitForFinished();

        QSettings check(file_, QSettings::IniFormat);
        ASSERT_EQ(check.status(), QSettings::NoError) << "round " << round;
        EXPECT_EQ(check.value(QStringLiteral("Settings/Filler199")).toString(), QString(200, u'f'));
    }

    // A full disk: the writer's files may not grow past 4 KiB.
    const QByteArray before = ReadFile();
    // Lock files come and go with every write; a killed writer's is cleared by the next one.
    const auto files = [this] {
        return QDir(dir_.path())
            .entryList({QStringLiteral("*.conf*")}, QDir::Files | QDir::Hidden)
            .filter(QRegularExpression(QStringLiteral("^(?!.*\\.lock(\\.rmlock)*$)")));
    };
    const QStringList filesBefore = files();
    EXPECT_EQ(RunWriter(file_, {QStringLiteral("limited"), QStringLiteral("4096"), QStringLiteral("Pub2"),
                                QStringLiteral("nouveau")}),
              3);
    EXPECT_EQ(ReadFile(), before);
    EXPECT_EQ(files(), filesBefore);
}

} // namespace
