#pragma once

#include <QByteArrayView>
#include <QString>

#include <memory>
#include <set>

class QIODevice;

namespace platform {

// Why a file could not be written.
enum class WriteProblem {
    None,
    DiskFull,  // no space left on the device, or the user's quota reached
    Folder,    // the name is that of a folder
    Unwritable // anything else: missing folder, rights, input/output error
};

// Every file the program writes goes through here, so that it appears whole or not at all.
// The bytes go to a temporary ".NAME.XXXXXX" beside the target; every write is checked, the
// data is flushed to the disk, and only then is the temporary renamed over the target. On any
// error, on Discard() and when the object dies uncommitted, the temporary is removed. While it
// exists the temporary is recorded for the signal handler (see live_temporaries.h) and locked,
// so that a later Open() of the same target recognises and removes the temporaries that a
// killed run left behind.
//
// Writing from the program:
//     WholeFile file(path);
//     if (!file.Open()) ... file.ErrorText()
//     QPdfWriter writer(file.Device());   // or file.Write(bytes)
//     ... draw, then let the writer finish ...
//     if (!file.Commit()) ... file.ErrorText(), file.Problem()
// Writing from another program:
//     file.Open(); run it with file.TemporaryPath() as its output file (it must write into that
//     file, not replace it); then Commit() if it succeeded, Discard() if not.
//
// One object per file and per thread; different objects may be used on different threads.
class WholeFile
{
public:
    explicit WholeFile(const QString &target);
    ~WholeFile();
    WholeFile(const WholeFile &) = delete;
    WholeFile &operator=(const WholeFile &) = delete;

    // Removes the abandoned temporaries of this target (unless the caller already did, see
    // ClearAbandonedTemporaries), then creates and locks a new one. An existing target keeps its
    // permissions; a new one gets those of any new file.
    enum class Abandoned { Clear, AlreadyCleared };
    bool Open(Abandoned abandoned = Abandoned::Clear);

    // Where to write, open and buffered; a failed write is remembered and fails Commit().
    QIODevice *Device();
    bool Write(QByteArrayView bytes);
    QString TemporaryPath() const;

    // Flushes, checks and renames: true when the target now holds exactly what was written.
    bool Commit();
    void Discard();

    QString Target() const { return target_; }
    WriteProblem Problem() const;
    // "Impossible d'écrire le fichier « NAME » : ...", in French; empty while all is well.
    QString ErrorText() const;

private:
    class Output;
    QString target_;
    std::unique_ptr<Output> device_;
    QString temporary_;
    int liveSlot_ = -1;
    int error_ = 0; // errno of the first failure
    bool failed_ = false;
};

// Removes the temporaries that killed runs left in `folder` for the files named `targets`:
// ".NAME.XXXXXX" files that no living writer holds and that are at least a second old (a writer
// locks its temporary within microseconds of making it). WholeFile::Open does it for its own
// target; a run that writes many files into one folder calls this once, reading the folder once.
void ClearAbandonedTemporaries(const QString &folder, const std::set<QString> &targets);

} // namespace platform
