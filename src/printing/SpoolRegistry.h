#pragma once

#include <QDate>
#include <QString>
#include <optional>

namespace qel::store {
class Database;
}

namespace qel::printing {

// A report file registered in SPOOL.
struct SpoolEntry {
    QString codRep;    // "RPJ096", "RPJ098", ...
    QString secuencia; // "000001": per report code
    QString archivo;   // "00000001.PRN": over every report
    QString path;      // the file in the spool folder
};

// The spool: every report gets the next number of its code and the next file name, and its
// SPOOL row, in one transaction, so that two reports never share a number or a file.
class SpoolRegistry {
public:
    static const QString kWithoutAnnexes; // "RPJ096"
    static const QString kWithAnnexes;    // "RPJ098"

    SpoolRegistry(store::Database& db, QString folder);

    // Throws store::DatabaseError when the row cannot be written (nothing is then registered).
    SpoolEntry allocate(const QString& codRep, const QString& user, const QString& ruc, const QDate& date);
    // A finished report: its numbers, its SPOOL row and its file, all or nothing. Nothing when
    // the file cannot be written (the row is not kept; `error` says why); throws
    // store::DatabaseError when the row cannot be written.
    std::optional<SpoolEntry> publish(const QString& codRep, const QString& user, const QString& ruc, const QDate& date,
                                      const QString& fileText, QString* error = nullptr);
    // Writes a report's file as a new file (creating the spool folder when it is missing): a
    // name that is already taken, by a file or a link, is never written through. False when it
    // cannot be written; `error` then says why in the user's words.
    static bool save(const SpoolEntry& entry, const QString& fileText, QString* error = nullptr);
    // Why no report may be written into a folder (one that other users can write into, where
    // anyone could plant a link at the next report's name); empty when it may.
    static QString folderRefusal(const QString& folder);
    // The file of a registered name in the spool folder.
    QString pathOf(const QString& archivo) const;
    const QString& folder() const { return m_folder; }

private:
    // Inside the caller's transaction: both numbers are read in the write transaction that
    // inserts the row, so a second report started at the same moment waits and then sees it.
    // A file name already present in the folder (a report left by an older SPOOL, a planted
    // link) is passed over.
    SpoolEntry insertRow(const QString& codRep, const QString& user, const QString& ruc, const QDate& date);

    store::Database& m_db;
    QString m_folder;
};

} // namespace qel::printing
