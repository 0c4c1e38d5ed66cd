// The configuration file is written by other programs too: any content must read without
// crashing, and a key written is read back as written.
#include "app/IniFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/PM000.INI");
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) {
            return 0;
        }
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    const qel::app::IniFile ini(path);
    (void)ini.read(QStringLiteral("Options"), QStringLiteral("SysPath"));
    if (ini.write(QStringLiteral("Options"), QStringLiteral("DBName"), QStringLiteral("QEL.db")) &&
        ini.read(QStringLiteral("Options"), QStringLiteral("DBName")) != QStringLiteral("QEL.db")) {
        std::abort();
    }
    return 0;
}
