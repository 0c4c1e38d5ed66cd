#include "annexes/AnnexGridModel.h"

#include "base/NumberFormat.h"
#include "base/Prompter.h"
#include "store/Database.h"
#include "store/ExecuteSql.h"
#include "store/ParamLookups.h"
#include "store/PreparedRows.h"
#include "store/TableCatalog.h"

#include <QDate>
#include <QSqlQuery>
#include <QSqlRecord>
#include <algorithm>

namespace qel::annexes {

const QString AnnexGridModel::kSelectToModify = QStringLiteral("Tiene que seleccionar el registro a modificar.");
const QString AnnexGridModel::kSelectToDelete = QStringLiteral("Tiene que seleccionar registro a eliminar.");

namespace {

const QString kError = QStringLiteral("Error");

QString codeKey(const QString& code) {
    bool number = false;
    const int n = code.trimmed().toInt(&number);
    return number ? QString::number(n) : code.trimmed();
}

// The description of a code in a fixed list; the code itself when the list lacks it.
QString itemText(const QList<std::pair<QString, QString>>& items, const QString& code) {
    const QString wanted = codeKey(code);
    for (const auto& [itemCode, text] : items) {
        if (codeKey(itemCode) == wanted) {
            return text;
        }
    }
    return code.trimmed();
}

} // namespace

AnnexGridModel::AnnexGridModel(store::Database& db, QString table, QString sql, QVariantList values,
                               QList<AnnexGridColumn> columns, QObject* parent)
    : QAbstractTableModel(parent), m_db(db), m_table(std::move(table)), m_sql(std::move(sql)),
      m_values(std::move(values)), m_columns(std::move(columns)) {
    if (const auto layout = store::TableCatalog::instance().resolve(m_table)) {
        for (const store::ColumnDef& column : layout->columns) {
            m_types.insert(column.name.toLower(), column.type);
        }
    }
}

AnnexGridModel::~AnnexGridModel() = default;

std::pair<QString, QVariantList> AnnexGridModel::rowsOf(const AnnexGridDef& grid, const store::DeclarationKey& key) {
    store::SqlFilter filter = key.filter();
    if (!grid.condition.isEmpty()) {
        filter.andCondition(grid.condition, grid.conditionValues);
    }
    return {QStringLiteral("SELECT * FROM ") + grid.table + filter.text + QStringLiteral(" ORDER BY rowid"),
            filter.values};
}

int AnnexGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int AnnexGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

QString AnnexGridModel::display(const QVariant& value, std::optional<store::ColumnType> type) {
    const QString text = value.isNull() ? QString() : value.toString().trimmed();
    if (text.isEmpty()) {
        return text;
    }
    switch (type.value_or(store::ColumnType::Text)) {
    case store::ColumnType::Currency:
        return app::formatNumber(app::val(text), app::masks::kAmount);
    case store::ColumnType::Double:
        return app::formatNumber(app::val(text), QStringLiteral("###,###,##0.00"));
    case store::ColumnType::Date: {
        const QDate date = QDate::fromString(text.left(10), Qt::ISODate);
        return date.isValid() ? date.toString(QStringLiteral("dd/MM/yyyy")) : text;
    }
    case store::ColumnType::Integer:
    case store::ColumnType::Text:
        break;
    }
    return text;
}

QVariant AnnexGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_rows.size() || index.column() >= m_columns.size()) {
        return {};
    }
    const AnnexGridColumn& column = m_columns.at(index.column());
    const auto type = m_types.value(column.field.toLower());
    if (role == Qt::TextAlignmentRole) {
        const bool number =
            column.param.isEmpty() && (type == store::ColumnType::Currency || type == store::ColumnType::Double);
        return number ? QVariant(int(Qt::AlignRight | Qt::AlignVCenter)) : QVariant();
    }
    if (role != Qt::DisplayRole) {
        return {};
    }
    return cellText(index.row(), index.column());
}

QVariant AnnexGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section >= m_columns.size()) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    return m_columns.at(section).heading;
}

void AnnexGridModel::setStatement(const QString& sql, const QVariantList& values) {
    if (sql != m_sql) {
        m_reader.reset();
    }
    m_sql = sql;
    m_values = values;
}

void AnnexGridModel::loadDescriptions() {
    const bool loaded = std::all_of(m_columns.cbegin(), m_columns.cend(), [this](const AnnexGridColumn& column) {
        return column.param.isEmpty() || m_descriptions.contains(column.param);
    });
    if (loaded) {
        return; // the lists are read once, at the first refresh
    }
    store::ParamLookups params(m_db);
    for (const AnnexGridColumn& column : std::as_const(m_columns)) {
        if (column.param.isEmpty() || m_descriptions.contains(column.param)) {
            continue;
        }
        QHash<QString, QString> names;
        if (column.param == QStringLiteral("044")) {
            for (const store::ParamLookups::Row& row : params.ParamRows(column.param)) {
                names.insert(codeKey(row.argumento), params.DocTypeName(row.argumento, false));
            }
        } else {
            for (const store::ParamLookups::Item& item : params.paramList(column.param, 1, 35)) {
                // Some lists carry the code after the description: the grid shows the description.
                QString text = item.text.trimmed();
                if (text.endsWith(item.argumento.trimmed())) {
                    text = text.chopped(item.argumento.trimmed().size()).trimmed();
                }
                names.insert(codeKey(item.argumento), text);
            }
        }
        m_descriptions.insert(column.param, names);
    }
}

void AnnexGridModel::refresh() {
    loadDescriptions();
    // The grid is read again after every action of its window: its statement is prepared once.
    if (!m_reader) {
        m_reader = std::make_unique<store::PreparedRows>(m_db, m_sql);
    }
    m_reader->read(m_values);
    const QStringList names = m_reader->names();
    QList<QVariantList> rows = std::move(m_reader->rows());
    beginResetModel();
    m_names = names;
    m_rows = std::move(rows);
    endResetModel();
    const int kept = m_current >= m_rows.size() ? static_cast<int>(m_rows.size()) - 1 : m_current;
    if (kept != m_current) {
        select(kept);
    }
}

QVariant AnnexGridModel::rowValue(int row, const QString& column) const {
    if (row < 0 || row >= m_rows.size()) {
        return {};
    }
    for (int i = 0; i < m_names.size(); ++i) {
        if (m_names.at(i).compare(column, Qt::CaseInsensitive) == 0) {
            return m_rows.at(row).value(i);
        }
    }
    return {};
}

QVariantMap AnnexGridModel::rowValues(int row) const {
    QVariantMap values;
    if (row < 0 || row >= m_rows.size()) {
        return values;
    }
    for (int i = 0; i < m_names.size(); ++i) {
        values.insert(m_names.at(i), m_rows.at(row).value(i));
    }
    return values;
}

QStringList AnnexGridModel::rowTexts(int row) const {
    QStringList texts;
    for (int column = 0; column < m_columns.size(); ++column) {
        texts.append(cellText(row, column));
    }
    return texts;
}

// A view asks for the cells one by one: each is formatted alone.
QString AnnexGridModel::cellText(int row, int column) const {
    const AnnexGridColumn& def = m_columns.at(column);
    const QVariant value = rowValue(row, def.field);
    if (!def.items.isEmpty()) {
        return itemText(def.items, value.isNull() ? QString() : value.toString());
    }
    if (!def.param.isEmpty()) {
        const QString code = value.isNull() ? QString() : value.toString();
        return m_descriptions.value(def.param).value(codeKey(code), code.trimmed());
    }
    return display(value, m_types.value(def.field.toLower()));
}

void AnnexGridModel::select(int row) {
    const int wanted = row < 0 || row >= m_rows.size() ? -1 : row;
    if (wanted != m_current) {
        m_current = wanted;
        emit currentChanged(m_current);
    }
}

std::optional<QStringList> AnnexGridModel::keyForModify(const AnnexGridDef& grid, app::Prompter& prompter) const {
    if (m_rows.isEmpty()) {
        prompter.message(grid.noRowsToModify, grid.noRowsTitle, app::Icon::Critical);
        return std::nullopt;
    }
    if (m_current < 0) {
        prompter.message(kSelectToModify, kError, app::Icon::Critical);
        return std::nullopt;
    }
    QStringList key;
    for (const QString& field : grid.keyFields) {
        const QVariant v = rowValue(m_current, field);
        key.append(v.isNull() ? QString() : v.toString());
    }
    return key;
}

bool AnnexGridModel::removeSelected(const AnnexGridDef& grid, const store::DeclarationKey& key, app::Prompter& prompter,
                                    const QString& title) {
    if (m_rows.isEmpty()) {
        const bool own = !grid.noRowsToDelete.isEmpty();
        prompter.message(own ? grid.noRowsToDelete : kSelectToDelete, own ? grid.noRowsTitle : kError,
                         app::Icon::Critical);
        return false;
    }
    if (m_current < 0) {
        prompter.message(kSelectToDelete, kError, app::Icon::Critical);
        return false;
    }
    if (!prompter.askYesNo(grid.deleteQuestion, title, app::Button::No, app::Icon::Question)) {
        return false;
    }
    const auto valueOf = [this](const QString& field) { return rowValue(m_current, field); };
    const bool done = store::runAtomically(m_db, prompter, [&] {
        store::SqlFilter filter = key.filter();
        if (!grid.condition.isEmpty()) {
            filter.andCondition(grid.condition, grid.conditionValues);
        }
        for (const QString& field : grid.keyFields) {
            // IS compares as "=" does, and a key left empty (NULL) still finds its row.
            filter.andCondition(field + QStringLiteral(" IS ?"), {valueOf(field)});
        }
        m_db.run(QStringLiteral("DELETE FROM ") + grid.table + filter.text, filter.values).finish();
        for (const auto& [dependant, columns] : grid.dependants) {
            store::SqlFilter detail = key.filter();
            for (int i = 0; i < columns.size() && i < grid.keyFields.size(); ++i) {
                detail.andCondition(columns.at(i) + QStringLiteral(" IS ?"), {valueOf(grid.keyFields.at(i))});
            }
            m_db.run(QStringLiteral("DELETE FROM ") + dependant + detail.text, detail.values).finish();
        }
    });
    if (done) {
        refresh();
    }
    return done;
}

} // namespace qel::annexes
