#include "declaration/model/FieldLocator.h"

#include "catalogue/CasillaCatalog.h"
#include "catalogue/FormControls.h"
#include "catalogue/FormPages.h"

#include <QRegularExpression>

namespace qel::declaration {

namespace {

FieldLocation casilla(int number) {
    const CasillaDef* def = CasillaCatalog::instance().find(number);
    if (def == nullptr || def->page.isEmpty()) {
        return {};
    }
    return {def->page, QString::number(number)};
}

} // namespace

FieldLocation FieldLocator::locate(const QString& control) {
    const QString target = control.trimmed();
    bool numeric = false;
    const int number = target.toInt(&numeric);
    if (numeric) {
        return casilla(number);
    }
    // A member of an array: "txtValor(279)", "OptZona(1)" or "chkItanPagos_1".
    static const QRegularExpression member(QStringLiteral("^(\\w+?)(?:\\((\\d+)\\)|_(\\d+))$"));
    QString name = target;
    if (FormControls::instance().find(name) == nullptr) {
        const QRegularExpressionMatch match = member.match(target);
        if (match.hasMatch()) {
            name = match.captured(1);
            if (name.compare(QLatin1String(controls::kCasillaBox), Qt::CaseInsensitive) == 0) {
                return casilla((match.captured(2).isEmpty() ? match.captured(3) : match.captured(2)).toInt());
            }
        }
    }
    if (const ControlDef* def = FormControls::instance().find(name); def != nullptr && !def->page.isEmpty()) {
        return {def->page, target};
    }
    if (FormPages::find(target) != nullptr) {
        return {target, {}};
    }
    return {};
}

} // namespace qel::declaration
