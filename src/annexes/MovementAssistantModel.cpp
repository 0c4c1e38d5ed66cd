#include "annexes/MovementAssistantModel.h"

#include "annexes/AssistantGridControls.h"
#include "annexes/MovementCasillas.h"
#include "app/FormOpener.h"
#include "base/NumberFormat.h"
#include "base/Prompter.h"
#include "store/Database.h"
#include "store/ExecuteSql.h"

#include <QSqlQuery>

namespace qel::annexes {

const QString MovementAssistantModel::kGrid = QStringLiteral("grdMovimiento");

const QString MovementAssistantModel::kCellMask = QStringLiteral("#,###,###,##0");
const QString MovementAssistantModel::kEditMask = QStringLiteral("#########0");
const QString MovementAssistantModel::kNegativeClosing = QStringLiteral("El saldo final de %1 no puede ser negativo.");

namespace {

using Role = MovementColumn::Role;

const QString kImportWindow = QStringLiteral("frmImportarGastoPresent");
const QString kRateMask = QStringLiteral("##0.00");

std::optional<double> readCell(const QString& text, Role role) {
    if (text.trimmed().isEmpty()) {
        return std::nullopt;
    }
    return role == Role::Rate ? app::roundHalfAway(app::val(text), 2) : app::readWhole(text);
}

} // namespace

MovementAssistantModel::MovementAssistantModel(store::Database& db, app::Prompter& prompter, store::DeclarationKey key,
                                               const MovementAssistantKind& kind, int casilla, bool readOnly,
                                               app::FormOpener* opener)
    : m_db(db), m_prompter(prompter), m_key(std::move(key)), m_kind(kind), m_casilla(casilla), m_readOnly(readOnly),
      m_opener(opener) {
    for (Line& line : m_lines) {
        line = Line(columnCount());
    }
}

QString MovementAssistantModel::caption() const {
    return QStringLiteral("Asistente de Cálculo de Casilla %1").arg(m_casilla);
}

QString MovementAssistantModel::heading(int column) const {
    return m_kind.heading(column, m_key.periodo);
}

bool MovementAssistantModel::isComputed(int column) const {
    return m_kind.columns.at(column).role == Role::Closing;
}

void MovementAssistantModel::load() {
    for (Line& line : m_lines) {
        line = Line(columnCount());
    }
    QStringList columns;
    for (const MovementColumn& c : m_kind.columns) {
        columns.append(c.column); // amount columns: an empty box is NULL, read as empty below
    }
    store::SqlFilter where = m_key.filter();
    where.andCondition(QStringLiteral("trim(CASILLA)=?"), {QString::number(m_casilla)});
    QSqlQuery rows = m_db.run(
        QStringLiteral("SELECT num_fila, %1 FROM %2").arg(columns.join(QLatin1Char(',')), m_kind.table) + where.text,
        where.values);
    while (rows.next()) {
        const int row = rows.value(0).toInt() - 1;
        if (row < 0 || row >= MovementAssistantKind::kLines) {
            continue;
        }
        for (int column = 0; column < columnCount(); ++column) {
            const QVariant stored = rows.value(column + 1);
            m_lines[row][column] =
                readCell(stored.isNull() ? QString() : stored.toString(), m_kind.columns.at(column).role);
        }
        computeClosing(row);
    }
    notify();
}

std::optional<double> MovementAssistantModel::cell(int row, int column) const {
    return m_lines.at(row).at(column);
}

QString MovementAssistantModel::cellText(int row, int column) const {
    const std::optional<double> value = cell(row, column);
    if (!value) {
        return {};
    }
    return app::formatNumber(*value, m_kind.columns.at(column).role == Role::Rate ? kRateMask : kCellMask);
}

QString MovementAssistantModel::editText(int row, int column) const {
    const std::optional<double> value = cell(row, column);
    if (!value) {
        return {};
    }
    return app::formatNumber(*value, m_kind.columns.at(column).role == Role::Rate ? kRateMask : kEditMask);
}

bool MovementAssistantModel::setCellText(int row, int column, const QString& text) {
    if (m_readOnly || m_closed || row < 0 || row >= MovementAssistantKind::kLines || column < 0 ||
        column >= columnCount() || isComputed(column)) {
        return false;
    }
    m_lines[row][column] = readCell(text, m_kind.columns.at(column).role);
    computeClosing(row);
    notify();
    return true;
}

// The closing balance of a line: its opening balance plus additions minus retirements; a
// line without amounts has none.
void MovementAssistantModel::computeClosing(int row) {
    const int closing = m_kind.closingColumn();
    double value = 0;
    bool any = false;
    for (int column = 0; column < columnCount(); ++column) {
        const Role role = m_kind.columns.at(column).role;
        const std::optional<double> amount = m_lines.at(row).at(column);
        if (!amount || role == Role::Closing || role == Role::Rate) {
            continue;
        }
        any = true;
        value += role == Role::Retirement ? -*amount : *amount;
    }
    m_lines[row][closing] = any ? std::optional<double>(value) : std::nullopt;
}

int MovementAssistantModel::columnIndex(const QString& nameOrNumber) const {
    bool numeric = false;
    const int number = nameOrNumber.trimmed().toInt(&numeric);
    if (numeric) {
        return number >= 1 && number <= columnCount() ? number - 1 : -1;
    }
    for (int column = 0; column < columnCount(); ++column) {
        if (m_kind.columns.at(column).column.compare(nameOrNumber.trimmed(), Qt::CaseInsensitive) == 0) {
            return column;
        }
    }
    return -1;
}

double MovementAssistantModel::columnTotal(int column) const {
    double sum = 0;
    for (const Line& line : m_lines) {
        sum += line.at(column).value_or(0);
    }
    return sum;
}

QString MovementAssistantModel::totalText(int column) const {
    if (m_kind.columns.at(column).role == Role::Rate) {
        return {};
    }
    return app::formatNumber(columnTotal(column), kCellMask);
}

double MovementAssistantModel::total() const {
    return columnTotal(m_kind.closingColumn());
}

QString MovementAssistantModel::totalText() const {
    return app::formatNumber(total(), kCellMask);
}

bool MovementAssistantModel::lineIsEmpty(int row) const {
    for (const std::optional<double>& value : m_lines.at(row)) {
        if (value) {
            return false;
        }
    }
    return true;
}

bool MovementAssistantModel::save() {
    if (m_readOnly || m_closed) {
        return false;
    }
    const int closing = m_kind.closingColumn();
    for (int row = 0; row < MovementAssistantKind::kLines; ++row) {
        if (m_lines.at(row).at(closing).value_or(0) < 0) {
            m_prompter.message(kNegativeClosing.arg(MovementAssistantKind::lineLabels().at(row)), caption(),
                               app::Icon::Critical);
            return false;
        }
    }
    const bool saved = store::runAtomically(m_db, m_prompter, [this] {
        writeLines();
        MovementCasillas::write(m_db, m_key, m_casilla);
    });
    if (!saved) {
        return false;
    }
    m_result = app::formatNumber(total(), kEditMask);
    m_closed = true;
    return true;
}

void MovementAssistantModel::writeLines() {
    store::SqlFilter where = m_key.filter();
    where.andCondition(QStringLiteral("trim(CASILLA)=?"), {QString::number(m_casilla)});
    m_db.run(QStringLiteral("DELETE FROM ") + m_kind.table + where.text, where.values).finish();
    QStringList columns;
    for (const MovementColumn& c : m_kind.columns) {
        columns.append(c.column);
    }
    const QString insert =
        QStringLiteral("INSERT INTO %1 (TIP_DOC_D, DOC_ID_D, PERIODO, FORMULARIO, CASILLA, num_fila, "
                       "%2, cNumero) VALUES (?,?,?,?,?,?,%3,'000000')")
            .arg(m_kind.table, columns.join(QStringLiteral(", ")),
                 QStringLiteral("?,").repeated(columnCount()).chopped(1));
    for (int row = 0; row < MovementAssistantKind::kLines; ++row) {
        if (lineIsEmpty(row)) {
            continue;
        }
        QVariantList values = m_key.columnValues();
        values << QString::number(m_casilla) << row + 1;
        for (int column = 0; column < columnCount(); ++column) {
            const std::optional<double> value = m_lines.at(row).at(column);
            if (m_kind.columns.at(column).role == Role::Rate) {
                values << (value ? QVariant(*value) : QVariant());
            } else {
                values << app::formatNumber(value.value_or(0), kEditMask);
            }
        }
        m_db.run(insert, values).finish();
    }
}

void MovementAssistantModel::close() {
    m_closed = true;
}

bool MovementAssistantModel::importRows() {
    if (m_readOnly || m_closed || m_opener == nullptr) {
        return false;
    }
    app::FormRequest request;
    request.name = kImportWindow;
    request.key = m_key;
    request.action = app::FormRequest::kAdd;
    request.casilla = m_casilla;
    request.code = m_kind.importKind;
    m_opener->open(request);
    load();
    return true;
}

void MovementAssistantModel::notify() {
    if (m_changed) {
        m_changed();
    }
}

// --- What a script drives -------------------------------------------------------------------

QList<app::DeclaredControl> MovementAssistantModel::declaredControls() {
    return assistantGridControls(*this, kGrid, *this, m_scriptRow, true);
}

QStringList MovementAssistantModel::rowTexts(int row) const {
    QStringList texts = {MovementAssistantKind::lineLabels().at(row)};
    for (int column = 0; column < columnCount(); ++column) {
        texts.append(cellText(row, column));
    }
    return texts;
}

} // namespace qel::annexes
