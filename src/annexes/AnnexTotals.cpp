#include "annexes/AnnexTotals.h"

#include "base/NumberFormat.h"
#include "store/Database.h"

#include <QSqlQuery>

namespace qel::annexes {

AnnexTotals::Vehicles AnnexTotals::vehicles(store::Database& db, const store::DeclarationKey& key) {
    const store::SqlFilter filter = key.filter();
    const store::SqlDialect& d = db.dialect();
    const QString identified = QStringLiteral("trim(coalesce(ind_ded_gasto,''))='1'");
    QSqlQuery q = db.run(QStringLiteral("SELECT count(*), %1, %2, %3, %4 FROM TMPF584VEHIC")
                                 .arg(d.total(QStringLiteral("CASE WHEN %1 THEN 1 ELSE 0 END").arg(identified)),
                                      d.total(QStringLiteral("CASE WHEN trim(coalesce(ind_sustitucion,''))='1' "
                                                             "THEN 1 ELSE 0 END")),
                                      d.total(QStringLiteral("CASE WHEN %1 THEN %2 END")
                                                  .arg(identified, d.realOf(QStringLiteral("mto_gasto")))),
                                      d.total(QStringLiteral("CASE WHEN %1 THEN %2 END")
                                                  .arg(identified, d.realOf(QStringLiteral("mto_dep"))))) +
                             filter.text,
                         filter.values);
    Vehicles v;
    if (q.next()) {
        v.rows = q.value(0).toInt();
        v.identified = q.value(1).toInt();
        v.substituting = q.value(2).toInt();
        v.expenses = q.value(3).toDouble();
        v.depreciation = q.value(4).toDouble();
    }
    return v;
}

AnnexTotals::Partners AnnexTotals::partners(store::Database& db, const store::DeclarationKey& key) {
    const store::SqlFilter filter = key.filter();
    const store::SqlDialect& d = db.dialect();
    QSqlQuery q = db.run(QStringLiteral("SELECT count(*), %1, %2 FROM TMPF535SOCIOS")
                                 .arg(d.total(QStringLiteral("CASE WHEN trim(coalesce(tipo_socio,''))<>'05' "
                                                             "THEN 1 ELSE 0 END")),
                                      d.total(d.realOf(QStringLiteral("Porcentaje")))) +
                             filter.text,
                         filter.values);
    Partners p;
    if (q.next()) {
        p.rows = q.value(0).toInt();
        p.principal = q.value(1).toInt();
        p.shares = app::roundHalfAway(q.value(2).toDouble(), 2);
    }
    return p;
}

int AnnexTotals::concessions(store::Database& db, const store::DeclarationKey& key, int annexNumber) {
    store::SqlFilter filter = key.filter();
    filter.andEquals(QStringLiteral("nro_anexo"), annexNumber);
    return db.scalar(QStringLiteral("Select count(*) as total from TMPF564MINERIA") + filter.text, filter.values)
        .toInt();
}

int AnnexTotals::participants(store::Database& db, const store::DeclarationKey& key, const QString& contract) {
    store::SqlFilter filter = key.filter();
    filter.andEquals(QStringLiteral("cod_contrato"), contract);
    return db.scalar(QStringLiteral("SELECT count(*) as TotReg FROM TMPF582COLDET") + filter.text, filter.values)
        .toInt();
}

} // namespace qel::annexes
