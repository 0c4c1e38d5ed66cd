#include "launcher/TaxpayerRegistry.h"

#include "app/UtilityComponent.h"
#include "launcher/UserAccounts.h"
#include "store/Database.h"
#include "store/DeclarationKey.h"

#include <QSqlQuery>

namespace qel::launcher {

const QString TaxpayerRegistry::kInvalidRuc = QStringLiteral("El número de RUC no es válido.");
const QString TaxpayerRegistry::kAlreadyRegistered = QStringLiteral("El contribuyente ya se encuentra registrado.");
const QString TaxpayerRegistry::kNameRequired =
    QStringLiteral("Ingrese el nombre, denominación o razón social del contribuyente.");
const QString TaxpayerRegistry::kNotRegistered = QStringLiteral("El contribuyente no se encuentra registrado.");

namespace {

constexpr int kTipDoc = store::DeclarationKey::kTipDocD;

Taxpayer taxpayerOf(const QSqlQuery& row) {
    return {row.value(0).toString().trimmed(), row.value(1).toString(), row.value(2).toInt(),
            row.value(3).toString().trimmed()};
}

} // namespace

const QList<TaxpayerRegistry::IncomeKind>& TaxpayerRegistry::incomeKinds() {
    static const QList<IncomeKind> kinds = {
        {1, QStringLiteral("Rentas de primera, segunda, cuarta o quinta categoría"),
         QStringLiteral("Otras categorías")},
        {2, QStringLiteral("Rentas de tercera categoría (empresas)"), QStringLiteral("Tercera categoría")},
        {3, QStringLiteral("Sin rentas gravadas (inafecto o exonerado)"), QStringLiteral("Sin rentas gravadas")},
    };
    return kinds;
}

QString TaxpayerRegistry::normalisedName(const QString& name) {
    return name.simplified().toUpper();
}

QString TaxpayerRegistry::checkFields(const Taxpayer& taxpayer) const {
    if (!app::UtilityComponent::CheckRuc(taxpayer.ruc.trimmed())) {
        return kInvalidRuc;
    }
    if (normalisedName(taxpayer.nombre).isEmpty()) {
        return kNameRequired;
    }
    return {};
}

QString TaxpayerRegistry::add(const Taxpayer& taxpayer) const {
    if (QString refused = checkFields(taxpayer); !refused.isEmpty()) {
        return refused;
    }
    const QString ruc = taxpayer.ruc.trimmed();
    if (find(ruc)) {
        return kAlreadyRegistered;
    }
    m_db.run(QStringLiteral("INSERT INTO CONT (TIP_DOC_D, DOC_ID_D, NOMBRE, USUARIO, Tipo_Ingreso) "
                            "VALUES (?, ?, ?, ?, ?)"),
             {kTipDoc, ruc, normalisedName(taxpayer.nombre), taxpayer.usuario.trimmed(), taxpayer.tipoIngreso})
        .finish();
    return {};
}

QString TaxpayerRegistry::update(const Taxpayer& taxpayer) const {
    if (QString refused = checkFields(taxpayer); !refused.isEmpty()) {
        return refused;
    }
    const QString ruc = taxpayer.ruc.trimmed();
    if (!find(ruc)) {
        return kNotRegistered;
    }
    m_db.run(QStringLiteral("UPDATE CONT SET NOMBRE=?, Tipo_Ingreso=? WHERE TIP_DOC_D=? AND DOC_ID_D=?"),
             {normalisedName(taxpayer.nombre), taxpayer.tipoIngreso, kTipDoc, ruc})
        .finish();
    return {};
}

std::optional<Taxpayer> TaxpayerRegistry::find(const QString& ruc) const {
    QSqlQuery row = m_db.run(QStringLiteral("SELECT DOC_ID_D, NOMBRE, Tipo_Ingreso, USUARIO FROM CONT "
                                            "WHERE TIP_DOC_D=? AND DOC_ID_D=?"),
                             {kTipDoc, ruc.trimmed()});
    if (!row.next()) {
        return std::nullopt;
    }
    Taxpayer found = taxpayerOf(row);
    row.finish();
    return found;
}

QList<Taxpayer> TaxpayerRegistry::visibleTo(const QString& user) const {
    QList<Taxpayer> result;
    for (const TaxpayerSummary& summary : summariesFor(user, QString(), QString())) {
        result.append(summary.taxpayer);
    }
    return result;
}

QList<TaxpayerSummary> TaxpayerRegistry::summariesFor(const QString& user, const QString& periodo,
                                                      const QString& formulario) const {
    QString sql =
        QStringLiteral("SELECT C.DOC_ID_D, C.NOMBRE, C.Tipo_Ingreso, C.USUARIO, A.ESTADO, A.DOC_ID_D, "
                       "(SELECT max(CAST(H.CORREL AS INTEGER)) FROM HCAB AS H WHERE H.TIP_DOC_D=C.TIP_DOC_D "
                       "AND H.DOC_ID_D=C.DOC_ID_D AND H.PERIODO=? AND H.FORMULARIO=?) "
                       "FROM CONT AS C LEFT JOIN CAB AS A ON A.TIP_DOC_D=C.TIP_DOC_D AND A.DOC_ID_D=C.DOC_ID_D "
                       "AND A.PERIODO=? AND A.FORMULARIO=? WHERE C.TIP_DOC_D=?");
    QVariantList values = {periodo, formulario, periodo, formulario, kTipDoc};
    if (!UserAccounts(m_db).seesEveryTaxpayer(user)) {
        sql += QStringLiteral(" AND C.USUARIO=?");
        values.append(user);
    }
    sql += QStringLiteral(" ORDER BY C.DOC_ID_D");
    QList<TaxpayerSummary> result;
    QSqlQuery rows = m_db.run(sql, values);
    while (rows.next()) {
        TaxpayerSummary summary;
        summary.taxpayer = taxpayerOf(rows);
        if (!rows.value(5).isNull()) {
            summary.estado = rows.value(4).toInt();
        }
        summary.lastCorrel = rows.value(6).toInt();
        result.append(summary);
    }
    return result;
}

} // namespace qel::launcher
