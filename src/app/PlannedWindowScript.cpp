#include "app/PlannedWindowScript.h"

#include "base/Prompter.h"

#include <utility>

namespace qel::app {

namespace {

[[noreturn]] void noSuchControl(const QString& control) {
    throw ScriptError{QStringLiteral("no existe el control %1").arg(control)};
}

} // namespace

QString PlannedWindowScript::notYetAvailable() {
    return QStringLiteral("Esta opción estará disponible en una próxima versión del módulo.");
}

QString PlannedWindowScript::moduleTitle() {
    return QStringLiteral("Declaración Pago Anual Impuesto a la Renta");
}

PlannedWindowScript::PlannedWindowScript(QString name, Prompter& prompter) : m_name(std::move(name)) {
    prompter.message(notYetAvailable(), moduleTitle(), Icon::Information);
}

bool PlannedWindowScript::text(const QString& control, const QString&) {
    noSuchControl(control);
}

bool PlannedWindowScript::choose(const QString& control, const QString&) {
    noSuchControl(control);
}

bool PlannedWindowScript::click(const QString& control, int) {
    noSuchControl(control);
}

QString PlannedWindowScript::state(const QString& control) const {
    noSuchControl(control);
}

} // namespace qel::app
