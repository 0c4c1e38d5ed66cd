#pragma once

#include "app/IniFile.h"
#include "store/Database.h"

#include <QString>

namespace qel::launcher {

// The launcher's working environment: the configuration file PM000.INI, the installation
// folder with its TMP, RPT, BMP and 0588 folders, the module's help file and the shared
// database. The launcher creates it once; the modules only read it.
class Environment {
public:
    static const QString kSysVersion;         // "1.0"
    static const QString kDatabaseName;       // "QEL.db"
    static const QString kMenuFile;           // "QELMENU.INI"
    static const QString kDefaultVersionHost; // intranet host of the version-check page
    static const QString kVersionHostKey;     // "VersionHost", our own key
    static const QString kHelpResource;       // the module's help inside the program
    static const QString kModuleFolder;       // "0588"
    static const QString kHelpFileName;       // "Pm588.html"
    static constexpr int kMaxIniValue = 255;  // what a value of PM000.INI holds
    static const QString kEngineKey;          // "DBEngine": "SQLite" (also when missing) or "PostgreSQL"
    static const QString kServerKey;          // "DBServer": the server's connection URI

    enum class Outcome { Created, AlreadyExists, Failed };
    struct CreateResult {
        Outcome outcome = Outcome::Failed;
        QString message; // what the user is told (Spanish)
    };

    explicit Environment(app::IniFile ini = app::IniFile::standard());

    const app::IniFile& ini() const { return m_ini; }

    // Creates what is missing of an environment in `folder`: the folders, the help file, the
    // database (schema and reference data in one transaction) and, last, the INI keys. An
    // environment that is already complete (INI and database present) is not touched at all.
    // A folder that cannot be written, or whose path (with its final separator) is longer than
    // the 255 characters an INI value holds, gives Failed and writes no INI. With a user and a
    // password the new database gets that user (kind "0") with a hash of that password; a new
    // database has no other account (the demo accounts come with the demo command). Folders
    // are created 0700 and the database and the INI 0600.
    // With a server URI the database is the server's (which the administrator created, empty):
    // its schema, functions and reference data are created there and the INI names the server.
    CreateResult create(const QString& folder, const QString& user = {}, const QString& password = {},
                        const QString& server = {}) const;
    // Copies the environment's database file to an empty server database, verified table by
    // table, and then names the server in the INI. The file is left as it was.
    CreateResult copyToServer(const QString& server) const;

    // The INI exists and names a database file that exists, or a server.
    bool isComplete() const;

    // Values read from the INI, as the modules read them.
    QString sysPath() const;
    QString databaseFile() const; // DBPath + DBName
    bool usesServer() const;      // DBEngine is PostgreSQL
    QString server() const;       // DBServer
    // What the modules open: the server's URI or the file.
    QString databaseLocation() const { return usesServer() ? server() : databaseFile(); }
    QString user() const; // SysUser
    bool setUser(const QString& user) const;

    // Opens the environment's database (never creates it).
    store::Database::OpenResult openDatabase() const;

    // "/home/ana/QEL" -> "/home/ana/QEL/": names are appended to SysPath without a separator.
    static QString withTrailingSeparator(const QString& folder);

private:
    app::IniFile m_ini;
};

} // namespace qel::launcher
