#include "launcher/DemoTaxpayers.h"

#include "store/Database.h"
#include "store/TransactionGuard.h"

namespace qel::launcher {

const QList<Taxpayer>& DemoTaxpayers::all() {
    static const QList<Taxpayer> taxpayers = {
        {QStringLiteral("20512345671"), QStringLiteral("D'ONOFRIO S.A."), 2, QStringLiteral("CONTADOR")},
        {QStringLiteral("20601112222"), QStringLiteral("COMERCIAL LOS ANDES S.A.C."), 2, QStringLiteral("CONTADOR")},
        {QStringLiteral("20487654320"), QStringLiteral("INDUSTRIAS DEL SUR S.A."), 2, QStringLiteral("SUPERVISOR")},
    };
    return taxpayers;
}

int DemoTaxpayers::add(store::Database& db) {
    const TaxpayerRegistry registry(db);
    store::TransactionGuard transaction(db);
    int added = 0;
    for (const Taxpayer& taxpayer : all()) {
        if (registry.add(taxpayer).isEmpty()) {
            ++added;
        }
    }
    transaction.commit();
    return added;
}

} // namespace qel::launcher
