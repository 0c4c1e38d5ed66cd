#include "catalogue/CasillaHelpSection.h"

#include "app/HelpTopics.h"
#include "catalogue/CasillaCatalog.h"
#include "catalogue/FormPages.h"

namespace qel::declaration {

const QString CasillaHelpSection::kAnchor = QStringLiteral("casillas");

namespace {

QString pageTitle(const PageDef& page) {
    QString title = page.caption;
    title.remove(QLatin1Char('&'));
    const PageDef* parent = FormPages::find(page.parentId);
    return parent != nullptr ? pageTitle(*parent) + QStringLiteral(" - ") + title : title;
}

// The pages in the order of their tabs, a page before its nested pages.
QList<const PageDef*> pagesInTabOrder(const QString& tabControl = QStringLiteral("SSTab1")) {
    QList<const PageDef*> pages;
    for (const PageDef* page : FormPages::pagesOf(tabControl)) {
        pages.append(page);
        if (!page->childTabControl.isEmpty()) {
            pages.append(pagesInTabOrder(page->childTabControl));
        }
    }
    return pages;
}

} // namespace

QString CasillaHelpSection::html(const HelpLines& help) {
    QString out;
    out += QStringLiteral("<h2 id=\"%1\"><a name=\"%1\"></a>Casillas del formulario</h2>\n").arg(kAnchor);
    out += QStringLiteral("<p>Cada casilla con su descripción y, cuando el módulo la calcula, la fórmula que "
                          "aplica.</p>\n");
    for (const PageDef* pageDef : pagesInTabOrder()) {
        const PageDef& page = *pageDef;
        const QList<const CasillaDef*> boxes = CasillaCatalog::instance().onPage(page.id);
        QString rows;
        for (const CasillaDef* def : boxes) {
            if (!def->hasBox) {
                continue;
            }
            const auto [first, second] = help ? help(def->number) : std::pair<QString, QString>{};
            QString lines = first.toHtmlEscaped();
            if (!second.isEmpty()) {
                lines += QStringLiteral("<br>") + second.toHtmlEscaped();
            }
            rows += QStringLiteral("<tr><td><a name=\"%1\"></a><b>%2</b></td><td>%3</td><td>%4</td></tr>\n")
                        .arg(app::HelpTopics::forCasilla(def->number), QString::number(def->number),
                             def->label.toHtmlEscaped(), lines);
        }
        if (rows.isEmpty()) {
            continue;
        }
        out += QStringLiteral("<h3>%1</h3>\n<table border=\"1\" cellspacing=\"0\" cellpadding=\"4\" width=\"100%\">\n"
                              "<tr><th>Casilla</th><th>Descripción</th><th>Ayuda</th></tr>\n")
                   .arg(pageTitle(page).toHtmlEscaped());
        out += rows + QStringLiteral("</table>\n");
    }
    return out;
}

} // namespace qel::declaration
