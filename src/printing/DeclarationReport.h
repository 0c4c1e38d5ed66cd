#pragma once

#include "printing/AnnexSections.h"
#include "printing/ReportWriter.h"
#include "store/DeclarationKey.h"

#include <QDateTime>
#include <QHash>
#include <QString>
#include <optional>

namespace qel::store {
class Database;
}

namespace qel::printing {

// The printed declaration: the six boxed form pages with every casilla's value in its mask,
// then, with annexes, the detail of every annex and assistant that has rows. A registered
// declaration is read from CAB and DET and the permanent annex tables; a sent one from HCAB,
// HDET and the history tables of its CORREL.
class DeclarationReport {
public:
    struct Header {
        QString ruc;
        QString nombre;
        QString periodo;
        QString norden;  // sent declarations only
        QString control; // sent declarations only
        QString fecEnv;
    };

    // Reads the header and the casilla values; throws store::DatabaseError on a failed read.
    DeclarationReport(store::Database& db, store::DeclarationKey key, std::optional<QString> correl = {});

    bool found() const { return m_found; }
    const Header& header() const { return m_header; }
    // The stored text of a casilla; empty when it has no DET row.
    QString value(int casilla) const { return m_values.value(casilla); }
    // A casilla's value as the form page prints it: an answer as the caption of its option
    // ("Sí", "No", "Moneda Extranjera"), an amount in its mask.
    QString printedValue(int casilla) const;

    // Writes the report: RPJ098 with annexes and assistants, RPJ096 without.
    ReportWriter write(bool withAnnexes, const QDateTime& printedAt) const;

private:
    void readHeader();
    void readValues();
    void writeFormPage(ReportWriter& writer, int reportPage, bool first) const;
    int writeFormHeader(ReportWriter& writer, const QString& title) const;
    void writeSection(ReportWriter& writer, const AnnexSection& section) const;
    int chart() const;
    // The caption of the option a stored answer chose; nothing when the casilla is no answer.
    std::optional<QString> answerText(int casilla) const;

    store::Database& m_db;
    store::DeclarationKey m_key;
    std::optional<QString> m_correl;
    bool m_found = false;
    Header m_header;
    QHash<int, QString> m_values;
};

} // namespace qel::printing
