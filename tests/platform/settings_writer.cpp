// Writes the settings store the way the program does, from a separate process:
//   settings_writer FILE numbers PREFIX COUNT   Settings\PREFIX<i> := i and Settings\Shared := i
//   settings_writer FILE forever                rewrites Settings\Counter until killed
//   settings_writer FILE limited BYTES NAME TEXT  the same write with files capped at BYTES
//                                               (a full disk); exit status 3 when it failed
#include "platform/registry.h"

#include <sys/resource.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const QString kSettings = QStringLiteral("Software\\Varnel\\Tamvel\\Settings");

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 3)
        return 2;
    platform::SetSettingsFile(QString::fromLocal8Bit(argv[1]));
    const auto key = platform::RegistryKey::Create(kSettings);
    if (!key)
        return 2;
    auto store = *key;
    if (std::strcmp(argv[2], "numbers") == 0 && argc == 5) {
        const QString prefix = QString::fromLocal8Bit(argv[3]);
        const int count = std::atoi(argv[4]);
        for (int i = 0; i < count; ++i) {
            store.SetNumber(prefix + QString::number(i), static_cast<std::uint32_t>(i));
            store.SetNumber(QStringLiteral("Shared"), static_cast<std::uint32_t>(i));
        }
        return 0;
    }
    if (std::strcmp(argv[2], "forever") == 0) {
        for (std::uint32_t i = 0;; ++i)
            store.SetNumber(QStringLiteral("Counter"), i);
    }
    if (std::strcmp(argv[2], "limited") == 0 && argc == 6) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{static_cast<rlim_t>(std::atol(argv[3])), static_cast<rlim_t>(std::atol(argv[3]))};
        setrlimit(RLIMIT_FSIZE, &limit);
        return store.SetText(QString::fromLocal8Bit(argv[4]), QString::fromLocal8Bit(argv[5])) ? 0 : 3;
    }
    return 2;
}
