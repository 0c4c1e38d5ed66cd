#pragma once

#include "store/DeclarationKey.h"

#include <QString>
#include <QStringList>

namespace qel::store {
class Database;
}

namespace qel::app {
class Prompter;
}

namespace qel::declaration {

// The stored totals of a declaration against their details: the monthly payments of
// casilla 128 against its assistant rows, and the additions of 103 and deductions of 105
// against their detail lines and credits. Each failure shows its message with the critical
// icon and the checks go on; the caller decides what a failure means.
class DetailChecks {
public:
    DetailChecks(store::Database& db, app::Prompter& prompter, QString title);

    // Answers whether every check passed.
    bool run(const store::DeclarationKey& key);
    // The messages of the checks that fail, without showing them.
    QStringList failures(const store::DeclarationKey& key) const;

private:
    double storedCasilla(const store::DeclarationKey& key, int casilla, bool* present) const;
    double total(const QString& sql, const store::DeclarationKey& key, const QString& casilla) const;

    store::Database& m_db;
    app::Prompter& m_prompter;
    QString m_title;
};

} // namespace qel::declaration
