#pragma once

#include "store/Database.h"

#include <QString>
#include <memory>

namespace qel::app {

class Clock;
class FileChooser;
class Prompter;
class StatusDisplay;
class UtilityComponent;

// The process-wide record: written during start-up (and where noted), read everywhere.
// Created at start-up and handed to whoever needs it.
struct ProcessState {
    QString formulario = QStringLiteral("0588"); // form code, the FORMULARIO key of every declaration
    QString periodo = QStringLiteral("2018");    // fiscal year of the declarations this module creates
    QString version = QStringLiteral("1.0");
    QString versionDate = QStringLiteral("01/01/2018");
    QString sysPath;   // installation folder, names appended without a separator
    QString tmpFolder; // sysPath + "TMP/"
    QString sysVersion;
    QString dbFile;                        // DBPath + DBName
    QString menuFile;                      // sysPath + SysMenu
    QString reportFolder;                  // sysPath + "RPT"
    QString tmpBase;                       // sysPath + "TMP"
    QString imageFolder;                   // sysPath + "BMP/"
    QString sysUser = QStringLiteral(" "); // launcher user; selects the taxpayers and the user kind
    QString helpFile;                      // sysPath + "0588/Pm588.html"
    QString versionHost;                   // intranet host of the version-check page (INI key VersionHost)

    std::unique_ptr<store::Database> db;
    bool recovering = false; // only while "Recuperar Declaración" runs
    int listMode = 0;        // the operation the current list window serves
    bool printSent = false;  // printing sent declarations

    UtilityComponent* utility = nullptr;
    Prompter* prompter = nullptr;
    const Clock* clock = nullptr;
    StatusDisplay* status = nullptr;
    FileChooser* files = nullptr;

    store::Database& database() { return *db; }
    // The module's own folder: sysPath + form code.
    QString moduleFolder() const { return sysPath + formulario; }
};

// The message of an ERROR row: the DescError whose CodError is the code as four digits;
// "" when there is none.
QString DescribeError(store::Database& db, int code);

// The kind of the launcher user: the tipo of its CLAVES row, "1" when it has none.
// Kind "0" sees every taxpayer; any other kind only its own.
QString UserKind(store::Database& db, const QString& sysUser);

} // namespace qel::app
