#include "management/SentDeclarationList.h"

#include "app/StatusDisplay.h"
#include "base/Prompter.h"
#include "store/Database.h"
#include "store/DeclarationKey.h"
#include "store/WorkingCopies.h"

#include <QDate>
#include <QSqlQuery>
#include <algorithm>

namespace qel::management {

const QString SentDeclarationList::kFrameCaption = QStringLiteral("Declaraciones Enviadas");
const QString SentDeclarationList::kDeleteQuestion =
    QStringLiteral("¿Confirma que va a eliminar la declaración seleccionada?");

namespace {

const QString kRegisterCaption = QStringLiteral("Registrar número de orden");

// FEC_ENV is kept as an ISO date; the list shows it as the user writes dates.
QString shownDate(const QString& stored) {
    const QDate date = QDate::fromString(stored.trimmed(), Qt::ISODate);
    return date.isValid() ? date.toString(QStringLiteral("dd/MM/yyyy")) : stored.trimmed();
}

} // namespace

SentDeclarationList::SentDeclarationList(Context context) : m_context(std::move(context)) {}

SentDeclarationList::Operation SentDeclarationList::operation() const {
    if (m_context.recovering) {
        return Operation::Recover;
    }
    return m_context.listMode == 3 ? Operation::DeleteVersion : Operation::RegisterOrderNumber;
}

QString SentDeclarationList::buttonCaption() const {
    switch (operation()) {
    case Operation::DeleteVersion:
        return QStringLiteral("&Eliminar");
    case Operation::Recover:
        return QStringLiteral("&Recuperar");
    case Operation::RegisterOrderNumber:
        break;
    }
    return QStringLiteral("&Registrar");
}

QString SentDeclarationList::labelCaption() const {
    switch (operation()) {
    case Operation::DeleteVersion:
        return QStringLiteral("Seleccione la Declaración que desea eliminar :");
    case Operation::Recover:
        return QStringLiteral("Seleccione la Declaración que desea recuperar :");
    case Operation::RegisterOrderNumber:
        break;
    }
    return QStringLiteral(
        "Seleccione la Declaración en la que desea registrar el número de orden asignado por KOLVA :");
}

QString SentDeclarationList::windowCaption() const {
    // The recovery list keeps the caption of its list mode, 1.
    return operation() == Operation::DeleteVersion ? QStringLiteral("Eliminar Declaraciones Enviadas")
                                                   : kRegisterCaption;
}

QStringList SentDeclarationList::columnCaptions() {
    return {QStringLiteral("RUC"),        QStringLiteral("Razón Social"), QStringLiteral("Periodo"),
            QStringLiteral("Formulario"), QStringLiteral("N. Orden"),     QStringLiteral("Fecha Env."),
            QStringLiteral("Control"),    QStringLiteral("Correl")};
}

SentDeclarationList::Query SentDeclarationList::listQuery() const {
    Query query;
    query.sql = QStringLiteral("SELECT A.DOC_ID_D, B.NOMBRE, A.PERIODO, A.FORMULARIO, A.NORDEN, A.FEC_ENV, A.CONTROL, "
                               "A.CORREL FROM HCAB AS A, CONT AS B"
                               " WHERE A.DOC_ID_D=B.DOC_ID_D AND"
                               " A.TIP_DOC_D=6 AND B.TIP_DOC_D=6 AND"
                               " A.PERIODO=? AND A.FORMULARIO=?");
    query.values = {m_context.periodo, m_context.formulario};
    if (m_context.userKind != QStringLiteral("0")) {
        query.sql += QStringLiteral(" AND B.USUARIO=?");
        query.values.append(m_context.sysUser);
    }
    // Versions sent the same day: the later correlative first.
    query.sql += QStringLiteral(" ORDER BY A.DOC_ID_D ASC, A.FEC_ENV DESC, CAST(A.CORREL AS INTEGER) DESC");
    return query;
}

void SentDeclarationList::pCargadatos() {
    const Query query = listQuery();
    QSqlQuery result = m_context.db.run(query.sql, query.values);
    m_rows.clear();
    while (result.next()) {
        m_rows.append({result.value(0).toString(), result.value(1).toString(), result.value(2).toString(),
                       result.value(3).toString(), result.value(4).toString().trimmed(),
                       shownDate(result.value(5).toString()), result.value(6).toString(), result.value(7).toString()});
    }
    int row = -1;
    if (!m_rows.isEmpty()) {
        row = m_remembered >= 0 ? m_remembered : std::max(m_current, 0);
        row = std::min(row, static_cast<int>(m_rows.size()) - 1);
    }
    m_current = -1;
    setCurrent(row);
}

QString SentDeclarationList::cell(int row, int column) const {
    if (row < 0 || row >= m_rows.size()) {
        return {};
    }
    const SentVersionRow& r = m_rows.at(row);
    const QStringList cells = {r.ruc, r.nombre, r.periodo, r.formulario, r.norden, r.fecEnv, r.control, r.correl};
    return cells.value(column);
}

void SentDeclarationList::setCurrent(int row) {
    if (row < -1 || row >= m_rows.size() || row == m_current) {
        return;
    }
    m_current = row;
    if (row >= 0) {
        const SentVersionRow& selected = m_rows.at(row);
        showStatus(selected.ruc.trimmed(), selected.nombre.trimmed());
    }
}

bool SentDeclarationList::runOperation() {
    if (m_rows.isEmpty() || m_current < 0) {
        return false;
    }
    switch (operation()) {
    case Operation::DeleteVersion:
        return deleteVersion();
    case Operation::Recover:
        return recover();
    case Operation::RegisterOrderNumber:
        break;
    }
    return openVersion();
}

bool SentDeclarationList::view() {
    if (m_rows.isEmpty() || m_current < 0) {
        return false;
    }
    return openVersion();
}

// The version in the declaration form, which reads it from the history tables and offers
// the registration of its order number.
bool SentDeclarationList::openVersion() {
    const SentVersionRow selected = m_rows.at(m_current);
    if (m_context.status != nullptr) {
        m_context.status->clearName();
    }
    const QVariantList arguments = {selected.ruc.trimmed(), selected.nombre.trimmed(), true, selected.correl,
                                    selected.control};
    m_remembered = m_current;
    if (m_openForm) {
        m_openForm(1, arguments);
    }
    pCargadatos();
    return true;
}

bool SentDeclarationList::deleteVersion() {
    const SentVersionRow selected = m_rows.at(m_current);
    if (!m_context.prompter.askYesNo(kDeleteQuestion, windowCaption(), app::Button::No, app::Icon::Question)) {
        return false;
    }
    const store::DeclarationKey key{selected.ruc.trimmed(), m_context.periodo, m_context.formulario};
    const bool deleted = store::deleteSentVersion(m_context.db, m_context.prompter, key, selected.correl);
    pCargadatos();
    return deleted;
}

bool SentDeclarationList::recover() {
    const SentVersionRow selected = m_rows.at(m_current);
    m_remembered = m_current;
    if (m_openRecovery) {
        m_openRecovery(selected);
    }
    pCargadatos();
    return true;
}

void SentDeclarationList::leave() {
    showStatus(QString(), QString());
}

std::optional<QVariantList> SentDeclarationList::versionArguments(store::Database& db, const store::DeclarationKey& key,
                                                                  const QString& correl) {
    const store::SqlFilter version = key.versionFilter(correl);
    QSqlQuery found =
        db.run(QStringLiteral("SELECT (SELECT NOMBRE FROM CONT WHERE TIP_DOC_D=6 AND DOC_ID_D=?), CONTROL FROM HCAB") +
                   version.text,
               QVariantList{key.ruc} + version.values);
    if (!found.next()) {
        return std::nullopt;
    }
    return QVariantList{key.ruc, found.value(0).toString().trimmed(), true, correl, found.value(1).toString()};
}

void SentDeclarationList::showStatus(const QString& ruc, const QString& nombre) {
    if (m_context.status != nullptr) {
        m_context.status->showStatus(ruc, nombre, m_context.periodo, m_context.formulario);
    }
}

} // namespace qel::management
