#include "app/IniFile.h"

#include "app/PrivateFiles.h"
#include "base/BoundedFile.h"
#include "base/Cp1252.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

namespace qel::app {

const QString IniFile::kFileName = QStringLiteral("PM000.INI");
const QString IniFile::kOptions = QStringLiteral("Options");

namespace {

const QString kWhat = QStringLiteral("el archivo de configuración");

QStringList linesOf(const QByteArray& bytes) {
    QString text = decodeImportText(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty()) {
        lines.removeLast();
    }
    return lines;
}

QStringList readLines(const QString& path) {
    const BoundedRead file = readBoundedFile(path, IniFile::kMaxBytes);
    return file.ok() ? linesOf(file.bytes) : QStringList();
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

QString permissions(mode_t mode) {
    return QString::number(mode & 07777, 8).rightJustified(4, QLatin1Char('0'));
}

// The first line holding a control character that no text file has; 0 when there is none.
int controlCharacterLine(const QString& text) {
    int line = 1;
    for (const QChar c : text) {
        if (c == QLatin1Char('\n')) {
            ++line;
        } else if (c.unicode() < 0x20 && c != QLatin1Char('\t') && c != QLatin1Char('\r')) {
            return line;
        }
    }
    return 0;
}

// Writes the whole file as a new file beside it, then renames it over the path: the rename
// replaces the directory entry itself, so a link put in its place is never followed.
bool replaceFile(const QString& path, const QByteArray& content, mode_t mode) {
    const QByteArray target = QFile::encodeName(path);
    const QByteArray temporary = target + ".nuevo";
    ::unlink(temporary.constData());
    const int fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
    if (fd < 0) {
        return false;
    }
    bool ok = ::fchmod(fd, mode) == 0;
    for (qsizetype done = 0; ok && done < content.size();) {
        const ssize_t written = ::write(fd, content.constData() + done, static_cast<size_t>(content.size() - done));
        if (written < 0 && errno == EINTR) {
            continue;
        }
        ok = written > 0;
        done += ok ? written : 0;
    }
    ok = ok && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (!ok || ::rename(temporary.constData(), target.constData()) != 0) {
        ::unlink(temporary.constData());
        return false;
    }
    return true;
}

} // namespace

QString IniFile::refusal(uid_t user) const {
    const QString shown = QDir::toNativeSeparators(m_path);
    const QByteArray name = QFile::encodeName(m_path);
    struct stat file {};
    if (::lstat(name.constData(), &file) != 0) {
        return QStringLiteral("No se encuentra el archivo de configuración %1. Cree el entorno con: qel "
                              "--create-environment CARPETA")
            .arg(shown);
    }
    if (S_ISLNK(file.st_mode)) {
        return QStringLiteral("El archivo de configuración %1 es un enlace simbólico: no se usa. Reemplácelo por "
                              "un archivo propio.")
            .arg(shown);
    }
    if (S_ISDIR(file.st_mode)) {
        return QStringLiteral("%1 es una carpeta, no el archivo de configuración %2.").arg(shown, kFileName);
    }
    if (!S_ISREG(file.st_mode)) {
        return QStringLiteral("%1 no es un archivo regular (es una tubería, un dispositivo o un socket): no se lee "
                              "como archivo de configuración.")
            .arg(shown);
    }
    if (file.st_uid != user) {
        return QStringLiteral("El archivo de configuración %1 pertenece a otro usuario del sistema: no se usa. El "
                              "usuario y la base de datos del QEL solo se toman de una configuración propia.")
            .arg(shown);
    }
    if ((file.st_mode & (S_IWGRP | S_IWOTH)) != 0) {
        return QStringLiteral("El archivo de configuración %1 lo pueden modificar otros usuarios (permisos %2): no "
                              "se usa. Quíteles el permiso de escritura (chmod go-w).")
            .arg(shown, permissions(file.st_mode));
    }
    const QString folderPath = QFileInfo(m_path).absolutePath();
    const QString folderShown = QDir::toNativeSeparators(folderPath);
    struct stat folder {};
    if (::stat(QFile::encodeName(folderPath).constData(), &folder) != 0 || folder.st_uid != user) {
        return QStringLiteral("La carpeta %1 del archivo de configuración pertenece a otro usuario del sistema: no "
                              "se usa. El usuario y la base de datos del QEL solo se toman de una configuración "
                              "propia.")
            .arg(folderShown);
    }
    if ((folder.st_mode & (S_IWGRP | S_IWOTH)) != 0) {
        return QStringLiteral("La carpeta %1 del archivo de configuración la pueden modificar otros usuarios "
                              "(permisos %2): no se usa. Quíteles el permiso de escritura (chmod go-w).")
            .arg(folderShown, permissions(folder.st_mode));
    }

    const BoundedRead read = readBoundedFile(m_path, kMaxBytes);
    if (!read.ok()) {
        return read.problem(kWhat, shown, kMaxBytes);
    }
    const DecodedText decoded = decodeTextFile(read.bytes);
    if (const QString problem = decoded.problem(QStringLiteral("El archivo de configuración ") + shown);
        !problem.isEmpty()) {
        return problem;
    }
    if (const int line = controlCharacterLine(decoded.text); line > 0) {
        return QStringLiteral("El archivo de configuración %1 no es un archivo de texto: la línea %2 tiene "
                              "caracteres de control.")
            .arg(shown)
            .arg(line);
    }
    QString section;
    for (const QString& line : decoded.text.split(QLatin1Char('\n'))) {
        if (isSection(line, &section) && section.compare(kOptions, Qt::CaseInsensitive) == 0) {
            return {};
        }
    }
    return QStringLiteral("El archivo de configuración %1 no tiene la sección [%2].").arg(shown, kOptions);
}

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
    const QByteArray name = QFile::encodeName(m_path);
    struct stat existing {};
    const bool created = ::lstat(name.constData(), &existing) != 0;
    if (!created && !S_ISREG(existing.st_mode)) {
        return false; // a link, a folder, a FIFO: never written through
    }
    QStringList lines;
    if (!created) {
        const BoundedRead file = readBoundedFile(m_path, kMaxBytes);
        if (!file.ok()) {
            return false; // what cannot be read is not replaced by a file of one key
        }
        lines = linesOf(file.bytes);
    }
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
    // A new file is its owner's only; one that exists keeps its permissions, less any write
    // permission of others, which would make it a configuration the module does not believe.
    const mode_t mode = created ? (S_IRUSR | S_IWUSR) : (existing.st_mode & 07777 & ~(S_IWGRP | S_IWOTH));
    return replaceFile(m_path, (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8(), mode);
}

} // namespace qel::app
