#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace platform {

// The settings tree lives in one INI file: the user's own (QSettings, organisation "Varnel",
// application "Tamvel", $XDG_CONFIG_HOME/Varnel/Tamvel.conf on Linux) unless another one was
// chosen with --settings. An empty path goes back to the user's own file.
void SetSettingsFile(const QString &path);
QString SettingsFile();

// A registry-shaped key of that file. A path "Software\Varnel\Tamvel\<rest>" maps to the group
// <rest> (backslashes become '/'). Every operation opens, works and closes: a key object holds
// nothing but its path, and every write reaches the file before the call returns.
//
// Safety of the user's data: writes replace the file atomically and merge with what another
// copy of the program wrote meanwhile (under the file's lock). A file that does not read as
// settings (unparsable, over kMaxSettingsBytes) is never replaced, nor is anything that is not a
// regular file (a device, a FIFO) ever opened; a write that fails is reported once on stderr; the
// values in memory are left alone either way.
class RegistryKey
{
public:
    // Fails when the key does not exist. An INI file cannot hold an empty key, so a key exists
    // when its group holds a value or a subgroup.
    static std::optional<RegistryKey> Open(const QString &path);
    // Opens the key, creating it and its parents. Nothing is written until a value is set (an
    // empty key cannot be stored), so a pure read never changes the file; fails only for an
    // empty path.
    static std::optional<RegistryKey> Create(const QString &path);
    // How every writer reaches its key: open it, or create it when it cannot be opened.
    static std::optional<RegistryKey> OpenOrCreate(const QString &path)
    {
        auto key = Open(path);
        return key ? key : Create(path);
    }

    // A 32-bit number; absent when missing or not a number. A signed text such as "-5" gives
    // its 32-bit pattern.
    std::optional<std::uint32_t> QueryNumber(const QString &name) const;
    // A text of at most 254 characters, up to its first zero character; a longer one reads as
    // absent.
    std::optional<QString> QueryText(const QString &name) const;

    // The names of the key's own values (RegEnumValue), in no particular order.
    QStringList ValueNames() const;

    // The write operations return whether the file holds the new value; callers may ignore it.
    bool SetNumber(const QString &name, std::uint32_t value);
    // Texts longer than 254 characters are cut to their first 254.
    bool SetText(const QString &name, const QString &text);
    // Removes a subkey with all its values.
    bool DeleteSubKey(const QString &name);
    void Close() {}

    const QString &Path() const { return path_; }

private:
    explicit RegistryKey(QString path) : path_(std::move(path)) {}
    QString path_;
};

// The largest settings file read: years of particular days and school holidays take a few
// hundred kilobytes; a larger file is no settings file of this program.
constexpr qint64 kMaxSettingsBytes = 8 * 1024 * 1024;

// Why the settings file cannot be used at all, one French sentence, or empty: its name is that of
// a folder, a FIFO or a device, its lock files are no files, or it is too large. Nothing of it is
// then read or written: a run that needs the settings should stop with this message.
QString SettingsFileProblem();

// Holds the settings file's own lock (<file>.verrou, taken with flock) for its life, so that a
// read-modify-write (an import merging into a list) is not interleaved with another copy of the
// program doing the same: the second waits, at most kSettingsLockWait, then gives up. Nested
// holders share the lock. A folder where no lock file can be made (read-only) is used unlocked:
// nothing can be written there anyway.
class SettingsLock
{
public:
    SettingsLock();
    ~SettingsLock();
    SettingsLock(const SettingsLock &) = delete;
    SettingsLock &operator=(const SettingsLock &) = delete;
    // False when the lock could not be had: the caller must not write.
    bool Held() const { return held_; }

private:
    bool held_ = false;
};
inline constexpr int kSettingsLockWaitSeconds = 10;

// Writes "tamvel : <text>" on stderr once per run and text: what the store has to say about the
// file (too many entries, a lock that does not come).
void ReportSettingsNote(const QString &text);

// Groups the writes made during its life into one replacement of the file, so that a list is
// never left half-written: the file changes once, when the outermost transaction ends. It holds
// the settings lock from its start: reads made inside it see the file as no other copy of the
// program can change it before the transaction's writes land.
class StoreTransaction
{
public:
    StoreTransaction();
    ~StoreTransaction();
    StoreTransaction(const StoreTransaction &) = delete;
    StoreTransaction &operator=(const StoreTransaction &) = delete;

    // Ends the transaction before its end of life and tells whether the file holds its writes
    // (an inner transaction tells whether they were taken: the outermost one writes them).
    bool Commit();

private:
    SettingsLock lock_;
    bool open_ = true;
    bool committed_ = false;
};

// The longest text the store keeps.
constexpr int kMaxStoredText = 254;

// The first kMaxStoredText characters of a text, never splitting a surrogate pair.
QString CutToStoredLength(const QString &text);

} // namespace platform
