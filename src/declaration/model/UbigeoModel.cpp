#include "declaration/model/UbigeoModel.h"

#include "base/Prompter.h"
#include "store/DatabaseError.h"
#include "store/ExecuteSql.h"

#include <utility>

namespace qel::declaration {

const QString UbigeoModel::kWindowName = QStringLiteral("frmUbigeo");

UbigeoModel::UbigeoModel(store::Database& db, app::Prompter& prompter, QString zone, const QString& current)
    : m_db(db), m_prompter(prompter), m_zone(std::move(zone).trimmed()) {
    try {
        for (const UbigeoPicker::Department& department : UbigeoPicker(m_db).places(m_zone)) {
            m_places.append(department.place);
            m_depths.append(0);
            for (const UbigeoPicker::Province& province : department.provinces) {
                m_places.append(province.place);
                m_depths.append(1);
                for (const UbigeoPicker::Place& district : province.districts) {
                    m_places.append(district);
                    m_depths.append(2);
                }
            }
        }
    } catch (const store::DatabaseError& error) {
        store::showDatabaseError(m_prompter, error);
    }
    m_current = rowOf(current.trimmed());
}

QList<app::DeclaredControl> UbigeoModel::declaredControls() {
    app::DeclaredControl tree{QStringLiteral("trvUbigeo"), QStringLiteral("grid")};
    tree.grid = this;
    tree.choose = [this](const QString& code) {
        const int row = rowOf(code.trimmed());
        if (row < 0) {
            throw app::ScriptError{QStringLiteral("trvUbigeo no tiene el código %1").arg(code)};
        }
        m_current = row;
        return true;
    };
    tree.state = [this] {
        return QLatin1Char('"') + (m_current >= 0 ? m_places.at(m_current).code : QString()) + QLatin1Char('"');
    };
    app::DeclaredControl accept{QStringLiteral("cmdAceptar"), QStringLiteral("command")};
    accept.click = [this](int) {
        this->accept();
        return true;
    };
    app::DeclaredControl cancel{QStringLiteral("cmdCancelar"), QStringLiteral("command")};
    cancel.click = [this](int) {
        this->cancel();
        return true;
    };
    return {tree, accept, cancel};
}

QStringList UbigeoModel::rowTexts(int row) const {
    const UbigeoPicker::Place& place = m_places.at(row);
    return {place.name, place.code};
}

int UbigeoModel::rowOf(const QString& code) const {
    for (int row = 0; row < m_places.size(); ++row) {
        if (m_places.at(row).code == code) {
            return row;
        }
    }
    return -1;
}

// Only a district of the zone closes the window; a department or a province is refused.
void UbigeoModel::accept() {
    const QString code = m_current >= 0 ? m_places.at(m_current).code : QString();
    if (UbigeoPicker(m_db).confirm(m_zone, code, m_prompter)) {
        m_result = code;
        m_closed = true;
    }
}

} // namespace qel::declaration
