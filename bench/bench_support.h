#pragma once

#include "store/Database.h"
#include "store/DeclarationKey.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>
#include <utility>
#include <vector>

namespace qel::bench {

// A database with the schema and reference data in a temporary folder.
class BenchDatabase {
public:
    BenchDatabase();
    store::Database& db() { return *m_db; }
    const QString& path() const { return m_path; }

private:
    QTemporaryDir m_dir;
    QString m_path;
    std::unique_ptr<store::Database> m_db;
};

store::DeclarationKey benchKey();

// Fills the permanent annex tables of `key` with `rows` rows spread evenly over `tables`,
// every column given a plausible value for its type.
void fillAnnexRows(store::Database& db, const store::DeclarationKey& key, const QStringList& tables, int rows);

// Runs the registered benchmarks and then prints, for each (candidate, baseline) pair of
// benchmark names, the ratio of their mean real times measured in this run.
int runWithRatios(int argc, char** argv, const std::vector<std::pair<std::string, std::string>>& pairs);

} // namespace qel::bench
