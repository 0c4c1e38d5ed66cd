#pragma once

#include <QList>
#include <QString>

namespace qel::declaration {

// One tab page of the declaration form. The main tab control is SSTab1; three of its pages
// hold a nested tab control, and two nested pages hold one more.
struct PageDef {
    QString id;              // "ident.general", "eeff.activo", "renta", "info.mermas.desmedros" ...
    QString tabControl;      // the tab control holding the page: "SSTab1", "SSTab2", ...
    int index = 0;           // the page's index in its tab control
    QString caption;         // with its access key, as shown
    QString parentId;        // the page holding the tab control; empty for SSTab1's pages
    QString childTabControl; // the nested tab control on this page, if any
};

class FormPages {
public:
    static const QList<PageDef>& all();
    static const PageDef* find(const QString& id);
    // The pages of one tab control, in index order.
    static QList<const PageDef*> pagesOf(const QString& tabControl);
    // The main page (of SSTab1) that holds a page.
    static const PageDef* mainPageOf(const QString& id);
};

} // namespace qel::declaration
