#pragma once

#include "store/DeclarationKey.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace qel::app {
class Clock;
class Prompter;
} // namespace qel::app

namespace qel::store {
class Database;
}

namespace qel::launcher {

// Hands a consistent declaration to the tax administration: its rows become a new numbered
// version in the history tables (HCAB, HDET, HACTA and the H copy of every annex). The
// launcher is the only writer of those tables.
class DeclarationSender {
public:
    static const QString kTitle;      // title of the sender's messages
    static const QString kFormulario; // the module whose declarations the launcher sends: "0588"
    static const QString kPeriodo;    // and their period: "2018"

    // The declaration of the module 0588, period 2018, of a taxpayer.
    static store::DeclarationKey moduleKey(const QString& ruc);

    struct Result {
        bool sent = false;
        QString correl;  // "1", "2", ...
        QString control; // the control number of the version
        QString message; // what the user was told
    };

    DeclarationSender(store::Database& db, app::Prompter& prompter, const app::Clock& clock)
        : m_db(db), m_prompter(prompter), m_clock(clock) {}

    // Sends the declaration of `key`. Refuses a declaration that does not exist or whose
    // last save found inconsistencies. The whole version is written in one transaction:
    // an engine error leaves no part of it. Every outcome is told through the prompter.
    Result send(const store::DeclarationKey& key) const;

    // The tables that make up a sent declaration of the form: envio_t without "CONTROL".
    QStringList sentTables(const QString& formulario) const;

    // The next correlative of the declaration: the highest CORREL sent so far, read as a
    // number, plus one.
    int nextCorrel(const store::DeclarationKey& key) const;

    // The control number of a version: ten digits, (RUC x 1000003 + seconds since
    // 1970-01-01 UTC x 100 + correlative) modulo 10^10, zero-padded. It changes with the
    // taxpayer, the moment of sending and the version.
    static QString controlNumber(const QString& ruc, const QDateTime& sentAt, int correl);

private:
    void copyVersion(const QString& baseName, const store::DeclarationKey& key, const QString& correl,
                     const QString& sentDate, const QString& control) const;

    store::Database& m_db;
    app::Prompter& m_prompter;
    const app::Clock& m_clock;
};

} // namespace qel::launcher
