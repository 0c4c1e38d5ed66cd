#include "printing/DeclarationLayout.h"

#include "catalogue/CasillaCatalog.h"

namespace qel::printing {

const QList<DeclarationLayout::ReportPage>& DeclarationLayout::pages() {
    static const QList<ReportPage> table = {
        {QStringLiteral("1.-  ESTADOS FINANCIEROS"), {QStringLiteral("eeff")}},
        {QStringLiteral("2.-  DETERMINACION DEL IMPUESTO A LA RENTA"), {QStringLiteral("renta")}},
        {QStringLiteral("3.-  DETERMINACION DE LA DEUDA TRIBUTARIA-CREDITOS CONTRA EL IMPUESTO A LA RENTA"),
         {QStringLiteral("creditos")}},
        {QStringLiteral("4.- DEUDA TRIBUTARIA"), {QStringLiteral("deuda")}},
        {QStringLiteral("5.-  ITF - IMPUESTO A LAS TRANSACCIONES FINANCIERAS"), {QStringLiteral("itf")}},
        {QStringLiteral("6.-  IDENTIFICACION"), {QStringLiteral("ident"), QStringLiteral("info")}, 1},
    };
    return table;
}

const QList<DeclarationLayout::SubHeading>& DeclarationLayout::subHeadings() {
    static const QList<SubHeading> table = {
        {QStringLiteral("eeff.activo"), 0, QStringLiteral("I.-Balance General")},
        {QStringLiteral("eeff.egp"), 0, QStringLiteral("II.-Estado de Pérdidas y Ganancias-Valores Históricos")},
        {QStringLiteral("ident.general"), 0, QStringLiteral("DATOS GENERALES")},
        {QStringLiteral("ident.amazonia"), 0, QStringLiteral("REGIMEN DE LA AMAZONIA")},
        {{}, 138, QStringLiteral(" A FAVOR DEL CONTRIBUYENTE")},
        {{}, 139, QStringLiteral(" A FAVOR DEL FISCO")},
        {{}, 146, QStringLiteral("SALDO DE LA DEUDA TRIBUTARIA")},
        {{}, 180, QStringLiteral("IMPORTE A PAGAR")},
        {{}, 165, QStringLiteral("SALDO DE LA DEUDA TRIBUTARIA")},
        {{}, 181, QStringLiteral("IMPORTE A PAGAR")},
        {{}, 802, QStringLiteral("BENEFICIOS TRIBUTARIOS")},
        {{}, 813, QStringLiteral("MONEDA NACIONAL / MONEDA EXTRANJERA")},
    };
    return table;
}

int DeclarationLayout::pageOf(const QString& formPageId) {
    const QString mainPage = formPageId.section(QLatin1Char('.'), 0, 0);
    for (int i = 0; i < pages().size(); ++i) {
        if (pages().at(i).formPages.contains(mainPage)) {
            return i;
        }
    }
    return static_cast<int>(pages().size()) - 1;
}

QList<const declaration::CasillaDef*> DeclarationLayout::casillasOf(int reportPage, int chart) {
    QList<const declaration::CasillaDef*> result;
    for (const declaration::CasillaDef& casilla : declaration::CasillaCatalog::instance().all()) {
        if (pageOf(casilla.page) != reportPage || !casilla.printed) {
            continue;
        }
        if (chart != 0 && casilla.chart != 0 && casilla.chart != chart) {
            continue;
        }
        result.append(&casilla);
    }
    return result;
}

} // namespace qel::printing
