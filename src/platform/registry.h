#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace platform {

// The settings tree lives in one INI file: the user's own (QSettings, organisation "Varnel",
// application "Tamvel") unless another one was chosen with --settings.
void SetSettingsFile(const QString &path);
QString SettingsFile();

// A registry-shaped key of that file. A path "Software\Varnel\Tamvel\<rest>" maps to the group
// <rest> (backslashes become '/'). Every operation opens, works and closes: a key object holds
// nothing but its path, and every write reaches the file before the call returns.
class RegistryKey
{
public:
    // Fails when the key does not exist.
    static std::optional<RegistryKey> Open(const QString &path);
    // Opens the key, creating it and its parents; fails only when the store cannot be written.
    static std::optional<RegistryKey> Create(const QString &path);

    // A 32-bit number; absent when missing or not a number.
    std::optional<std::uint32_t> QueryNumber(const QString &name) const;
    // A text of at most 254 characters; a longer one reads as absent.
    std::optional<QString> QueryText(const QString &name) const;

    void SetNumber(const QString &name, std::uint32_t value);
    // Texts longer than 254 characters are cut to their first 254.
    void SetText(const QString &name, const QString &text);
    // Removes a subkey with all its values.
    void DeleteSubKey(const QString &name);
    void Close() {}

    const QString &Path() const { return path_; }

private:
    explicit RegistryKey(QString path) : path_(std::move(path)) {}
    QString path_;
};

// The longest text the store keeps.
constexpr int kMaxStoredText = 254;

} // namespace platform
