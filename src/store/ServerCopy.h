#pragma once

#include "store/Database.h"

#include <QString>
#include <QStringList>

namespace qel::store {

struct ServerCopyResult {
    bool copied = false;
    QString message;   // what the user is told (Spanish)
    QStringList lines; // one per table: its name and the rows copied
};

// Copies every table of the catalogue that the file has, row by row in the order the file
// holds them, into an empty server database: the schema with the server's functions first,
// then the rows, all in one transaction. Before it commits, every table's count is compared
// with the file's, and every row's check code as the server computes it with the code SQLite
// computes for the same row: any difference rolls the whole copy back. The file is only read.
// A blank text in a numeric column (which only SQLite can hold) is copied as NULL; both read
// as nothing in a check code and a sum.
ServerCopyResult copyToServer(Database& file, Database& server);

} // namespace qel::store
