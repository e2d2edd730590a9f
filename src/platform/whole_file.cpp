#include "platform/whole_file.h"

#include "platform/live_temporaries.h"

#include <QFile>
#include <QFileInfo>
#include <QIODevice>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr std::size_t kLongestName = 255; // NAME_MAX of the file systems Linux mounts
constexpr std::size_t kSuffixLength = 6;  // ".XXXXXX"
constexpr std::chrono::seconds kAbandonedAge{1};

bool IsSuffixCharacter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// "." and the target's name, cut (at a character boundary) so that the temporary's name still
// fits in a folder entry.
std::string TemporaryStem(const QByteArray &targetName)
{
    std::string stem = "." + targetName.toStdString();
    const std::size_t room = kLongestName - 1 - kSuffixLength;
    if (stem.size() > room) {
        std::size_t cut = room;
        while (cut > 1 && (static_cast<unsigned char>(stem[cut]) & 0xC0) == 0x80)
            --cut;
        stem.resize(cut);
    }
    return stem;
}

// The stem of the target whose temporary `entry` would be, or nothing.
std::string StemOf(const char *entry)
{
    const std::size_t length = std::strlen(entry);
    if (length < kSuffixLength + 3 || entry[0] != '.' || entry[length - kSuffixLength - 1] != '.')
        return {};
    for (std::size_t i = length - kSuffixLength; i < length; ++i)
        if (!IsSuffixCharacter(entry[i]))
            return {};
    return std::string(entry, length - kSuffixLength - 1);
}

// Removes `name` in the open folder when no writer holds it and it is old enough not to be one
// that is about to be locked.
void RemoveIfAbandoned(int folder, const char *name)
{
    const int fd = openat(folder, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return;
    struct stat status {
    };
    if (fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && flock(fd, LOCK_EX | LOCK_NB) == 0) {
        const auto modified =
            std::chrono::system_clock::time_point(std::chrono::duration_cast<std::chrono::system_clock::duration>(
                std::chrono::seconds(status.st_mtim.tv_sec) + std::chrono::nanoseconds(status.st_mtim.tv_nsec)));
        if (std::chrono::system_clock::now() - modified >= kAbandonedAge)
            unlinkat(folder, name, 0);
    }
    close(fd);
}

void ClearStems(const QString &folder, const std::set<std::string> &stems)
{
    if (stems.empty())
        return;
    DIR *listing = opendir(QFile::encodeName(folder.isEmpty() ? QStringLiteral(".") : folder).constData());
    if (listing == nullptr)
        return;
    std::vector<std::string> abandoned;
    while (const dirent *entry = readdir(listing)) {
        const std::string stem = StemOf(entry->d_name);
        if (!stem.empty() && stems.contains(stem))
            abandoned.emplace_back(entry->d_name);
    }
    for (const std::string &name : abandoned)
        RemoveIfAbandoned(dirfd(listing), name.c_str());
    closedir(listing);
}

} // namespace

// The temporary's descriptor behind a QIODevice, with a buffer of its own: every write is
// checked, and the first error is kept for Commit().
class WholeFile::Output : public QIODevice
{
public:
    explicit Output(int fd) : fd_(fd)
    {
        buffer_.reserve(kBufferBytes);
        open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }
    ~Output() override
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int Descriptor() const { return fd_; }
    int Error() const { return error_; }

    bool isSequential() const override { return true; }

    // Writes what is buffered, then asks the system to put it on the disk.
    bool Sync() { return Drain() && (fsync(fd_) == 0 || Fail()); }
    bool CloseDescriptor()
    {
        const int fd = fd_;
        fd_ = -1;
        QIODevice::close();
        // Network file systems tell some write errors only here.
        return ::close(fd) == 0 || Fail();
    }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override
    {
        if (error_ != 0)
            return -1;
        const auto bytes = static_cast<std::size_t>(size);
        if (buffer_.size() + bytes > kBufferBytes && !Drain())
            return -1;
        if (bytes >= kBufferBytes)
            return WriteAll(data, bytes) ? size : -1;
        buffer_.insert(buffer_.end(), data, data + bytes);
        return size;
    }

private:
    static constexpr std::size_t kBufferBytes = 64 * 1024;

    bool Fail()
    {
        if (error_ == 0)
            error_ = errno != 0 ? errno : EIO;
        return false;
    }
    bool WriteAll(const char *data, std::size_t size)
    {
        while (size > 0) {
            const ssize_t written = ::write(fd_, data, size);
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0) {
                // A write that makes no progress is a full device.
                if (written == 0)
                    errno = ENOSPC;
                return Fail();
            }
            data += written;
            size -= static_cast<std::size_t>(written);
        }
        return true;
    }
    bool Drain()
    {
        if (error_ != 0)
            return false;
        const bool ok = WriteAll(buffer_.data(), buffer_.size());
        buffer_.clear();
        return ok;
    }

    int fd_;
    int error_ = 0;
    std::vector<char> buffer_;
};

WholeFile::WholeFile(const QString &target) : target_(target) {}

WholeFile::~WholeFile()
{
    Discard();
}

bool WholeFile::Open(Abandoned abandoned)
{
    Discard();
    failed_ = false;
    error_ = 0;
    const QFileInfo info(target_);
    if (info.isDir()) {
        failed_ = true;
        error_ = EISDIR;
        return false;
    }
    const QString folder = info.path();
    const std::string stem = TemporaryStem(QFile::encodeName(info.fileName()));
    if (abandoned == Abandoned::Clear)
        ClearStems(folder, {stem});

    // An existing file keeps the permissions its owner gave it; a new one gets 0666 less the
    // umask, which the system applies when the temporary is made.
    struct stat existing {
    };
    const bool replaces = stat(QFile::encodeName(target_).constData(), &existing) == 0 && S_ISREG(existing.st_mode);
    const std::string base = QFile::encodeName(folder).toStdString() + "/" + stem + ".";
    static constexpr char kCharacters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        unsigned char random[kSuffixLength];
        if (getrandom(random, sizeof random, 0) != static_cast<ssize_t>(sizeof random))
            break;
        std::string path = base;
        for (const unsigned char byte : random)
            path += kCharacters[byte % (sizeof kCharacters - 1)];
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0)
            break;
        liveSlot_ = AddLiveTemporary(path);
        temporary_ = QFile::decodeName(QByteArray::fromStdString(path));
        device_ = std::make_unique<Output>(fd);
        // Held for as long as the file is written: a later run knows it is not abandoned.
        flock(fd, LOCK_EX);
        if (replaces)
            fchmod(fd, existing.st_mode & 07777);
        return true;
    }
    failed_ = true;
    error_ = errno != 0 ? errno : EIO;
    return false;
}

QIODevice *WholeFile::Device()
{
    return device_.get();
}

bool WholeFile::Write(QByteArrayView bytes)
{
    return device_ && device_->write(bytes.data(), bytes.size()) == bytes.size();
}

QString WholeFile::TemporaryPath() const
{
    return temporary_;
}

bool WholeFile::Commit()
{
    if (!device_) {
        failed_ = true;
        error_ = error_ != 0 ? error_ : EBADF;
        return false;
    }
    const QByteArray temporary = QFile::encodeName(temporary_);
    const bool written = device_->Sync() && device_->CloseDescriptor() &&
                         std::rename(temporary.constData(), QFile::encodeName(target_).constData()) == 0;
    if (!written) {
        error_ = device_->Error() != 0 ? device_->Error() : (errno != 0 ? errno : EIO);
        failed_ = true;
        Discard();
        return false;
    }
    DropLiveTemporary(liveSlot_);
    liveSlot_ = -1;
    device_.reset();
    temporary_.clear();
    return true;
}

void WholeFile::Discard()
{
    if (!device_)
        return;
    ::unlink(QFile::encodeName(temporary_).constData());
    DropLiveTemporary(liveSlot_);
    liveSlot_ = -1;
    device_.reset();
    temporary_.clear();
}

WriteProblem WholeFile::Problem() const
{
    if (!failed_)
        return WriteProblem::None;
    switch (error_) {
    case ENOSPC:
    case EDQUOT:
        return WriteProblem::DiskFull;
    case EISDIR:
        return WriteProblem::Folder;
    default:
        return WriteProblem::Unwritable;
    }
}

QString WholeFile::ErrorText() const
{
    const QString start = QStringLiteral("Impossible d'écrire le fichier « %1 » : ").arg(target_);
    switch (Problem()) {
    case WriteProblem::None:
        return {};
    case WriteProblem::DiskFull:
        return start + QStringLiteral("le disque est plein.");
    case WriteProblem::Folder:
        return start + QStringLiteral("c'est un dossier.");
    case WriteProblem::Unwritable:
        break;
    }
    return start + QStringLiteral("vérifiez le dossier et les droits.");
}

void ClearAbandonedTemporaries(const QString &folder, const std::set<QString> &targets)
{
    std::set<std::string> stems;
    for (const QString &target : targets)
        stems.insert(TemporaryStem(QFile::encodeName(target)));
    ClearStems(folder, stems);
}

} // namespace platform
