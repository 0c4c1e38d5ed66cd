#include "catalogue/FormWindows.h"

#include "catalogue/CasillaCatalog.h"
#include "catalogue/FormControls.h"

namespace qel::declaration {

namespace {

void addOnce(QStringList& names, const QString& name) {
    if (!name.isEmpty() && !names.contains(name, Qt::CaseInsensitive)) {
        names.append(name);
    }
}

QStringList collectNames() {
    QStringList names;
    for (const CasillaDef& casilla : CasillaCatalog::instance().all()) {
        addOnce(names, casilla.window);
    }
    for (const ControlDef& control : FormControls::instance().all()) {
        for (const QString& window : control.windows) {
            addOnce(names, window);
        }
    }
    for (const char* opened : {"frmUbigeo", "FrmConsist", "frmVehIngresosNetos", "frmPerdidaEjercAnt"}) {
        addOnce(names, QString::fromLatin1(opened));
    }
    return names;
}

} // namespace

const QStringList& FormWindows::names() {
    static const QStringList names = collectNames();
    return names;
}

} // namespace qel::declaration
