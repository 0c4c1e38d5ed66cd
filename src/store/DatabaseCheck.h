#pragma once

#include <QString>
#include <optional>

namespace qel::store {

class Database;

// What makes a file unfit to be the module's database, found before anything is written to
// it: the engine's number of the fault and the text the user is shown.
struct DatabaseFault {
    int number = 0;
    QString text;
    bool readOnly = false; // the file (or its journal) cannot be written
};

// The checks of a database file, in the order the open runs them.
namespace database_check {

// The file as it lies on disk, read before the engine opens it: empty, not a database,
// shorter than its header says, or not writable (the file itself, or the -wal and -shm
// files left beside it, which would keep it unwritable).
std::optional<DatabaseFault> inspectFile(const QString& path);

// The open database is ours: the tables of the launcher and of the declarations. (A missing
// version row is not a fault: the module then takes version "1.0".) Throws DatabaseError
// when the engine cannot read the file.
std::optional<DatabaseFault> inspectSchema(Database& db);

// The tables a database of the QEL must have.
const QStringList& requiredTables();

// The kind of network file system (NFS, SMB/CIFS) a file system type of statfs() is, or empty
// for a local one.
QString networkFileSystemOfType(long type);
// The network file system the folder of a database file lies on, or empty when it is local or
// cannot be told. SQLite's locks are not safe there: several desks on one shared file may
// corrupt it.
QString networkFileSystem(const QString& databaseFile);
// What the user is told of a database on a network file system.
QString networkFileSystemWarning(const QString& databaseFile, const QString& kind);

} // namespace database_check

} // namespace qel::store
