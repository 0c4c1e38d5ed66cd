#include "annexes/MonthAssistantModel.h"

#include "annexes/AssistantGridControls.h"
#include "app/FormOpener.h"
#include "base/NumberFormat.h"
#include "store/Database.h"
#include "store/ExecuteSql.h"

#include <QSqlQuery>
#include <cmath>

namespace qel::annexes {

const QString MonthAssistantModel::kCellMask = QStringLiteral("#,###,###,##0");
const QString MonthAssistantModel::kEditMask = QStringLiteral("#########0");
const QString MonthAssistantModel::kTotalMask = QStringLiteral("#########0");
const QString MonthAssistantModel::kNegativeTotalMask = QStringLiteral("(###,###,###,##0)");

namespace {

// The factor stored with every month; the assistants keep plain amounts, so it is 1.
constexpr double kFactor = 1.0;
const QString kImportWindow = QStringLiteral("frmImportarGastoPresent");

std::optional<double> amountOf(const QString& text) {
    if (text.trimmed().isEmpty()) {
        return std::nullopt;
    }
    return app::readWhole(text);
}

} // namespace

MonthAssistantModel::MonthAssistantModel(store::Database& db, app::Prompter& prompter, store::DeclarationKey key,
                                         const MonthAssistantKind& kind, bool readOnly, app::FormOpener* opener)
    : m_db(db), m_prompter(prompter), m_key(std::move(key)), m_kind(kind), m_readOnly(readOnly), m_opener(opener) {
    for (Row& row : m_rows) {
        row = Row(columnCount());
    }
}

QString MonthAssistantModel::caption() const {
    return QStringLiteral("Asistente de Cálculo de Casilla %1").arg(m_kind.casilla);
}

// Rows 1 to 12 are the declared year's months, rows 13 to 16 the first four of the next.
QString MonthAssistantModel::monthLabel(int row) const {
    const int year = m_key.periodo.toInt() + (row >= 12 ? 1 : 0);
    return QStringLiteral("%1 - %2").arg(row % 12 + 1, 2, 10, QLatin1Char('0')).arg(year);
}

QString MonthAssistantModel::monthKey(int row) const {
    const int year = m_key.periodo.toInt() + (row >= 12 ? 1 : 0);
    return QStringLiteral("%1%2").arg(year).arg(row % 12 + 1, 2, 10, QLatin1Char('0'));
}

void MonthAssistantModel::load() {
    for (Row& row : m_rows) {
        row = Row(columnCount());
    }
    store::SqlFilter where = m_key.filter();
    where.andCondition(QStringLiteral("trim(TIPO_ASIST)=?"), {m_kind.type});
    QSqlQuery rows = m_db.run(
        QStringLiteral("SELECT trim(PER_PAG), %1 FROM TMPACTA").arg(m_kind.columns.join(QLatin1Char(','))) + where.text,
        where.values);
    while (rows.next()) {
        const QString month = rows.value(0).toString();
        for (int row = 0; row < kRows; ++row) {
            if (monthKey(row) != month) {
                continue;
            }
            for (int column = 0; column < columnCount(); ++column) {
                m_rows[row][column] = amountOf(rows.value(column + 1).toString());
            }
        }
    }
    notify();
}

std::optional<double> MonthAssistantModel::cell(int row, int column) const {
    if (row < 0 || row >= kRows || column < 0 || column >= columnCount()) {
        return std::nullopt;
    }
    return m_rows[row][column];
}

QString MonthAssistantModel::cellText(int row, int column) const {
    const std::optional<double> value = cell(row, column);
    return value ? app::formatNumber(*value, kCellMask) : QString();
}

QString MonthAssistantModel::editText(int row, int column) const {
    const std::optional<double> value = cell(row, column);
    return value ? app::formatNumber(*value, kEditMask) : QString();
}

bool MonthAssistantModel::setCellText(int row, int column, const QString& text) {
    if (m_readOnly || m_closed || row < 0 || row >= kRows || column < 0 || column >= columnCount()) {
        return false;
    }
    m_rows[row][column] = amountOf(text);
    notify();
    return true;
}

int MonthAssistantModel::columnIndex(const QString& nameOrNumber) const {
    bool numeric = false;
    const int number = nameOrNumber.trimmed().toInt(&numeric);
    if (numeric) {
        return number >= 1 && number <= columnCount() ? number - 1 : -1;
    }
    for (int column = 0; column < columnCount(); ++column) {
        if (m_kind.columns.at(column).compare(nameOrNumber.trimmed(), Qt::CaseInsensitive) == 0) {
            return column;
        }
    }
    return -1;
}

double MonthAssistantModel::rowTotal(int row) const {
    double sum = 0;
    for (const std::optional<double>& value : m_rows.at(row)) {
        sum += value.value_or(0);
    }
    return sum;
}

QString MonthAssistantModel::rowTotalText(int row) const {
    if (rowIsEmpty(row)) {
        return {};
    }
    return app::formatNumber(rowTotal(row), kCellMask);
}

double MonthAssistantModel::total() const {
    double sum = 0;
    for (int row = 0; row < kRows; ++row) {
        sum += rowTotal(row);
    }
    return sum;
}

QString MonthAssistantModel::totalText() const {
    const double sum = total();
    return sum < 0 ? app::formatNumber(std::fabs(sum), kNegativeTotalMask) : app::formatNumber(sum, kTotalMask);
}

bool MonthAssistantModel::rowIsEmpty(int row) const {
    for (const std::optional<double>& value : m_rows.at(row)) {
        if (value) {
            return false;
        }
    }
    return true;
}

bool MonthAssistantModel::save() {
    if (m_readOnly || m_closed) {
        return false;
    }
    const bool saved = store::runAtomically(m_db, m_prompter, [this] {
        ensureHeader();
        writeRows();
    });
    if (!saved) {
        return false;
    }
    m_result = app::formatNumber(total(), kEditMask);
    m_closed = true;
    return true;
}

// The declaration's header must exist for its assistant rows; its check code is reset so the
// next save of the declaration stamps it again.
void MonthAssistantModel::ensureHeader() {
    const store::SqlFilter where = m_key.filter();
    if (m_db.scalar(QStringLiteral("SELECT count(*) FROM CAB") + where.text, where.values).toInt() == 0) {
        m_db.run(
                QStringLiteral("INSERT INTO CAB (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, SEMANA) VALUES (?,?,?,?,0)"),
                m_key.columnValues())
            .finish();
    }
    m_db.run(QStringLiteral("UPDATE CAB SET cNumero='0'") + where.text, where.values).finish();
}

void MonthAssistantModel::writeRows() {
    store::SqlFilter where = m_key.filter();
    where.andCondition(QStringLiteral("trim(TIPO_ASIST)=?"), {m_kind.type});
    m_db.run(QStringLiteral("DELETE FROM TMPACTA") + where.text, where.values).finish();

    QStringList placeholders;
    for (int i = 0; i < columnCount(); ++i) {
        placeholders.append(QStringLiteral("?"));
    }
    const QString insert = QStringLiteral("INSERT INTO TMPACTA (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, TIPO_ASIST, "
                                          "PER_PAG, %1, factor, cNumero) VALUES (?,?,?,?,?,?,%2,?,'000000')")
                               .arg(m_kind.columns.join(QStringLiteral(", ")), placeholders.join(QLatin1Char(',')));
    for (int row = 0; row < kRows; ++row) {
        if (rowIsEmpty(row)) {
            continue;
        }
        QVariantList values = m_key.columnValues();
        values << m_kind.type << monthKey(row);
        for (const std::optional<double>& value : m_rows.at(row)) {
            values << app::formatNumber(value.value_or(0), kEditMask);
        }
        values << kFactor;
        m_db.run(insert, values).finish();
    }
}

void MonthAssistantModel::close() {
    m_closed = true;
}

bool MonthAssistantModel::importRows() {
    if (m_readOnly || m_closed || m_opener == nullptr || m_kind.importKind.isEmpty()) {
        return false;
    }
    app::FormRequest request;
    request.name = kImportWindow;
    request.key = m_key;
    request.casilla = m_kind.casilla;
    request.code = m_kind.importKind;
    m_opener->open(request);
    load();
    return true;
}

void MonthAssistantModel::notify() {
    if (m_changed) {
        m_changed();
    }
}

// --- What a script drives -------------------------------------------------------------------

QList<app::DeclaredControl> MonthAssistantModel::declaredControls() {
    return assistantGridControls(*this, QStringLiteral("grdAsistente"), *this, m_scriptRow,
                                 !m_kind.importKind.isEmpty());
}

QStringList MonthAssistantModel::rowTexts(int row) const {
    QStringList texts = {monthLabel(row)};
    for (int column = 0; column < columnCount(); ++column) {
        texts.append(cellText(row, column));
    }
    // The payments assistant shows the month's total too.
    if (m_kind.rowTotals) {
        texts.append(rowTotalText(row));
    }
    return texts;
}

} // namespace qel::annexes
