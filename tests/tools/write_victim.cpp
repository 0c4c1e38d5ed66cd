// The process the write crash test kills: it writes one declaration over and over until it is
// killed, in one of two ways.
//
//   write_victim DATABASE RUC delete    stores the declaration whole, then deletes it, again
//   write_victim DATABASE RUC refresh   fills the declaration's working copies, then empties them
//   write_victim DATABASE RUC store     stores the declaration once and ends
//
// "ready" is printed once the database is open, then one line after each step.

#include "../support/FormServices.h"
#include "store/Database.h"
#include "store/TransactionGuard.h"
#include "store/WorkingCopies.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

namespace {

using namespace qel;

constexpr int kDetRows = 60;
constexpr int kAnnexRows = 400;

void insert(store::Database& db, const QString& sql, const QVariantList& values) {
    db.run(sql, values).finish();
}

// The declaration as a save leaves it: header, casillas, partners and counterpart balances.
void storeDeclaration(store::Database& db, const store::DeclarationKey& key) {
    store::TransactionGuard transaction(db);
    const QVariantList k = key.columnValues();
    insert(db, QStringLiteral("INSERT INTO CAB (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, ESTADO) VALUES (?,?,?,?,0)"),
           k);
    for (int i = 0; i < kDetRows; ++i) {
        insert(db,
               QStringLiteral("INSERT INTO DET (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, SEMANA, CASILLA, i_valor) "
                              "VALUES (?,?,?,?,0,?,?)"),
               k + QVariantList{QString::number(100 + i), QString::number(i * 1000)});
    }
    for (int i = 0; i < kAnnexRows; ++i) {
        insert(db,
               QStringLiteral("INSERT INTO F535SOCIOS (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, tipo_socio, "
                              "tipo_doc_socio, nro_doc_socio, des_nom_razon) VALUES (?,?,?,?,'01',1,?,'SOCIO')"),
               k + QVariantList{QString::number(i + 1).rightJustified(8, u'0')});
        insert(db,
               QStringLiteral("INSERT INTO F535CASEF (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, SEMANA, CASILLA, "
                              "tipo_doc, nro_doc, des_razon, saldo) VALUES (?,?,?,?,0,'301',6,?,'CLIENTE',5000)"),
               k + QVariantList{QString::number(i + 1)});
    }
    transaction.commit();
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4) {
        std::fprintf(stderr, "usage: write_victim DATABASE RUC delete|refresh|store\n");
        return 2;
    }
    auto opened = store::Database::open(args.at(1));
    if (!opened.database) {
        std::fprintf(stderr, "cannot open %s: %s\n", qPrintable(args.at(1)), qPrintable(opened.errorText));
        return 1;
    }
    store::Database& db = *opened.database;
    const store::DeclarationKey key{args.at(2), QStringLiteral("2018"), QStringLiteral("0588")};
    test::SilentServices services(db);
    std::printf("ready\n");
    std::fflush(stdout);

    if (args.at(3) == QStringLiteral("store")) {
        storeDeclaration(db, key); // once, for the refresh to work on
        return 0;
    }
    const bool deleting = args.at(3) == QStringLiteral("delete");
    for (;;) {
        if (deleting) {
            storeDeclaration(db, key);
            std::printf("stored\n");
            if (!store::deleteDeclaration(db, services.prompter, key)) {
                return 1;
            }
            std::printf("deleted\n");
        } else {
            store::TransactionGuard transaction(db);
            store::refreshWorkingCopies(db, key);
            transaction.commit();
            std::printf("filled\n");
            store::emptyWorkingCopies(db, key);
            std::printf("emptied\n");
        }
        std::fflush(stdout);
    }
}
