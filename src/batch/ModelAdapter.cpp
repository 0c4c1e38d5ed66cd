#include "batch/ModelAdapter.h"

#include <algorithm>

namespace qel::batch {

namespace {

bool answersTo(const app::DeclaredControl& control, const QString& name) {
    return control.name.compare(name, Qt::CaseInsensitive) == 0 || control.aliases.contains(name, Qt::CaseInsensitive);
}

} // namespace

ModelAdapter::ModelAdapter(std::unique_ptr<app::PresentationModel> model)
    : m_model(std::move(model)), m_controls(m_model->declaredControls()) {}

const app::DeclaredControl& ModelAdapter::control(const QString& name) const {
    for (const app::DeclaredControl& declared : m_controls) {
        if (answersTo(declared, name)) {
            return declared;
        }
    }
    throw app::ScriptError{QStringLiteral("no existe el control %1").arg(name)};
}

QList<app::ControlInfo> ModelAdapter::controls() const {
    QList<app::ControlInfo> infos;
    for (const app::DeclaredControl& declared : m_controls) {
        infos.append({declared.name, declared.kind});
    }
    return infos;
}

bool ModelAdapter::text(const QString& name, const QString& value) {
    const app::DeclaredControl& declared = control(name);
    if (!declared.type) {
        throw app::ScriptError{QStringLiteral("%1 no es un cuadro de texto").arg(name)};
    }
    return declared.type(value);
}

bool ModelAdapter::choose(const QString& name, const QString& code) {
    const app::DeclaredControl& declared = control(name);
    if (!declared.choose) {
        throw app::ScriptError{QStringLiteral("%1 no es una lista").arg(name)};
    }
    return declared.choose(code);
}

bool ModelAdapter::click(const QString& name, int index) {
    // A member of a control array is clicked by the array's name and its index as well.
    const QString member = QStringLiteral("%1(%2)").arg(name).arg(index);
    const bool byIndex = index >= 0 && std::none_of(m_controls.cbegin(), m_controls.cend(),
                                                    [&name](const auto& c) { return answersTo(c, name); });
    const app::DeclaredControl& declared = control(byIndex ? member : name);
    if (!declared.click) {
        throw app::ScriptError{QStringLiteral("%1 no es un botón").arg(name)};
    }
    return declared.click(index);
}

QString ModelAdapter::state(const QString& name) const {
    const app::DeclaredControl& declared = control(name);
    if (!declared.state) {
        throw app::ScriptError{QStringLiteral("%1 no tiene estado").arg(name)};
    }
    return declared.state();
}

app::GridSource* ModelAdapter::grid(const QString& name) {
    for (const app::DeclaredControl& declared : m_controls) {
        if (answersTo(declared, name)) {
            return declared.grid;
        }
    }
    return nullptr;
}

bool ModelAdapter::cell(const QString& gridName, int row, const QString& column, const QString& value) {
    const app::DeclaredControl& declared = control(gridName);
    if (!declared.cell) {
        throw app::ScriptError{QStringLiteral("la cuadrícula %1 no se puede editar").arg(gridName)};
    }
    return declared.cell(row, column, value);
}

} // namespace qel::batch
