#include "management/DeclarationList.h"

#include "app/StatusDisplay.h"
#include "base/Prompter.h"
#include "store/Database.h"
#include "store/DeclarationKey.h"
#include "store/DeclarationLock.h"
#include "store/WorkingCopies.h"

#include <QSqlQuery>
#include <algorithm>

namespace qel::management {

DeclarationList::DeclarationList(Context context, int operation, FormOpener openForm)
    : m_context(std::move(context)), m_operation(operation), m_openForm(std::move(openForm)) {}

QString DeclarationList::buttonCaption() const {
    return m_operation == Delete ? QStringLiteral("&Eliminar") : QStringLiteral("&Modificar");
}

QString DeclarationList::labelCaption() const {
    return m_operation == Delete ? QStringLiteral("Seleccione la Declaración que desea eliminar :")
                                 : QStringLiteral("Seleccione la Declaración que desea modificar :");
}

QString DeclarationList::windowCaption() const {
    return m_operation == Delete ? QStringLiteral("Eliminar Declaraciones") : QStringLiteral("Modificar Declaraciones");
}

QString DeclarationList::estadoText(int estado) {
    switch (estado) {
    case 0:
        return QStringLiteral("0 - Consistente");
    case 9:
        return QStringLiteral("9 - Con inconsistencias");
    default:
        return QString::number(estado);
    }
}

DeclarationList::Query DeclarationList::listQuery() const {
    Query query;
    query.sql = QStringLiteral("SELECT A.DOC_ID_D, B.NOMBRE, A.PERIODO, A.FORMULARIO, A.ESTADO FROM CAB AS A, CONT AS B"
                               " WHERE A.DOC_ID_D=B.DOC_ID_D AND A.TIP_DOC_D=6 AND B.TIP_DOC_D=6 AND"
                               " A.PERIODO=? AND A.FORMULARIO=?");
    query.values = {m_context.periodo, m_context.formulario};
    if (m_context.userKind != QStringLiteral("0")) {
        query.sql += QStringLiteral(" AND B.USUARIO=?");
        query.values.append(m_context.sysUser);
    }
    query.sql += QStringLiteral(" ORDER BY A.DOC_ID_D ASC");
    return query;
}

void DeclarationList::pCargadatos() {
    const Query query = listQuery();
    QSqlQuery result = m_context.db.run(query.sql, query.values);
    m_rows.clear();
    while (result.next()) {
        m_rows.append({result.value(0).toString(), result.value(1).toString(), result.value(2).toString(),
                       result.value(3).toString(), result.value(4).toInt()});
    }
    // The row last opened for modification, else the row that was selected, else the first.
    int row = -1;
    if (!m_rows.isEmpty()) {
        row = m_remembered >= 0 ? m_remembered : std::max(m_current, 0);
        row = std::min(row, static_cast<int>(m_rows.size()) - 1);
    }
    m_current = -1;
    setCurrent(row);
}

void DeclarationList::setCurrent(int row) {
    if (row < -1 || row >= m_rows.size() || row == m_current) {
        return;
    }
    m_current = row;
    if (row >= 0) {
        const DeclarationRow& selected = m_rows.at(row);
        showStatus(selected.ruc.trimmed(), selected.nombre.trimmed());
    }
}

bool DeclarationList::runOperation() {
    if (m_rows.isEmpty() || m_current < 0) {
        return false;
    }
    return m_operation == Delete ? remove() : modify();
}

bool DeclarationList::modify() {
    const DeclarationRow& selected = m_rows.at(m_current);
    const QVariantList arguments = {selected.ruc.trimmed(), selected.nombre.trimmed(), false};
    if (m_openForm) {
        m_openForm(1, arguments);
    }
    m_remembered = m_current;
    pCargadatos();
    return true;
}

bool DeclarationList::remove() {
    const DeclarationRow selected = m_rows.at(m_current);
    const QString question = QStringLiteral("¿Confirma que va a eliminar la declaración de") + QStringLiteral("\n\n") +
                             selected.nombre.trimmed() + QStringLiteral("?");
    if (!m_context.prompter.askYesNo(question, windowCaption(), app::Button::No, app::Icon::Question)) {
        return false;
    }
    const store::DeclarationKey key{selected.ruc.trimmed(), m_context.periodo, m_context.formulario};
    const auto held =
        store::DeclarationLock::forChange(m_context.db, m_context.prompter, key, m_context.sysUser, windowCaption());
    if (!held) {
        return false;
    }
    const bool deleted = store::deleteDeclaration(m_context.db, m_context.prompter, key);
    pCargadatos();
    return deleted;
}

void DeclarationList::leave() {
    showStatus(QString(), QString());
}

void DeclarationList::showStatus(const QString& ruc, const QString& nombre) {
    if (m_context.status != nullptr) {
        m_context.status->showStatus(ruc, nombre, m_context.periodo, m_context.formulario);
    }
}

} // namespace qel::management
