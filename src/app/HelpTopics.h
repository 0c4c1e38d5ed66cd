#pragma once

#include <QString>

namespace qel::app {

// The topics of the module's help: the anchors of its HTML help file that the windows and the
// pages of the declaration form open it at (F1), and the anchors of the casilla list that the
// help window adds to it.
class HelpTopics {
public:
    static const QString kContents; // "contenido"

    // The topic of a window by its name ("MDIFrm", "FrmContAbrir", "frmQEL" ...); "" when none.
    static QString forWindow(const QString& windowName);
    // The topic of a page of the declaration form ("ident.exon", "deuda" ...).
    static QString forPage(const QString& pageId);
    // The casilla's entry in the list of casillas: "casilla-113".
    static QString forCasilla(int casilla);
};

} // namespace qel::app
