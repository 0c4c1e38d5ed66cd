#include "app/IniFile.h"

#include "app/PrivateFiles.h"
#include "base/Cp1252.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringList>

namespace qel::app {

const QString IniFile::kFileName = QStringLiteral("PM000.INI");
const QString IniFile::kOptions = QStringLiteral("Options");

namespace {

QStringList readLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    QString text = decodeImportText(file.readAll());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty()) {
        lines.removeLast();
    }
    return lines;
}

bool isSection(const QString& line, QString* name) {
    const QString t = line.trimmed();
    if (t.startsWith(QLatin1Char('[')) && t.endsWith(QLatin1Char(']'))) {
        *name = t.mid(1, t.size() - 2).trimmed();
        return true;
    }
    return false;
}

bool isKey(const QString& line, const QString& key, QString* value) {
    const auto eq = line.indexOf(QLatin1Char('='));
    if (eq < 0 || line.left(eq).trimmed().compare(key, Qt::CaseInsensitive) != 0) {
        return false;
    }
    *value = line.mid(eq + 1);
    return true;
}

} // namespace

QString IniFile::configFolder() {
    QString explicitFolder = qEnvironmentVariable("QEL_CONFIG_DIR");
    if (!explicitFolder.isEmpty()) {
        return explicitFolder;
    }
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty()) {
        base = QDir::homePath() + QStringLiteral("/.config");
    }
    return base + QStringLiteral("/qel");
}

IniFile IniFile::standard() {
    return IniFile(configFolder() + QLatin1Char('/') + kFileName);
}

bool IniFile::exists() const {
    return QFileInfo::exists(m_path);
}

QString IniFile::read(const QString& section, const QString& key) const {
    QString current;
    bool inSection = false;
    for (const QString& line : readLines(m_path)) {
        if (isSection(line, &current)) {
            inSection = current.compare(section, Qt::CaseInsensitive) == 0;
            continue;
        }
        QString value;
        if (inSection && isKey(line, key, &value)) {
            // the blanks around the value are not part of it; what is left fills at most the
            // 255-character buffer of the profile reader
            return value.trimmed().left(255).trimmed();
        }
    }
    return {};
}

bool IniFile::canWrite(const QString& section, const QString& key, const QString& value) {
    // One line per key, no escapes: a line break (or the end of a text) would start a line
    // of its own, an '=' in a key or a ']' in a section would read back as something else.
    const auto breaksLine = [](const QString& text) {
        return text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r')) || text.contains(QChar(0)) ||
               text.contains(QChar(0x2028)) || text.contains(QChar(0x2029)) || text.contains(QChar(0x85));
    };
    if (breaksLine(section) || breaksLine(key) || breaksLine(value)) {
        return false;
    }
    return !key.trimmed().isEmpty() && !key.contains(QLatin1Char('=')) && !key.trimmed().startsWith(QLatin1Char('[')) &&
           !section.contains(QLatin1Char(']'));
}

bool IniFile::write(const QString& section, const QString& key, const QString& value) const {
    if (!canWrite(section, key, value)) {
        return false;
    }
    QStringList lines = readLines(m_path);
    const QString entry = key + QLatin1Char('=') + value;
    QString current;
    int sectionLine = -1;
    int lastInSection = -1;
    bool written = false;
    for (int i = 0; i < lines.size() && !written; ++i) {
        if (isSection(lines.at(i), &current)) {
            if (sectionLine >= 0) {
                break; // the next section begins
            }
            if (current.compare(section, Qt::CaseInsensitive) == 0) {
                sectionLine = lastInSection = i;
            }
            continue;
        }
        QString old;
        if (sectionLine >= 0) {
            if (isKey(lines.at(i), key, &old)) {
                lines[i] = entry;
                written = true;
            } else if (!lines.at(i).trimmed().isEmpty()) {
                lastInSection = i;
            }
        }
    }
    if (!written) {
        if (sectionLine < 0) {
            if (!lines.isEmpty() && !lines.last().trimmed().isEmpty()) {
                lines.append(QString());
            }
            lines.append(QLatin1Char('[') + section + QLatin1Char(']'));
            lines.append(entry);
        } else {
            lines.insert(lastInSection + 1, entry);
        }
    }
    makePrivateFolder(QFileInfo(m_path).absolutePath());
    const bool created = !exists();
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    file.write((lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8());
    if (!file.commit()) {
        return false;
    }
    if (created) {
        makePrivateFile(m_path);
    }
    return true;
}

} // namespace qel::app
