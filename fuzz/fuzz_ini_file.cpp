// The configuration file is written by other programs too: any content must read without
// crashing, the checks of a configuration say yes or give a reason, a file past the size limit
// is refused without being read, and a key written is read back as written.
#include "app/IniFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/PM000.INI");
    // Past the reader's limit the bytes are a repetition of the input, so that the limit itself
    // is fuzzed too without feeding the fuzzer megabytes.
    const bool oversized = size > 0 && data[0] == 0xFF;
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            return 0;
        }
        const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
        file.write(bytes);
        for (qint64 written = bytes.size(); oversized && written <= qel::app::IniFile::kMaxBytes;
             written += bytes.size()) {
            file.write(bytes);
        }
    }
    const qel::app::IniFile ini(path);
    const QString refusal = ini.refusal();
    if (oversized && refusal.isEmpty()) {
        std::abort(); // a file past the limit is never believed
    }
    const QString sysPath = ini.read(QStringLiteral("Options"), QStringLiteral("SysPath"));
    if (sysPath.size() > 255) {
        std::abort();
    }
    if (ini.write(QStringLiteral("Options"), QStringLiteral("DBName"), QStringLiteral("QEL.db")) &&
        ini.read(QStringLiteral("Options"), QStringLiteral("DBName")) != QStringLiteral("QEL.db")) {
        std::abort();
    }
    return 0;
}
