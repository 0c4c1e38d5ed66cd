#include "declaration/catalogue/FormPages.h"

namespace qel::declaration {

const QList<PageDef>& FormPages::all() {
    static const QList<PageDef> pages = {
        {QStringLiteral("ident"), QStringLiteral("SSTab1"), 0, QStringLiteral("&Identificación"), {},
         QStringLiteral("SSTab2")},
        {QStringLiteral("eeff"), QStringLiteral("SSTab1"), 1, QStringLiteral("  Estados  &Financieros"), {},
         QStringLiteral("SSTab3")},
        {QStringLiteral("renta"), QStringLiteral("SSTab1"), 2, QStringLiteral(" Impuest&o a  la  Renta"), {}, {}},
        {QStringLiteral("creditos"), QStringLiteral("SSTab1"), 3, QStringLiteral("Créd. contra Imp. &Renta"), {}, {}},
        {QStringLiteral("deuda"), QStringLiteral("SSTab1"), 4, QStringLiteral("Determinac. de la De&uda"), {}, {}},
        {QStringLiteral("info"), QStringLiteral("SSTab1"), 5, QStringLiteral("Información C&omplement."), {},
         QStringLiteral("SSTab4")},
        {QStringLiteral("itf"), QStringLiteral("SSTab1"), 6, QStringLiteral("Imp. Transac. Financieras"), {}, {}},

        {QStringLiteral("ident.general"), QStringLiteral("SSTab2"), 0, QStringLiteral("&Datos generales"),
         QStringLiteral("ident"), {}},
        {QStringLiteral("ident.colab"), QStringLiteral("SSTab2"), 1, QStringLiteral("Cont.Colab. Empresarial"),
         QStringLiteral("ident"), {}},
        {QStringLiteral("ident.exon"), QStringLiteral("SSTab2"), 2, QStringLiteral("Exonerac.y otros benef"),
         QStringLiteral("ident"), {}},
        {QStringLiteral("ident.mineria"), QStringLiteral("SSTab2"), 3, QStringLiteral("Minería e Hidrocarb."),
         QStringLiteral("ident"), {}},
        {QStringLiteral("ident.amazonia"), QStringLiteral("SSTab2"), 4, QStringLiteral("Amazonía y Frontera"),
         QStringLiteral("ident"), {}},
        {QStringLiteral("ident.reorg"), QStringLiteral("SSTab2"), 5, QStringLiteral("Reorg.Socie. - ITAN"),
         QStringLiteral("ident"), {}},
        {QStringLiteral("ident.precios"), QStringLiteral("SSTab2"), 6, QStringLiteral("Precios de Transferencia"),
         QStringLiteral("ident"), {}},

        {QStringLiteral("eeff.activo"), QStringLiteral("SSTab3"), 0, QStringLiteral("A&ctivo"), QStringLiteral("eeff"),
         {}},
        {QStringLiteral("eeff.pasivo"), QStringLiteral("SSTab3"), 1, QStringLiteral("&Pasivo y Patrimonio"),
         QStringLiteral("eeff"), {}},
        {QStringLiteral("eeff.egp"), QStringLiteral("SSTab3"), 2, QStringLiteral("Estado de Gan. y Pérdidas"),
         QStringLiteral("eeff"), {}},
        {QStringLiteral("eeff.balance"), QStringLiteral("SSTab3"), 3, QStringLiteral("Balance de Comprobación"),
         QStringLiteral("eeff"), {}},
        {QStringLiteral("eeff.mineria"), QStringLiteral("SSTab3"), 4, QStringLiteral("Minería"), QStringLiteral("eeff"),
         {}},
        {QStringLiteral("eeff.hidro"), QStringLiteral("SSTab3"), 5, QStringLiteral("Hidrocarburos"),
         QStringLiteral("eeff"), {}},

        {QStringLiteral("info.general"), QStringLiteral("SSTab4"), 0, QStringLiteral("Información Genera&l"),
         QStringLiteral("info"), {}},
        {QStringLiteral("info.desuso"), QStringLiteral("SSTab4"), 1, QStringLiteral("Desuso u Obsolescencia"),
         QStringLiteral("info"), {}},
        {QStringLiteral("info.perdidas"), QStringLiteral("SSTab4"), 2, QStringLiteral("Pérdidas Extraordinarias"),
         QStringLiteral("info"), {}},
        {QStringLiteral("info.nodomic"), QStringLiteral("SSTab4"), 3,
         QStringLiteral("Gastos Realizados con No Domiciliados"), QStringLiteral("info"), {}},
        {QStringLiteral("info.vehiculos"), QStringLiteral("SSTab4"), 4,
         QStringLiteral("Identificación Vehículos cat. A2, A3, A4, B1.3, B1.4"), QStringLiteral("info"), {}},
        {QStringLiteral("info.socios"), QStringLiteral("SSTab4"), 5,
         QStringLiteral("100 Principales socios, asociados y otros"), QStringLiteral("info"), {}},
        {QStringLiteral("info.alquileres"), QStringLiteral("SSTab4"), 6, QStringLiteral("Alquileres Pagados"),
         QStringLiteral("info"), {}},
        {QStringLiteral("info.mermas"), QStringLiteral("SSTab4"), 7, QStringLiteral("Mermas  /  Desmedros"),
         QStringLiteral("info"), QStringLiteral("SSTab6")},
        {QStringLiteral("info.operfin"), QStringLiteral("SSTab4"), 8, QStringLiteral("Operaciones Financieras"),
         QStringLiteral("info"), QStringLiteral("SSTab7")},
        {QStringLiteral("info.regalias"), QStringLiteral("SSTab4"), 9,
         QStringLiteral("Regalías a Beneficiarios Domiciliados"), QStringLiteral("info"), {}},
        {QStringLiteral("info.gasrep"), QStringLiteral("SSTab4"), 10, QStringLiteral("Gastos de Representación"),
         QStringLiteral("info"), {}},
        {QStringLiteral("info.constructora"), QStringLiteral("SSTab4"), 11,
         QStringLiteral("Empresa Constructora con Opciones-Art.63 del Impuesto a la Renta"), QStringLiteral("info"),
         {}},
        {QStringLiteral("info.exporta"), QStringLiteral("SSTab4"), 12,
         QStringLiteral("Detalle de las exportaciones embarcadas"), QStringLiteral("info"), {}},
        {QStringLiteral("info.invest"), QStringLiteral("SSTab4"), 13,
         QStringLiteral("Gast. de Invest. Desarrollo y/o Innovación"), QStringLiteral("info"),
         QStringLiteral("sTabInvestigacion")},
        {QStringLiteral("info.rfe"), QStringLiteral("SSTab4"), 14,
         QStringLiteral("Renta de Fuente Extranjera y Transparencia Fiscal Internacional"), QStringLiteral("info"), {}},

        {QStringLiteral("info.mermas.mermas"), QStringLiteral("SSTab6"), 0, QStringLiteral("Mermas"),
         QStringLiteral("info.mermas"), {}},
        {QStringLiteral("info.mermas.desmedros"), QStringLiteral("SSTab6"), 1, QStringLiteral("Desmedros"),
         QStringLiteral("info.mermas"), {}},
        {QStringLiteral("info.operfin.administrado"), QStringLiteral("SSTab7"), 0,
         QStringLiteral("Le administran sus operaciones"), QStringLiteral("info.operfin"), {}},
        {QStringLiteral("info.operfin.administrador"), QStringLiteral("SSTab7"), 1,
         QStringLiteral("Administra operaciones de terceros"), QStringLiteral("info.operfin"), {}},
        {QStringLiteral("info.invest.directo"), QStringLiteral("sTabInvestigacion"), 0,
         QStringLiteral("Sin beneficio"), QStringLiteral("info.invest"), {}},
        {QStringLiteral("info.invest.indirecto"), QStringLiteral("sTabInvestigacion"), 1,
         QStringLiteral("Con beneficio"), QStringLiteral("info.invest"), {}},
    };
    return pages;
}

const PageDef* FormPages::find(const QString& id) {
    for (const PageDef& page : all()) {
        if (page.id == id) {
            return &page;
        }
    }
    return nullptr;
}

QList<const PageDef*> FormPages::pagesOf(const QString& tabControl) {
    QList<const PageDef*> pages;
    for (const PageDef& page : all()) {
        if (page.tabControl == tabControl) {
            pages.append(&page);
        }
    }
    return pages;
}

const PageDef* FormPages::mainPageOf(const QString& id) {
    const PageDef* page = find(id);
    while (page != nullptr && !page->parentId.isEmpty()) {
        page = find(page->parentId);
    }
    return page;
}

} // namespace qel::declaration
