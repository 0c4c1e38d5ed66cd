#include "declaration/model/UbigeoScript.h"

#include "base/Prompter.h"
#include "store/DatabaseError.h"
#include "store/ExecuteSql.h"

#include <utility>

namespace qel::declaration {

const QString UbigeoScript::kWindowName = QStringLiteral("frmUbigeo");

namespace {

const QString kTree = QStringLiteral("trvUbigeo");
const QString kAccept = QStringLiteral("cmdAceptar");
const QString kCancel = QStringLiteral("cmdCancelar");

} // namespace

UbigeoScript::UbigeoScript(store::Database& db, app::Prompter& prompter, QString zone, const QString& current)
    : m_db(db), m_prompter(prompter), m_zone(std::move(zone).trimmed()) {
    try {
        for (const UbigeoPicker::Department& department : UbigeoPicker(m_db).places(m_zone)) {
            m_places.append(department.place);
            for (const UbigeoPicker::Province& province : department.provinces) {
                m_places.append(province.place);
                m_places.append(province.districts);
            }
        }
    } catch (const store::DatabaseError& error) {
        store::showDatabaseError(m_prompter, error);
    }
    m_current = rowOf(current.trimmed());
}

QList<app::ControlInfo> UbigeoScript::controls() const {
    return {
        {kTree, QStringLiteral("grid")}, {kAccept, QStringLiteral("command")}, {kCancel, QStringLiteral("command")}};
}

bool UbigeoScript::text(const QString& control, const QString&) {
    throw app::ScriptError{QStringLiteral("no existe el control %1").arg(control)};
}

bool UbigeoScript::choose(const QString& control, const QString& code) {
    requireTree(control);
    const int row = rowOf(code.trimmed());
    if (row < 0) {
        throw app::ScriptError{QStringLiteral("%1 no tiene el código %2").arg(control, code)};
    }
    m_current = row;
    return true;
}

bool UbigeoScript::click(const QString& control, int) {
    if (control == kAccept) {
        accept();
    } else if (control == kCancel) {
        m_closed = true;
    } else {
        throw app::ScriptError{QStringLiteral("no existe el control %1").arg(control)};
    }
    return true;
}

QString UbigeoScript::state(const QString& control) const {
    requireTree(control);
    const QString code = m_current >= 0 ? m_places.at(m_current).code : QString();
    return QLatin1Char('"') + code + QLatin1Char('"');
}

app::GridSource* UbigeoScript::grid(const QString& name) {
    return name == kTree ? this : nullptr;
}

QStringList UbigeoScript::rowTexts(int row) const {
    const UbigeoPicker::Place& place = m_places.at(row);
    return {place.name, place.code};
}

void UbigeoScript::requireTree(const QString& control) const {
    if (control != kTree) {
        throw app::ScriptError{QStringLiteral("no existe el control %1").arg(control)};
    }
}

int UbigeoScript::rowOf(const QString& code) const {
    for (int row = 0; row < m_places.size(); ++row) {
        if (m_places.at(row).code == code) {
            return row;
        }
    }
    return -1;
}

// Only a district of the zone closes the window; a department or a province is refused.
void UbigeoScript::accept() {
    const QString code = m_current >= 0 ? m_places.at(m_current).code : QString();
    if (UbigeoPicker(m_db).confirm(m_zone, code, m_prompter)) {
        m_result = code;
        m_closed = true;
    }
}

} // namespace qel::declaration
