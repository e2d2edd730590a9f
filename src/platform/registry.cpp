#include "platform/registry.h"

#include "platform/abandoned_lock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>
#include <QVariant>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <memory>
#include <set>
#include <thread>

namespace platform {

namespace {

const QString kRootPrefix = QStringLiteral("Software\\Varnel\\Tamvel");

// The file as the system describes it. QSettings notices a change by size and millisecond time
// only; a new inode (every atomic write makes one) or nanosecond times tell a write by another
// process of the same size within the same millisecond.
struct FileStamp {
    bool exists = false;
    bool regular = false;
    qint64 size = -1;
    quint64 inode = 0;
    qint64 modifiedSeconds = 0;
    qint64 modifiedNanoseconds = 0;
    qint64 changedSeconds = 0;
    qint64 changedNanoseconds = 0;
    bool operator==(const FileStamp &) const = default;
};

FileStamp StampOf(const QString &file)
{
    struct stat status {
    };
    if (::stat(QFile::encodeName(file).constData(), &status) != 0)
        return {};
    return {true,
            S_ISREG(status.st_mode),
            static_cast<qint64>(status.st_size),
            static_cast<quint64>(status.st_ino),
            static_cast<qint64>(status.st_mtim.tv_sec),
            static_cast<qint64>(status.st_mtim.tv_nsec),
            static_cast<qint64>(status.st_ctim.tv_sec),
            static_cast<qint64>(status.st_ctim.tv_nsec)};
}

// What the process knows about the settings file it uses.
struct StoreState {
    QString chosenFile;   // from --settings; empty for the user's own file
    bool damaged = false; // the file was seen unreadable or unparsable
    bool failureReported = false;
    int lockDepth = 0; // SettingsLock objects alive
    bool lockHeld = false;
    int lockFd = -1;
    FileStamp lastSeen; // the file as it was when last parsed whole
    // Qt's parsed copy of the file, kept alive between operations and read by them: without a
    // living QSettings on it, every operation would read and parse the whole file again.
    std::unique_ptr<QSettings> anchor;
    QString anchorFile;
    int transactionDepth = 0;
    bool transactionFailed = false;
    std::unique_ptr<QSettings> transaction; // the writes waiting for the outermost transaction
};

StoreState &State()
{
    static StoreState state;
    return state;
}

QString GroupOf(const QString &path)
{
    QString rest = path;
    if (rest.compare(kRootPrefix, Qt::CaseInsensitive) == 0)
        return {};
    if (rest.startsWith(kRootPrefix + u'\\', Qt::CaseInsensitive))
        rest = rest.mid(kRootPrefix.size() + 1);
    rest.replace(u'\\', u'/');
    return rest;
}

QString JoinKey(const QString &group, const QString &name)
{
    return group.isEmpty() ? name : group + u'/' + name;
}

void Report(const QString &message)
{
    std::fprintf(stderr, "tamvel : %s\n", message.toLocal8Bit().constData());
}

void ReportWriteFailure(const QString &file)
{
    StoreState &state = State();
    if (state.failureReported)
        return;
    state.failureReported = true;
    Report(QStringLiteral("les réglages n'ont pas pu être enregistrés dans « %1 » ; "
                          "ils restent valables jusqu'à la fin de cette session.")
               .arg(file));
}

// Opens the store for one operation and remembers whether the file could be read.
// Qt's parsed copy of the file, read anew when the file changed; what every read looks at.
QSettings &ParsedFile(const QString &file)
{
    StoreState &state = State();
    const FileStamp stamp = StampOf(file);
    if (state.anchor && state.anchorFile == file && stamp == state.lastSeen)
        return *state.anchor;
    // Dropping the last object on the file drops Qt's parsed copy, so the file is read anew.
    state.anchor.reset();
    state.anchorFile = file;
    state.lastSeen = stamp;
    // Opening a FIFO would wait for a writer, a device would be read for ever: such a file, or
    // one too large to be settings, reads as an empty store (its name empty: nothing behind it).
    if (stamp.exists && (!stamp.regular || stamp.size > kMaxSettingsBytes)) {
        state.damaged = true;
        state.anchor = std::make_unique<QSettings>(QString(), QSettings::IniFormat);
        return *state.anchor;
    }
    state.anchor = std::make_unique<QSettings>(file, QSettings::IniFormat);
    state.anchor->setFallbacksEnabled(false);
    // Sections are parsed lazily; listing the keys parses them all so that the status tells.
    state.anchor->allKeys();
    if (state.anchor->status() != QSettings::NoError)
        state.damaged = true;
    return *state.anchor;
}

// A store object of its own for one write, once the file is known to be parsed.
std::unique_ptr<QSettings> OpenStore(const QString &file)
{
    ParsedFile(file);
    auto settings = std::make_unique<QSettings>(file, QSettings::IniFormat);
    settings->setFallbacksEnabled(false);
    settings->setAtomicSyncRequired(true);
    if (settings->status() != QSettings::NoError)
        State().damaged = true;
    return settings;
}

// Opens the store for writing, or nothing when writing would destroy what does not read as
// settings.
std::unique_ptr<QSettings> OpenStoreForWriting(const QString &file)
{
    StoreState &state = State();
    const QFileInfo info(file);
    if (const QString problem = SettingsFileProblem(); !problem.isEmpty() || (info.exists() && !info.isReadable())) {
        if (!problem.isEmpty() && !state.failureReported)
            Report(problem);
        ReportWriteFailure(file);
        return nullptr;
    }
    auto settings = OpenStore(file);
    if (settings->status() != QSettings::NoError || state.damaged) {
        if (!state.failureReported)
            Report(QStringLiteral("le fichier de réglages « %1 » ne se lit pas comme des réglages de Tamvel : il "
                                  "n'est pas modifié ; corrigez-le ou supprimez-le.")
                       .arg(file));
        state.failureReported = true;
        return nullptr;
    }
    return settings;
}

bool Flush(QSettings &settings)
{
    // QSettings writes under <file>.lock; a stale lock is removed under <lock>.rmlock, and a
    // stale one of those under its own .rmlock.
    QString lock = settings.fileName() + QStringLiteral(".lock");
    for (int level = 0; level < 3; ++level, lock += QStringLiteral(".rmlock"))
        ClearAbandonedLock(lock);
    // Qt would wait for ever on a lock file that is a folder or a FIFO.
    if (const QString problem = SettingsFileProblem(); !problem.isEmpty()) {
        if (!State().failureReported)
            Report(problem);
        ReportWriteFailure(settings.fileName());
        return false;
    }
    settings.sync();
    if (settings.status() == QSettings::AccessError) {
        ReportWriteFailure(settings.fileName());
        return false;
    }
    return true;
}

// Runs one change on the store and writes it through at once, or at the end of the
// transaction that is open.
template <typename Change>
bool WriteToStore(Change &&change)
{
    StoreState &state = State();
    if (state.transactionDepth > 0) {
        if (state.transactionFailed)
            return false;
        if (!state.transaction)
            state.transaction = OpenStoreForWriting(SettingsFile());
        if (!state.transaction) {
            state.transactionFailed = true;
            return false;
        }
        change(*state.transaction);
        return true;
    }
    const SettingsLock lock;
    if (!lock.Held())
        return false;
    auto settings = OpenStoreForWriting(SettingsFile());
    if (!settings)
        return false;
    change(*settings);
    return Flush(*settings);
}

std::optional<QString> RawText(const QVariant &value)
{
    if (!value.isValid())
        return std::nullopt;
    // An unquoted hand-written text with commas comes back as a list.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    if (!value.canConvert<QString>())
        return std::nullopt;
    return value.toString();
}

// The store as a reader sees it: inside a transaction, its pending writes included (another
// object on the same file would write them out early).
class StoreForReading
{
public:
    StoreForReading() : settings_(State().transaction ? State().transaction.get() : &ParsedFile(SettingsFile())) {}
    QSettings *operator->() const { return settings_; }

private:
    QSettings *settings_;
};

// The settings lock, taken with flock on <file>.verrou within kSettingsLockWaitSeconds; -1 when
// none can be made (a folder that cannot be written) or it did not come (Held() false).
int TakeSettingsLock(bool &held)
{
    const QString file = SettingsFile();
    held = false;
    if (const QString problem = SettingsFileProblem(); !problem.isEmpty()) {
        ReportSettingsNote(problem);
        return -1;
    }
    QDir().mkpath(QFileInfo(file).absolutePath());
    const QByteArray path = QFile::encodeName(file + QStringLiteral(".verrou"));
    int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0644);
    if (fd < 0)
        fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    held = true;
    if (fd < 0)
        return -1;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(kSettingsLockWaitSeconds);
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        // A file system without locks: work as before locks existed.
        if (errno != EWOULDBLOCK && errno != EINTR)
            break;
        if (std::chrono::steady_clock::now() > deadline) {
            ::close(fd);
            held = false;
            ReportSettingsNote(QStringLiteral("le fichier de réglages « %1 » est tenu par un autre Tamvel depuis plus "
                                              "de %2 s : rien n'y a été enregistré.")
                                   .arg(file)
                                   .arg(kSettingsLockWaitSeconds));
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return fd;
}

} // namespace

QString SettingsFileProblem()
{
    const QString file = SettingsFile();
    const FileStamp stamp = StampOf(file);
    if (stamp.exists && !stamp.regular)
        return QStringLiteral("« %1 » n'est pas un fichier ordinaire (dossier, tube ou périphérique) : il ne peut pas "
                              "servir de fichier de réglages.")
            .arg(file);
    if (stamp.size > kMaxSettingsBytes)
        return QStringLiteral(
                   "le fichier de réglages « %1 » dépasse %2 Mo : ce ne sont pas des réglages de Tamvel ; il "
                   "n'est ni lu ni modifié.")
            .arg(file)
            .arg(kMaxSettingsBytes / (1024 * 1024));
    for (const QString &lock : {file + QStringLiteral(".lock"), file + QStringLiteral(".verrou")}) {
        const FileStamp lockStamp = StampOf(lock);
        if (lockStamp.exists && !lockStamp.regular)
            return QStringLiteral("« %1 », où se met le verrou du fichier de réglages, n'est pas un fichier "
                                  "ordinaire : supprimez-le.")
                .arg(lock);
    }
    return {};
}

void ReportSettingsNote(const QString &text)
{
    static std::set<QString> told;
    if (told.insert(text).second)
        Report(text);
}

SettingsLock::SettingsLock()
{
    StoreState &state = State();
    if (state.lockDepth++ == 0)
        state.lockFd = TakeSettingsLock(state.lockHeld);
    held_ = state.lockHeld;
}

SettingsLock::~SettingsLock()
{
    StoreState &state = State();
    if (--state.lockDepth == 0 && state.lockFd >= 0) {
        ::close(state.lockFd);
        state.lockFd = -1;
    }
}

StoreTransaction::StoreTransaction()
{
    if (++State().transactionDepth == 1 && !lock_.Held())
        State().transactionFailed = true;
}

StoreTransaction::~StoreTransaction()
{
    Commit();
}

bool StoreTransaction::Commit()
{
    if (!open_)
        return committed_;
    open_ = false;
    StoreState &state = State();
    committed_ = !state.transactionFailed;
    if (--state.transactionDepth > 0)
        return committed_;
    if (state.transaction)
        committed_ = Flush(*state.transaction) && committed_;
    state.transaction.reset();
    state.transactionFailed = false;
    return committed_;
}

void SetSettingsFile(const QString &path)
{
    StoreState &state = State();
    if (path == state.chosenFile)
        return;
    if (state.lockFd >= 0)
        ::close(state.lockFd);
    state = StoreState{};
    state.chosenFile = path;
}

QString SettingsFile()
{
    const StoreState &state = State();
    if (!state.chosenFile.isEmpty())
        return state.chosenFile;
    const QSettings native(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Varnel"),
                           QStringLiteral("Tamvel"));
    return native.fileName();
}

QString CutToStoredLength(const QString &text)
{
    if (text.size() <= kMaxStoredText)
        return text;
    int length = kMaxStoredText;
    if (text.at(length - 1).isHighSurrogate())
        --length;
    return text.left(length);
}

std::optional<RegistryKey> RegistryKey::Open(const QString &path)
{
    const QString group = GroupOf(path);
    StoreForReading settings;
    if (group.isEmpty())
        return RegistryKey(group);
    settings->beginGroup(group);
    const bool exists = !settings->childKeys().isEmpty() || !settings->childGroups().isEmpty();
    settings->endGroup();
    if (!exists)
        return std::nullopt;
    return RegistryKey(group);
}

std::optional<RegistryKey> RegistryKey::Create(const QString &path)
{
    if (path.isEmpty())
        return std::nullopt;
    return RegistryKey(GroupOf(path));
}

std::optional<std::uint32_t> RegistryKey::QueryNumber(const QString &name) const
{
    StoreForReading settings;
    const auto text = RawText(settings->value(JoinKey(path_, name)));
    if (!text)
        return std::nullopt;
    const QByteArray digits = text->trimmed().toLatin1();
    long long number = 0;
    const char *end = digits.constData() + digits.size();
    const auto [ptr, ec] = std::from_chars(digits.constData(), end, number);
    if (digits.isEmpty() || ec != std::errc() || ptr != end || number < -2147483648LL || number > 4294967295LL)
        return std::nullopt;
    return static_cast<std::uint32_t>(number);
}

std::optional<QString> RegistryKey::QueryText(const QString &name) const
{
    StoreForReading settings;
    auto text = RawText(settings->value(JoinKey(path_, name)));
    // The reader's buffer holds 254 characters and the terminating zero.
    if (!text || text->size() > kMaxStoredText)
        return std::nullopt;
    const qsizetype zero = text->indexOf(QChar(u'\0'));
    if (zero >= 0)
        text->truncate(zero);
    return text;
}

QStringList RegistryKey::ValueNames() const
{
    StoreForReading settings;
    if (path_.isEmpty())
        return settings->childKeys();
    settings->beginGroup(path_);
    QStringList names = settings->childKeys();
    settings->endGroup();
    return names;
}

bool RegistryKey::SetNumber(const QString &name, std::uint32_t value)
{
    const QString key = JoinKey(path_, name);
    return WriteToStore([&](QSettings &settings) { settings.setValue(key, QString::number(value)); });
}

bool RegistryKey::SetText(const QString &name, const QString &text)
{
    const QString key = JoinKey(path_, name);
    const QString stored = CutToStoredLength(text);
    return WriteToStore([&](QSettings &settings) { settings.setValue(key, stored); });
}

bool RegistryKey::DeleteSubKey(const QString &name)
{
    const QString key = JoinKey(path_, name);
    return WriteToStore([&](QSettings &settings) { settings.remove(key); });
}

} // namespace platform
