#include "annexes/CasillaAssistantModel.h"

#include "app/FormOpener.h"
#include "base/NumberFormat.h"
#include "base/Prompter.h"
#include "catalogue/AnnexControls.h"
#include "declaration/model/WorkingCasillas.h"
#include "store/Database.h"
#include "store/DatabaseError.h"
#include "store/ExecuteSql.h"
#include "store/TransactionGuard.h"

#include <QSqlQuery>

namespace qel::annexes {

namespace {

const QString kMonthTable = QStringLiteral("TMPF572DETBAS");

QString monthKey(int month) {
    return month > 12 ? QString::number(month) : QStringLiteral("%1").arg(month, 2, 10, QLatin1Char('0'));
}

// The months (or years) the window's amount boxes keep, in their order.
QList<int> periodsOf(const AssistantDef& def) {
    QList<int> periods;
    for (const AssistantField& field : def.fields) {
        if (field.month > 0 && !field.base) {
            periods.append(field.month);
        }
    }
    return periods;
}

// The rows of the window's own periods: the months and the years of casilla 706 share their
// addition, detail and type, and each window replaces only its own.
store::SqlFilter monthRows(const store::DeclarationKey& key, const AssistantDef& def) {
    store::SqlFilter where = key.filter();
    where.andEquals(QStringLiteral("CAS_ADI"), def.months.casAdi);
    where.andEquals(QStringLiteral("CAS_DET"), def.months.casDet);
    where.andEquals(QStringLiteral("tipo"), def.months.tipo);
    QStringList marks;
    QVariantList keys;
    for (const int period : periodsOf(def)) {
        marks.append(QStringLiteral("?"));
        keys.append(period);
    }
    where.andCondition(
        QStringLiteral("CAST(per_mes AS INTEGER) IN (") + marks.join(QLatin1Char(',')) + QLatin1Char(')'), keys);
    return where;
}

} // namespace

CasillaAssistantModel::CasillaAssistantModel(store::Database& db, app::Prompter& prompter, const AssistantDef& def,
                                             store::DeclarationKey key, int casilla, bool readOnly, QStringList rowKey)
    : m_db(db), m_prompter(prompter), m_def(def), m_key(std::move(key)), m_casilla(casilla), m_readOnly(readOnly),
      m_rowKey(std::move(rowKey)) {
    load();
    recompute();
}

QString CasillaAssistantModel::caption() const {
    return m_def.caption.contains(QStringLiteral("%1")) ? m_def.caption.arg(m_casilla) : m_def.caption;
}

void CasillaAssistantModel::load() {
    if (!m_def.rowTable.isEmpty()) {
        loadAnnexRows();
        return;
    }
    const QMap<int, QString> working = declaration::WorkingCasillas::values(m_db, m_key);
    for (const AssistantField& field : m_def.fields) {
        if (field.casilla > 0 && field.stored) {
            m_values.setText(field.id(), working.value(field.casilla));
        }
    }
    if (m_def.months.casAdi.isEmpty()) {
        return;
    }
    const store::SqlFilter where = monthRows(m_key, m_def);
    QSqlQuery rows =
        m_db.run(QStringLiteral("SELECT per_mes, mto_monto, mto_base FROM ") + kMonthTable + where.text, where.values);
    while (rows.next()) {
        const int month = rows.value(0).toString().trimmed().toInt();
        if (month > 0 && m_def.field(1000 + month) != nullptr) {
            m_values.setText(1000 + month, rows.value(1).toString().trimmed());
            if (m_def.field(2000 + month) != nullptr) {
                m_values.setText(2000 + month, rows.value(2).toString().trimmed());
            }
        }
    }
}

QString CasillaAssistantModel::shownText(int id) const {
    if (m_values.isEmpty(id)) {
        return {};
    }
    const AssistantField* field = m_def.field(id);
    if (field != nullptr && field->count) {
        return app::formatNumber(m_values.value(id), QStringLiteral("#0"));
    }
    return app::formatNumber(m_values.value(id), QStringLiteral("###,###,###,##0;(###,###,###,##0)"));
}

bool CasillaAssistantModel::setText(int id, const QString& text) {
    const AssistantField* field = m_def.field(id);
    if (field == nullptr || field->computed || m_readOnly) {
        return false;
    }
    QString digits = text.trimmed();
    digits.remove(QLatin1Char(','));
    for (const QChar c : digits) {
        if (!c.isDigit()) {
            return false;
        }
    }
    m_values.setText(id, digits.isEmpty() ? QString() : app::formatNumber(app::readWhole(digits), app::masks::kWhole));
    recompute();
    return true;
}

void CasillaAssistantModel::recompute() {
    if (m_def.detailRows) {
        m_def.detailRows->compute(m_values, AssistantContext{m_db, m_key, m_casilla});
    }
    for (const AssistantTotal& total : m_def.totals) {
        bool any = false;
        double sum = 0;
        for (const int id : total.adds) {
            any = any || !m_values.isEmpty(id);
            sum += m_values.value(id);
        }
        for (const int id : total.subtracts) {
            any = any || !m_values.isEmpty(id);
            sum -= m_values.value(id);
        }
        if (any) {
            m_values.setValue(total.target, sum);
        } else {
            m_values.setText(total.target, QString());
        }
    }
    if (m_def.calculation) {
        m_def.calculation->compute(m_values, AssistantContext{m_db, m_key, m_casilla});
    }
}

bool CasillaAssistantModel::openDetail(int id) {
    const AssistantField* field = m_def.field(id);
    if (field == nullptr || field->opens.isEmpty() || m_opener == nullptr || m_readOnly) {
        return false;
    }
    app::FormRequest request;
    request.name = field->opens;
    request.key = m_key;
    request.casilla = field->openedFor > 0 ? field->openedFor : field->casilla;
    request.code = QString::number(request.casilla.value_or(0));
    const QString result = m_opener->open(request);
    if (!field->computed && !result.trimmed().isEmpty()) {
        m_values.setText(id, app::formatNumber(app::readWhole(result), app::masks::kWhole));
    }
    recompute();
    return true;
}

QString CasillaAssistantModel::problem() const {
    if (m_def.everyFieldRequired) {
        for (const AssistantField& field : m_def.fields) {
            if (!field.computed && m_values.isEmpty(field.id())) {
                return m_def.requiredMessage;
            }
        }
    }
    for (const AssistantTotal& total : m_def.totals) {
        if (!total.negativeMessage.isEmpty() && m_values.value(total.target) < 0) {
            return total.negativeMessage;
        }
    }
    const AssistantContext context{m_db, m_key, m_casilla};
    for (const auto& check : m_def.checks) {
        const QString found = check->problem(m_values, context);
        if (!found.isEmpty()) {
            return found;
        }
    }
    return {};
}

bool CasillaAssistantModel::save() {
    if (m_readOnly) {
        return false;
    }
    const QString found = problem();
    if (!found.isEmpty()) {
        m_prompter.message(found, caption(), app::Icon::Exclamation);
        return false;
    }
    try {
        store::TransactionGuard transaction(m_db);
        storeRows();
        transaction.commit();
    } catch (const store::DatabaseError& error) {
        store::showDatabaseError(m_prompter, error);
        return false;
    }
    m_result = m_values.isEmpty(m_def.resultId) ? QStringLiteral("0") : m_values.text(m_def.resultId);
    m_closed = true;
    return true;
}

store::SqlFilter CasillaAssistantModel::annexRowFilter() const {
    store::SqlFilter where = m_key.filter();
    for (qsizetype i = 0; i < m_def.rowKeyColumns.size(); ++i) {
        where.andCondition(m_def.rowKeyColumns.at(i) + QStringLiteral(" IS ?"), {m_rowKey.value(i)});
    }
    return where;
}

void CasillaAssistantModel::loadAnnexRows() {
    const store::SqlFilter where = annexRowFilter();
    QSqlQuery rows =
        m_db.run(QStringLiteral("SELECT CASILLA, i_valor FROM ") + m_def.rowTable + where.text, where.values);
    while (rows.next()) {
        const int month = rows.value(0).toString().trimmed().toInt();
        if (month > 0 && m_def.field(1000 + month) != nullptr) {
            m_values.setText(1000 + month, rows.value(1).toString().trimmed());
        }
    }
}

void CasillaAssistantModel::storeAnnexRows() {
    const store::SqlFilter where = annexRowFilter();
    m_db.run(QStringLiteral("DELETE FROM ") + m_def.rowTable + where.text, where.values).finish();
    const QString columns = QStringLiteral("TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, ") +
                            m_def.rowKeyColumns.join(QStringLiteral(", ")) +
                            QStringLiteral(", CASILLA, i_valor, cNumero");
    const QString marks = QStringLiteral("?,").repeated(6 + m_def.rowKeyColumns.size()) + QStringLiteral("'000000'");
    for (int month = 1; month <= 12; ++month) {
        const QString amount = m_values.text(1000 + month);
        if (amount.trimmed().isEmpty()) {
            continue;
        }
        QVariantList values = m_key.columnValues();
        for (qsizetype i = 0; i < m_def.rowKeyColumns.size(); ++i) {
            values.append(m_rowKey.value(i));
        }
        values << monthKey(month) << amount;
        m_db.run(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(m_def.rowTable, columns, marks), values)
            .finish();
    }
}

void CasillaAssistantModel::storeRows() {
    if (!m_def.rowTable.isEmpty()) {
        storeAnnexRows();
        return;
    }
    QMap<int, QString> casillas;
    for (const AssistantField& field : m_def.fields) {
        if (field.casilla > 0 && field.stored) {
            casillas.insert(field.casilla, m_values.text(field.id()));
        }
    }
    declaration::WorkingCasillas::store(m_db, m_key, casillas);
    if (m_def.months.casAdi.isEmpty()) {
        return;
    }
    const store::SqlFilter where = monthRows(m_key, m_def);
    m_db.run(QStringLiteral("DELETE FROM ") + kMonthTable + where.text, where.values).finish();
    // One row per month with an amount or a base; an empty base is kept as 0.
    for (const int month : periodsOf(m_def)) {
        const QString amount = m_values.text(1000 + month);
        const QString base = m_values.text(2000 + month);
        if (amount.trimmed().isEmpty() && base.trimmed().isEmpty()) {
            continue;
        }
        m_db.run(QStringLiteral("INSERT INTO ") + kMonthTable +
                     QStringLiteral(" (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, CAS_ADI, CAS_DET, tipo, num_correl, "
                                    "per_mes, des_detalle, mto_base, mto_monto, cNumero) "
                                    "VALUES (?,?,?,?,?,?,?,?,?,'',?,?,'000000')"),
                 m_key.columnValues() + QVariantList{m_def.months.casAdi, m_def.months.casDet, m_def.months.tipo, month,
                                                     monthKey(month),
                                                     base.trimmed().isEmpty() ? QStringLiteral("0") : base, amount})
            .finish();
    }
}

// --- What a script drives -------------------------------------------------------------------

QList<app::DeclaredControl> CasillaAssistantModel::declaredControls() {
    QList<app::DeclaredControl> controls;
    for (const AssistantField& field : m_def.fields) {
        const int id = field.id();
        app::DeclaredControl box(field.boxName(), QStringLiteral("text"));
        box.type = [this, id](const QString& value) { return setText(id, value); };
        box.state = [this, id] { return QLatin1Char('"') + shownText(id) + QLatin1Char('"'); };
        controls.append(box);
        if (!field.opens.isEmpty()) {
            app::DeclaredControl detail(field.detailButton(), QStringLiteral("command"));
            detail.click = [this, id](int) { return openDetail(id); };
            detail.state = [] { return QStringLiteral("{0}"); };
            controls.append(detail);
        }
    }
    app::DeclaredControl saveButton(QStringLiteral("CmdGrabar"), QStringLiteral("command"));
    saveButton.click = [this](int) { return save(); };
    saveButton.state = [this] { return m_readOnly ? QStringLiteral("{}") : QStringLiteral("{0}"); };
    controls.append(saveButton);
    app::DeclaredControl leave(controls::kClose, QStringLiteral("command"));
    leave.click = [this](int) {
        close();
        return true;
    };
    leave.state = [] { return QStringLiteral("{0}"); };
    controls.append(leave);
    return controls;
}

} // namespace qel::annexes
