#include "platform/whole_file.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

// What a killed run leaves beside its target, and which of it the next write of that target
// removes: only its own temporaries that nobody holds, once they are old enough.
TEST(WholeFile, ANewWriteClearsTheTemporariesAKilledRunLeft)
{
    QTemporaryDir dir;
    struct Leftover {
        const char *name;
        qint64 ageSeconds;
        bool held; // a living writer has it locked
        bool kept;
    };
    const Leftover leftovers[] = {
        {".cal.pdf.Ab12Cd", 3600, false, false},
        {".cal.pdf.Xy34Zw", 3600, true, true},    // another process is writing it
        {".cal.pdf.Qr56St", 0, false, true},      // just made: its writer may be about to lock it
        {".autre.pdf.Ab12Cd", 3600, false, true}, // another file's
        {".cal.pdf.bak", 3600, false, true},      // not a temporary's name
    };
    int holder = -1;
    for (const Leftover &leftover : leftovers) {
        QFile file(dir.filePath(QString::fromUtf8(leftover.name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("partial");
        // Flushed first: writing the buffer out at close would stamp the file with the time.
        ASSERT_TRUE(file.flush());
        file.setFileTime(QDateTime::currentDateTime().addSecs(-leftover.ageSeconds), QFileDevice::FileModificationTime);
        file.close();
        if (leftover.held) {
            holder = open(QFile::encodeName(file.fileName()).constData(), O_RDONLY | O_CLOEXEC);
            ASSERT_EQ(flock(holder, LOCK_EX), 0);
        }
    }

    const QString target = dir.filePath(QStringLiteral("cal.pdf"));
    platform::WholeFile file(target);
    ASSERT_TRUE(file.Open());
    EXPECT_TRUE(file.Write("%PDF-1.4 whole"));
    ASSERT_TRUE(file.Commit()) << file.ErrorText().toStdString();
    close(holder);

    for (const Leftover &leftover : leftovers)
        EXPECT_EQ(QFile::exists(dir.filePath(QString::fromUtf8(leftover.name))), leftover.kept) << leftover.name;
    QFile written(target);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), QByteArray("%PDF-1.4 whole"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 5);
}

} // namespace
