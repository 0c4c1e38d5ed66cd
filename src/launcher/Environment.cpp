#include "launcher/Environment.h"

#include "app/PrivateFiles.h"
#include "launcher/UserAccounts.h"
#include "store/Schema.h"
#include "store/ServerAddress.h"
#include "store/ServerCopy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

// The module's help is compiled into qel_core with the reference data; a static library
// needs its resources registered by name, outside any namespace.
static void registerHelpResource() {
    Q_INIT_RESOURCE(refdata);
}

namespace qel::launcher {

const QString Environment::kSysVersion = QStringLiteral("1.0");
const QString Environment::kDatabaseName = QStringLiteral("QEL.db");
const QString Environment::kMenuFile = QStringLiteral("QELMENU.INI");
const QString Environment::kDefaultVersionHost = QStringLiteral("qel.kolva.gob.pe");
const QString Environment::kVersionHostKey = QStringLiteral("VersionHost");
const QString Environment::kHelpResource = QStringLiteral(":/data/help/Pm588.html");
const QString Environment::kModuleFolder = QStringLiteral("0588");
const QString Environment::kHelpFileName = QStringLiteral("Pm588.html");
const QString Environment::kEngineKey = QStringLiteral("DBEngine");
const QString Environment::kServerKey = QStringLiteral("DBServer");

namespace {

const QString& options() {
    return app::IniFile::kOptions;
}

// A folder we may write into: created when missing, then probed with a file of our own.
bool isWritableFolder(const QString& folder) {
    if (!app::makePrivateFolder(folder)) {
        return false;
    }
    QFile probe(QDir(folder).filePath(QStringLiteral(".qel-prueba-escritura")));
    if (!probe.open(QIODevice::WriteOnly)) {
        return false;
    }
    probe.close();
    probe.remove();
    return true;
}

void removeDatabaseFiles(const QString& path) {
    for (const QString& suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")}) {
        QFile::remove(path + suffix);
    }
}

QString normalised(const QString& folder) {
    return QDir::cleanPath(QDir(folder).absolutePath());
}

} // namespace

Environment::Environment(app::IniFile ini) : m_ini(std::move(ini)) {}

QString Environment::withTrailingSeparator(const QString& folder) {
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

QString Environment::sysPath() const {
    return m_ini.read(options(), QStringLiteral("SysPath"));
}

QString Environment::databaseFile() const {
    return m_ini.read(options(), QStringLiteral("DBPath")) + m_ini.read(options(), QStringLiteral("DBName"));
}

QString Environment::user() const {
    return m_ini.read(options(), QStringLiteral("SysUser"));
}

bool Environment::usesServer() const {
    return m_ini.read(options(), kEngineKey).compare(QStringLiteral("PostgreSQL"), Qt::CaseInsensitive) == 0;
}

QString Environment::server() const {
    return m_ini.read(options(), kServerKey);
}

bool Environment::setUser(const QString& user) const {
    return m_ini.write(options(), QStringLiteral("SysUser"), user);
}

bool Environment::isComplete() const {
    if (!m_ini.exists()) {
        return false;
    }
    if (usesServer()) {
        return !server().isEmpty();
    }
    const QString file = databaseFile();
    return !file.isEmpty() && QFileInfo(file).isFile();
}

store::Database::OpenResult Environment::openDatabase() const {
    if (usesServer()) {
        return store::Database::openServer(server());
    }
    return store::Database::open(databaseFile());
}

Environment::CreateResult Environment::create(const QString& folder, const QString& user, const QString& password,
                                              const QString& server) const {
    QString serverError;
    if (!server.isEmpty() && !store::parseServerUri(server, &serverError)) {
        return {Outcome::Failed, serverError + QStringLiteral(" No se modificó nada.")};
    }
    if (!server.isEmpty() && (!app::IniFile::canWrite(options(), kServerKey, server) || server.size() > kMaxIniValue)) {
        return {Outcome::Failed, QStringLiteral("La dirección del servidor no cabe en el archivo de configuración; "
                                                "no se modificó nada.")};
    }
    if (folder.trimmed().isEmpty()) {
        return {Outcome::Failed, QStringLiteral("Indique la carpeta en la que se creará el entorno del QEL.")};
    }
    const QString root = normalised(folder);
    const QString base = withTrailingSeparator(root);
    const QString databasePath = base + kDatabaseName;
    const QString recordedUser = user.isEmpty() && m_ini.exists() ? this->user() : user.trimmed().toUpper();
    if (!app::IniFile::canWrite(options(), QStringLiteral("SysPath"), base) ||
        !app::IniFile::canWrite(options(), QStringLiteral("SysUser"), recordedUser)) {
        return {Outcome::Failed, QStringLiteral("El nombre de la carpeta o del usuario tiene un salto de línea; "
                                                "elija otro. No se modificó nada.")};
    }

    // The configuration's values are read into a buffer of 255 characters: a longer folder would
    // be read back cut, and the environment would be announced and then not found.
    if (base.size() > kMaxIniValue) {
        return {Outcome::Failed, QStringLiteral("La ruta de la carpeta %1 tiene %2 caracteres; el archivo de "
                                                "configuración guarda rutas de hasta %3. Elija una carpeta de ruta "
                                                "más corta. No se modificó nada.")
                                     .arg(base)
                                     .arg(base.size())
                                     .arg(kMaxIniValue)};
    }

    if (m_ini.exists()) {
        const QString current = sysPath();
        const bool sameFolder = !current.isEmpty() && normalised(current) == root;
        if (isComplete()) {
            if (sameFolder) {
                return {Outcome::AlreadyExists,
                        QStringLiteral("El entorno ya existe en %1; no se modificó nada.").arg(base)};
            }
            return {Outcome::Failed,
                    QStringLiteral("La configuración %1 ya corresponde al entorno de %2; no se modificó nada. "
                                   "Para crear otro entorno use otra carpeta de configuración (QEL_CONFIG_DIR).")
                        .arg(QDir::toNativeSeparators(m_ini.path()), current)};
        }
        // An INI whose database is missing: the environment is completed below.
    }

    const QString configFolder = QFileInfo(m_ini.path()).absolutePath();
    if (!isWritableFolder(configFolder)) {
        return {Outcome::Failed,
                QStringLiteral("No se puede escribir el archivo de configuración en la carpeta %1.").arg(configFolder)};
    }
    if (!isWritableFolder(root)) {
        return {Outcome::Failed, QStringLiteral("No se puede crear el entorno en %1: la carpeta no se puede crear "
                                                "o no tiene permiso de escritura.")
                                     .arg(root)};
    }
    for (const QString& sub : {QStringLiteral("TMP"), QStringLiteral("RPT"), QStringLiteral("BMP"), kModuleFolder}) {
        if (!app::makePrivateFolder(base + sub)) {
            return {Outcome::Failed, QStringLiteral("No se pudo crear la carpeta %1.").arg(base + sub)};
        }
    }

    const QString helpPath = base + kModuleFolder + QLatin1Char('/') + kHelpFileName;
    if (!QFileInfo::exists(helpPath)) {
        registerHelpResource();
        if (!QFile::copy(kHelpResource, helpPath)) {
            return {Outcome::Failed, QStringLiteral("No se pudo copiar la ayuda del módulo en %1.").arg(helpPath)};
        }
        // A file copied out of the program's resources is read-only; the user may replace it.
        QFile::setPermissions(helpPath, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                                            QFileDevice::ReadOther);
    }

    bool joined = false;
    if (!server.isEmpty()) {
        // Another accountant's environment on the same server: its tables are used as they are,
        // and its users stay those its supervisor registered.
        auto existing = store::Database::openServer(server);
        if (!existing.database) {
            return {Outcome::Failed,
                    QStringLiteral("No se pudo crear el entorno:\n%1\nNo se modificó nada.").arg(existing.errorText)};
        }
        try {
            joined = existing.database->scalar(QStringLiteral("SELECT to_regclass('param') IS NOT NULL")).toBool();
        } catch (const store::DatabaseError& error) {
            return {Outcome::Failed, error.text()};
        }
    }
    if (!server.isEmpty() && !joined) {
        auto created = store::createServerDatabase(server);
        QString refused = created.database ? QString() : created.errorText;
        if (created.database && !recordedUser.isEmpty() && !password.isEmpty()) {
            try {
                refused = UserAccounts(*created.database).add(recordedUser, password, QStringLiteral("0"));
            } catch (const store::DatabaseError& error) {
                refused = error.text();
            }
        }
        if (!refused.isEmpty()) {
            return {Outcome::Failed,
                    QStringLiteral("No se pudo crear la base de datos en el servidor %1:\n%2").arg(server, refused)};
        }
    } else if (!QFileInfo::exists(databasePath)) {
        auto created = store::createDatabase(databasePath);
        QString refused = created.database ? QString() : created.errorText;
        if (created.database && !recordedUser.isEmpty() && !password.isEmpty()) {
            // The environment's own supervisor, with the password its creator chose.
            try {
                refused = UserAccounts(*created.database).add(recordedUser, password, QStringLiteral("0"));
            } catch (const store::DatabaseError& error) {
                refused = error.text();
            }
        }
        created.database.reset(); // closing folds the journal back into the file
        if (!refused.isEmpty()) {
            removeDatabaseFiles(databasePath);
            return {Outcome::Failed,
                    QStringLiteral("No se pudo crear la base de datos %1:\n%2").arg(databasePath, refused)};
        }
        app::makePrivateFile(databasePath);
    }

    // The INI last: an environment is announced only once everything it names exists.
    const QString versionHost = m_ini.read(options(), kVersionHostKey);
    const bool written =
        m_ini.write(options(), QStringLiteral("SysPath"), base) &&
        m_ini.write(options(), QStringLiteral("SysVersion"), kSysVersion) &&
        m_ini.write(options(), QStringLiteral("DBPath"), base) &&
        m_ini.write(options(), QStringLiteral("DBName"), kDatabaseName) &&
        m_ini.write(options(), QStringLiteral("SysMenu"), kMenuFile) &&
        m_ini.write(options(), QStringLiteral("SysUser"), recordedUser) &&
        m_ini.write(options(), kVersionHostKey, versionHost.isEmpty() ? kDefaultVersionHost : versionHost) &&
        (server.isEmpty() || (m_ini.write(options(), kEngineKey, QStringLiteral("PostgreSQL")) &&
                              m_ini.write(options(), kServerKey, server)));
    if (!written) {
        return {Outcome::Failed, QStringLiteral("No se pudo escribir el archivo de configuración %1.")
                                     .arg(QDir::toNativeSeparators(m_ini.path()))};
    }
    if (joined) {
        return {Outcome::Created, QStringLiteral("Entorno creado en %1 (configuración: %2) sobre la base de datos que "
                                                 "el servidor %3 ya tenía; sus usuarios son los que allí se "
                                                 "registraron.")
                                      .arg(base, QDir::toNativeSeparators(m_ini.path()), server)};
    }
    return {
        Outcome::Created,
        QStringLiteral("Entorno creado en %1 (configuración: %2).").arg(base, QDir::toNativeSeparators(m_ini.path()))};
}

Environment::CreateResult Environment::copyToServer(const QString& server) const {
    QString serverError;
    if (!store::parseServerUri(server, &serverError)) {
        return {Outcome::Failed, serverError + QStringLiteral(" No se modificó nada.")};
    }
    if (!app::IniFile::canWrite(options(), kServerKey, server) || server.size() > kMaxIniValue) {
        return {Outcome::Failed, QStringLiteral("La dirección del servidor no cabe en el archivo de configuración; "
                                                "no se modificó nada.")};
    }
    if (!isComplete() || usesServer()) {
        return {Outcome::Failed, QStringLiteral("No hay una base de datos en archivo que copiar (%1); no se modificó "
                                                "nada.")
                                     .arg(QDir::toNativeSeparators(m_ini.path()))};
    }
    auto file = store::Database::open(databaseFile());
    if (!file.database) {
        return {Outcome::Failed,
                QStringLiteral("No se pudo abrir la base de datos %1:\n%2").arg(databaseFile(), file.errorText)};
    }
    auto target = store::Database::openServer(server);
    if (!target.database) {
        return {Outcome::Failed, target.errorText};
    }
    const store::ServerCopyResult copied = store::copyToServer(*file.database, *target.database);
    if (!copied.copied) {
        return {Outcome::Failed, copied.message};
    }
    // The INI last: the modules turn to the server only once it holds everything.
    if (!m_ini.write(options(), kEngineKey, QStringLiteral("PostgreSQL")) ||
        !m_ini.write(options(), kServerKey, server)) {
        return {Outcome::Failed, QStringLiteral("La base de datos se copió, pero no se pudo escribir el archivo de "
                                                "configuración %1.")
                                     .arg(QDir::toNativeSeparators(m_ini.path()))};
    }
    return {Outcome::Created, copied.lines.join(QLatin1Char('\n')) + QLatin1Char('\n') + copied.message};
}

} // namespace qel::launcher
