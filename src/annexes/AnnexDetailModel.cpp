#include "annexes/AnnexDetailModel.h"

#include "app/Clock.h"
#include "app/FormOpener.h"
#include "app/KeyFilters.h"
#include "app/UtilityComponent.h"
#include "base/NumberFormat.h"
#include "base/Prompter.h"
#include "catalogue/AnnexControls.h"
#include "store/Database.h"
#include "store/ExecuteSql.h"
#include "store/ParamLookups.h"
#include "store/TableCatalog.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <stdexcept>

namespace qel::annexes {

const QString AnnexDetailModel::kTwoDecimals = QStringLiteral("El Porcentaje debe ser máximo con 2 decimales.");
const QString AnnexDetailModel::kAboveMaximum = QStringLiteral("La cantidad ingresada supera el máximo permitido.");
const QString AnnexDetailModel::kZeroPercent = QStringLiteral("El Porcentaje no puede ser 0%.");
const QString AnnexDetailModel::kBadRuc = QStringLiteral("El RUC no es Válido.");
const QString AnnexDetailModel::kDniLength = QStringLiteral("El DNI debe ser de 8 dígitos.");

namespace {

constexpr QChar kBackspace = QChar(8);
const QString kRuc = QStringLiteral("06");
const QString kDni = QStringLiteral("01");
const QString kEarliestDate = QStringLiteral("18500101");

bool isChoice(FieldKind kind) {
    return kind == FieldKind::Combo || kind == FieldKind::DocType || kind == FieldKind::Option ||
           kind == FieldKind::Check;
}

// Codes compare as numbers when both are ("6" is "06"), else as trimmed texts.
bool sameCode(const QString& a, const QString& b) {
    bool aNumber = false;
    bool bNumber = false;
    const int x = a.trimmed().toInt(&aNumber);
    const int y = b.trimmed().toInt(&bNumber);
    return aNumber && bNumber ? x == y : a.trimmed() == b.trimmed();
}

// A date box left as its mask is empty.
QString withoutMask(const QString& text) {
    QString digits = text;
    digits.remove(QLatin1Char('_')).remove(QLatin1Char(' '));
    return digits == QStringLiteral("//") ? QString() : digits;
}

std::optional<store::ColumnType> columnType(const QString& table, const QString& column) {
    static QHash<QString, store::TableLayout> layouts;
    auto found = layouts.find(table);
    if (found == layouts.end()) {
        const auto layout = store::TableCatalog::instance().resolve(table);
        if (!layout) {
            return std::nullopt;
        }
        found = layouts.insert(table, *layout);
    }
    const int index = found->indexOf(column);
    return index < 0 ? std::nullopt : std::optional(found->columns.at(index).type);
}

QString shownNumber(const QVariant& value) {
    if (value.isNull() || value.toString().trimmed().isEmpty()) {
        return {};
    }
    return app::numberText(app::roundHalfAway(app::val(value.toString()), 2));
}

} // namespace

AnnexDetailModel::AnnexDetailModel(const AnnexDef& def, AnnexContext context, app::FormRequest request, QObject* parent)
    : QObject(parent), m_def(def), m_context(context), m_request(std::move(request)),
      m_checks(AnnexChecks::forWindow(def.window)), m_action(m_request.action), m_caption(def.caption) {
    for (const AnnexField& f : m_def.fields) {
        FieldState s;
        s.label = f.label;
        m_states.insert(f.control, s);
    }
    try {
        fillCombos();
        loadRow();
    } catch (const store::DatabaseError& e) {
        store::showDatabaseError(m_context.prompter, e);
    }
    m_checks->prepare(*this);
    m_modified = false;
    m_focus = m_def.fields.isEmpty() ? QString() : m_def.fields.first().control;
    openChildGrid();
}

AnnexDetailModel::~AnnexDetailModel() = default;

store::DeclarationKey AnnexDetailModel::key() const {
    return m_request.key.value_or(store::DeclarationKey{});
}

QString AnnexDetailModel::periodo() const {
    return key().periodo;
}

// --- Fields ---------------------------------------------------------------------------------

bool AnnexDetailModel::hasField(const QString& name) const {
    return m_def.field(name) != nullptr;
}

const AnnexField& AnnexDetailModel::field(const QString& name) const {
    const AnnexField* f = m_def.field(name);
    if (f == nullptr) {
        throw std::out_of_range(("unknown field " + m_def.window + QLatin1Char('.') + name).toStdString());
    }
    return *f;
}

const FieldState& AnnexDetailModel::state(const QString& name) const {
    return *m_states.constFind(field(name).control);
}

FieldState& AnnexDetailModel::mutableState(const QString& name) {
    return *m_states.find(field(name).control);
}

QString AnnexDetailModel::value(const QString& name) const {
    const AnnexField& f = field(name);
    const FieldState& s = state(name);
    if (isChoice(f.kind)) {
        return s.code;
    }
    return f.kind == FieldKind::Date ? withoutMask(s.text) : s.text.trimmed();
}

bool AnnexDetailModel::isEmpty(const QString& name) const {
    return value(name).isEmpty();
}

QDate AnnexDetailModel::date(const QString& name) const {
    return parseDate(value(name));
}

double AnnexDetailModel::number(const QString& name) const {
    return app::val(value(name));
}

QDate AnnexDetailModel::parseDate(const QString& text) {
    const QString t = text.trimmed();
    if (t.size() != 10 || t.at(2) != QLatin1Char('/') || t.at(5) != QLatin1Char('/')) {
        return {};
    }
    return QDate::fromString(t, QStringLiteral("dd/MM/yyyy"));
}

int AnnexDetailModel::decimals(const QString& text) {
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    return point < 0 ? 0 : static_cast<int>(text.trimmed().size() - point - 1);
}

QChar AnnexDetailModel::filterKey(const QString& name, QChar typed) const {
    const AnnexField& f = field(name);
    const QString& text = state(name).text;
    if (typed == kBackspace) {
        return typed;
    }
    if (f.maxLength > 0 && text.size() >= f.maxLength) {
        return {};
    }
    switch (f.kind) {
    case FieldKind::Date:
        return typed.isDigit() || typed == QLatin1Char('/') ? typed : QChar();
    case FieldKind::Text:
    case FieldKind::Amount:
    case FieldKind::Percentage:
        return app::filterKey(f.keys, typed, text);
    default:
        return {};
    }
}

bool AnnexDetailModel::typeKey(const QString& name, QChar typed) {
    if (!state(name).enabled) {
        return false;
    }
    const QChar kept = filterKey(name, typed);
    if (kept.isNull()) {
        return false;
    }
    FieldState& s = mutableState(name);
    if (kept == kBackspace) {
        s.text.chop(1);
    } else {
        s.text.append(kept);
    }
    m_modified = true;
    changed(name);
    return true;
}

bool AnnexDetailModel::setText(const QString& name, const QString& text) {
    const AnnexField& f = field(name);
    if (isChoice(f.kind)) {
        return choose(name, text);
    }
    if (!state(name).enabled) {
        return false;
    }
    // The whole text goes through the key filter one character at a time, as typed.
    FieldState& s = mutableState(name);
    const QString before = s.text;
    s.text.clear();
    bool all = true;
    for (const QChar c : f.kind == FieldKind::Date ? withoutMask(text) : text) {
        const QChar kept = filterKey(name, c);
        if (kept.isNull() || kept == kBackspace) {
            all = false;
            continue;
        }
        s.text.append(kept);
    }
    if (s.text != before) {
        m_modified = true;
    }
    changed(name);
    return all;
}

bool AnnexDetailModel::choose(const QString& name, const QString& code) {
    const AnnexField& f = field(name);
    if (!state(name).enabled) {
        return false;
    }
    FieldState& s = mutableState(name);
    if (f.kind == FieldKind::Check) {
        s.code = code == QStringLiteral("1") ? QStringLiteral("1") : QStringLiteral("0");
    } else if (code.isEmpty()) {
        s.code.clear();
    } else {
        const AnnexItem* found = nullptr;
        for (const AnnexItem& item : s.items) {
            if (sameCode(item.code, code)) {
                found = &item;
                break;
            }
        }
        if (found == nullptr) {
            return false;
        }
        s.code = found->code;
    }
    m_modified = true;
    changed(name);
    m_checks->chosen(*this, f.column);
    return true;
}

void AnnexDetailModel::setValue(const QString& name, const QString& text) {
    mutableState(name).text = text;
    changed(name);
}

void AnnexDetailModel::setCode(const QString& name, const QString& code) {
    FieldState& s = mutableState(name);
    s.code.clear();
    for (const AnnexItem& item : s.items) {
        if (sameCode(item.code, code)) {
            s.code = item.code;
        }
    }
    if (field(name).kind == FieldKind::Check) {
        s.code = code;
    }
    changed(name);
}

void AnnexDetailModel::setItems(const QString& name, const QList<AnnexItem>& items) {
    FieldState& s = mutableState(name);
    s.items = items;
    const QString kept = s.code;
    s.code.clear();
    for (const AnnexItem& item : items) {
        if (!kept.isEmpty() && sameCode(item.code, kept)) {
            s.code = item.code;
        }
    }
    changed(name);
}

void AnnexDetailModel::setEnabled(const QString& name, bool enabled) {
    mutableState(name).enabled = enabled;
    changed(name);
}

void AnnexDetailModel::setLabel(const QString& name, const QString& label) {
    mutableState(name).label = label;
    changed(name);
}

void AnnexDetailModel::clearField(const QString& name) {
    FieldState& s = mutableState(name);
    s.text.clear();
    s.code.clear();
    changed(name);
}

void AnnexDetailModel::setFocus(const QString& name) {
    m_focus = field(name).control;
    emit focusRequested(m_focus);
}

void AnnexDetailModel::changed(const QString& name) {
    emit fieldChanged(field(name).control);
}

// --- Opening --------------------------------------------------------------------------------

void AnnexDetailModel::fillCombos() {
    store::ParamLookups params(m_context.db);
    for (const AnnexField& f : m_def.fields) {
        QList<AnnexItem> items;
        if (f.kind == FieldKind::DocType) {
            for (const QString& item : params.docTypeItems(f.docTypePosition, false)) {
                items.append({item, item.left(2)});
            }
        } else if (!f.param.isEmpty()) {
            // The description is followed by its code (some lists carry it in Funcion already).
            for (const store::ParamLookups::Item& item : params.paramList(f.param, f.paramStart, f.paramLength)) {
                const QString code = item.argumento.trimmed();
                const QString text = item.text.trimmed();
                items.append({text.endsWith(code) ? text : text + QStringLiteral("  ") + code, code});
            }
        } else {
            for (const auto& [code, text] : f.items) {
                items.append({f.kind == FieldKind::Option ? text : text + QStringLiteral("  ") + code, code});
            }
        }
        m_states[f.control].items = items;
    }
}

QString AnnexDetailModel::requestKeyValue(const QString& column) const {
    for (qsizetype i = 0; i < m_def.keyColumns.size(); ++i) {
        if (m_def.keyColumns.at(i).compare(column, Qt::CaseInsensitive) == 0) {
            return m_request.keyValues.value(i);
        }
    }
    return {};
}

// Action 2 reads its row by the key the caller handed. A sub-window keyed entirely by its
// caller (the lines of a lot) edits its row when there is one.
void AnnexDetailModel::loadRow() {
    const bool keyedByCaller =
        !m_request.keyValues.isEmpty() && std::none_of(m_def.keyColumns.cbegin(), m_def.keyColumns.cend(),
                                                       [this](const QString& c) { return hasField(c); });
    if (m_action != app::FormRequest::kModify && !keyedByCaller) {
        return;
    }
    for (const QString& column : m_def.keyColumns) {
        m_loadedKey.insert(column, requestKeyValue(column));
    }
    const store::SqlFilter filter = rowFilter();
    QSqlQuery row = m_context.db.run(QStringLiteral("SELECT * FROM ") + m_def.table + filter.text, filter.values);
    if (!row.next()) {
        if (m_action == app::FormRequest::kModify && !keyedByCaller) {
            m_loadedKey.clear();
            m_action = app::FormRequest::kAdd;
        }
        return;
    }
    m_action = app::FormRequest::kModify;
    const QSqlRecord record = row.record();
    for (const AnnexField& f : m_def.fields) {
        const int index = record.indexOf(f.column);
        if (index < 0) {
            continue;
        }
        const QVariant v = row.value(index);
        FieldState& s = m_states[f.control];
        switch (f.kind) {
        case FieldKind::Date: {
            const QDate d = QDate::fromString(v.toString().left(10), Qt::ISODate);
            s.text = d.isValid() ? d.toString(QStringLiteral("dd/MM/yyyy")) : QString();
            break;
        }
        case FieldKind::Amount:
        case FieldKind::Percentage:
            s.text = shownNumber(v);
            break;
        case FieldKind::Text:
            s.text = v.toString().trimmed();
            break;
        default:
            setCode(f.control, v.toString());
            break;
        }
        // The key is shown; the row is found again by the key it was opened with.
        if (f.key) {
            s.enabled = false;
        }
    }
}

void AnnexDetailModel::clearForNext() {
    for (const AnnexField& f : m_def.fields) {
        FieldState& s = m_states[f.control];
        s.text.clear();
        s.code.clear();
        s.enabled = true;
        s.label = f.label;
        emit fieldChanged(f.control);
    }
    m_checks->prepare(*this);
    m_modified = false;
    QString first = m_def.fields.isEmpty() ? QString() : m_def.fields.first().control;
    for (const AnnexField& f : m_def.fields) {
        if (f.key) {
            first = f.control;
            break;
        }
    }
    if (!first.isEmpty()) {
        setFocus(first);
    }
}

// --- Checks ---------------------------------------------------------------------------------

std::optional<Failure> AnnexDetailModel::fieldRules() const {
    for (const AnnexField& f : m_def.fields) {
        if (!state(f.control).enabled && !f.key) {
            continue;
        }
        if (auto failure = fieldRule(f)) {
            return failure;
        }
    }
    return std::nullopt;
}

std::optional<Failure> AnnexDetailModel::fieldRule(const AnnexField& f) const {
    const QString v = value(f.control);
    const auto failure = [&f](const QString& message) { return std::optional<Failure>(Failure{f.control, message}); };
    if (v.isEmpty()) {
        if (!f.required.isEmpty()) {
            return failure(f.required);
        }
        if (!f.positive.isEmpty() && (f.kind == FieldKind::Amount || f.kind == FieldKind::Percentage)) {
            return failure(f.positive);
        }
        return std::nullopt;
    }
    switch (f.kind) {
    case FieldKind::Date: {
        const QDate d = parseDate(v);
        if (!d.isValid() || d.toString(QStringLiteral("yyyyMMdd")) <= kEarliestDate) {
            return failure(f.badDate.isEmpty() ? QStringLiteral("La Forma de ingresar la fecha es incorrecta.")
                                               : f.badDate);
        }
        if (!f.afterPeriod.isEmpty() && d > QDate(periodo().toInt(), 12, 31)) {
            return failure(f.afterPeriod);
        }
        if (!f.afterToday.isEmpty() && d > m_context.clock.today()) {
            return failure(f.afterToday);
        }
        break;
    }
    case FieldKind::Percentage:
        if (decimals(v) > 2) {
            return failure(kTwoDecimals);
        }
        if (app::val(v) > 100) {
            return failure(kAboveMaximum);
        }
        [[fallthrough]];
    case FieldKind::Amount:
        if (!f.positive.isEmpty() && app::val(v) <= 0) {
            return failure(f.positive);
        }
        break;
    case FieldKind::Text: {
        if (f.docTypeColumn.isEmpty() && f.badRuc.isEmpty()) {
            break;
        }
        const QString type = f.docTypeColumn.isEmpty() ? kRuc : value(f.docTypeColumn);
        if (sameCode(type, kRuc)) {
            if (!app::UtilityComponent::CheckRuc(v)) {
                return failure(f.badRuc.isEmpty() ? kBadRuc : f.badRuc);
            }
            if (!f.ownRuc.isEmpty() && v == key().ruc) {
                return failure(f.ownRuc);
            }
        } else if (sameCode(type, kDni) && v.size() != 8) {
            return failure(kDniLength);
        }
        break;
    }
    default:
        break;
    }
    return std::nullopt;
}

store::SqlFilter AnnexDetailModel::annexFilter() const {
    store::SqlFilter filter = key().filter();
    if (!m_def.codeColumn.isEmpty()) {
        filter.andCondition(m_def.codeColumn + QStringLiteral(" IS ?"), {m_request.code});
    }
    for (const auto& [column, fixed] : m_def.fixedValues) {
        filter.andCondition(column + QStringLiteral(" IS ?"), {fixed});
    }
    return filter;
}

store::SqlFilter AnnexDetailModel::rowFilter() const {
    store::SqlFilter filter = annexFilter();
    for (const QString& column : m_def.keyColumns) {
        filter.andCondition(column + QStringLiteral(" IS ?"), {m_loadedKey.value(column)});
    }
    return filter;
}

QVariant AnnexDetailModel::storedValue(const QString& column) {
    const AnnexField* f = m_def.field(column);
    QVariant v;
    if (f == nullptr) {
        v = requestKeyValue(column);
    } else {
        const QString text = value(f->control);
        const auto type = columnType(m_def.table, f->column).value_or(store::ColumnType::Text);
        if (f->kind == FieldKind::Date) {
            const QDate d = parseDate(text);
            v = d.isValid() ? QVariant(d.toString(Qt::ISODate)) : QVariant();
        } else if (type == store::ColumnType::Text) {
            v = text;
        } else if (text.isEmpty()) {
            v = QVariant();
        } else if (type == store::ColumnType::Integer) {
            v = static_cast<qlonglong>(app::val(text));
        } else {
            v = app::roundHalfAway(app::val(text), type == store::ColumnType::Double ? 2 : 0);
        }
    }
    return m_checks->stored(*this, column, v);
}

// --- Commands -------------------------------------------------------------------------------

void AnnexDetailModel::fail(const Failure& failure) {
    m_context.prompter.message(failure.message, QString(), app::Icon::Critical);
    if (hasField(failure.field)) {
        setFocus(failure.field);
    }
}

// A row whose key holds its correlative can never repeat one: a new row takes the next number
// (a second good of the same landlord is a new rental).
bool AnnexDetailModel::isDuplicate() {
    if (!m_def.correlative.isEmpty() && m_def.keyColumns.contains(m_def.correlative, Qt::CaseInsensitive)) {
        return false;
    }
    store::SqlFilter filter = annexFilter();
    bool any = false;
    for (const QString& column : m_def.keyColumns) {
        if (column.compare(m_def.correlative, Qt::CaseInsensitive) == 0) {
            continue;
        }
        filter.andCondition(column + QStringLiteral(" IS ?"), {storedValue(column)});
        any = true;
    }
    return any &&
           m_context.db.scalar(QStringLiteral("SELECT count(*) FROM ") + m_def.table + filter.text, filter.values)
                   .toInt() > 0;
}

int AnnexDetailModel::nextCorrelative() {
    const store::SqlFilter filter = annexFilter();
    return m_context.db
               .scalar(QStringLiteral("SELECT coalesce(max(CAST(%1 AS INTEGER)), 0) FROM ").arg(m_def.correlative) +
                           m_def.table + filter.text,
                       filter.values)
               .toInt() +
           1;
}

void AnnexDetailModel::write() {
    static const QString kCheckCode = QStringLiteral("000000");
    if (m_action == app::FormRequest::kModify) {
        QStringList sets;
        QVariantList values;
        for (const AnnexField& f : m_def.fields) {
            if (f.key || m_def.keyColumns.contains(f.column, Qt::CaseInsensitive)) {
                continue;
            }
            sets.append(f.column + QStringLiteral("=?"));
            values.append(storedValue(f.column));
        }
        sets.append(store::TableCatalog::kCheckColumn + QStringLiteral("=?"));
        values.append(kCheckCode);
        const store::SqlFilter filter = rowFilter();
        values.append(filter.values);
        m_context.db
            .run(QStringLiteral("UPDATE ") + m_def.table + QStringLiteral(" SET ") + sets.join(QLatin1Char(',')) +
                     filter.text,
                 values)
            .finish();
        return;
    }
    QStringList columns = {QStringLiteral("TIP_DOC_D"), QStringLiteral("DOC_ID_D"), QStringLiteral("PERIODO"),
                           QStringLiteral("FORMULARIO")};
    QVariantList values = key().columnValues();
    const auto put = [&columns, &values](const QString& column, const QVariant& value) {
        if (!columns.contains(column, Qt::CaseInsensitive)) {
            columns.append(column);
            values.append(value);
        }
    };
    if (!m_def.codeColumn.isEmpty()) {
        put(m_def.codeColumn, m_request.code);
    }
    for (const auto& [column, fixed] : m_def.fixedValues) {
        put(column, fixed);
    }
    if (!m_def.correlative.isEmpty()) {
        put(m_def.correlative, nextCorrelative());
    }
    for (const QString& column : m_def.keyColumns) {
        put(column, storedValue(column));
    }
    for (const AnnexField& f : m_def.fields) {
        put(f.column, storedValue(f.column));
    }
    put(store::TableCatalog::kCheckColumn, kCheckCode);
    const QString marks = QStringLiteral("?,").repeated(columns.size()).chopped(1);
    m_context.db
        .run(QStringLiteral("INSERT INTO ") + m_def.table + QStringLiteral(" (") + columns.join(QLatin1Char(',')) +
                 QStringLiteral(") VALUES (") + marks + QLatin1Char(')'),
             values)
        .finish();
}

bool AnnexDetailModel::checkAndWrite() {
    try {
        if (auto failure = m_checks->validate(*this)) {
            fail(*failure);
            return false;
        }
        if (m_action == app::FormRequest::kAdd && isDuplicate()) {
            const QString first = m_def.fields.isEmpty() ? QString() : m_def.fields.first().control;
            fail({first, m_def.duplicate});
            return false;
        }
        if (auto failure = m_checks->crossRows(*this)) {
            fail(*failure);
            return false;
        }
        if (!m_checks->confirm(*this)) {
            return false;
        }
    } catch (const store::DatabaseError& e) {
        store::showDatabaseError(m_context.prompter, e);
        return false;
    }
    return store::runAtomically(m_context.db, m_context.prompter, [this] { write(); });
}

bool AnnexDetailModel::grabar() {
    if (m_closed || !checkAndWrite()) {
        return false;
    }
    if (m_action == app::FormRequest::kAdd) {
        clearForNext();
    } else {
        close();
    }
    return true;
}

void AnnexDetailModel::salir() {
    if (m_closed) {
        return;
    }
    if (!m_modified) {
        close();
        return;
    }
    const app::Button answer =
        m_context.prompter.ask(m_def.closeQuestion, caption(), app::Button::Yes | app::Button::No | app::Button::Cancel,
                               app::Button::Yes, app::Icon::Question);
    if (answer == app::Button::Cancel) {
        return;
    }
    if (answer == app::Button::Yes && !checkAndWrite()) {
        return;
    }
    close();
}

void AnnexDetailModel::click(const QString& command, int index) {
    if (command.compare(QLatin1String(controls::kActions), Qt::CaseInsensitive) == 0) {
        if (index == 0) {
            grabar();
        } else if (index == 1) {
            salir();
        }
        return;
    }
    m_checks->clicked(*this, command);
}

QString AnnexDetailModel::openWindow(const QString& window, int action, const QStringList& keyValues,
                                     const QString& code) {
    if (m_context.opener == nullptr) {
        return {};
    }
    app::FormRequest request;
    request.name = window;
    request.key = m_request.key;
    request.action = action;
    request.keyValues = keyValues;
    request.code = code;
    request.parent = this;
    return m_context.opener->open(request);
}

// The child grid lists the rows of the row being modified, as the child window shows them.
void AnnexDetailModel::openChildGrid() {
    const AnnexGridDef* grid = m_def.childGrid.isEmpty() ? nullptr : AnnexCatalog::instance().grid(m_def.childGrid);
    const AnnexDef* child = grid == nullptr ? nullptr : AnnexCatalog::instance().window(grid->window);
    if (child == nullptr) {
        return;
    }
    m_childDef = *grid;
    m_childDef->condition = grid->parentColumn + QStringLiteral(" IS ?");
    m_childDef->conditionValues = {parentKey()};
    QList<AnnexGridColumn> columns;
    for (const AnnexField& f : child->fields) {
        columns.append({f.column, f.label, f.kind == FieldKind::DocType ? QStringLiteral("044") : f.param});
    }
    const auto [sql, values] = AnnexGridModel::rowsOf(*m_childDef, key());
    m_childRows = std::make_unique<AnnexGridModel>(m_context.db, grid->table, sql, values, columns);
    try {
        m_childRows->refresh();
    } catch (const store::DatabaseError& e) {
        store::showDatabaseError(m_context.prompter, e);
    }
}

QString AnnexDetailModel::parentKey() const {
    return m_action == app::FormRequest::kModify && !m_def.keyColumns.isEmpty()
               ? m_loadedKey.value(m_def.keyColumns.first()).toString()
               : QString();
}

void AnnexDetailModel::clickChild(int index) {
    if (!m_childDef) {
        return;
    }
    if (m_action != app::FormRequest::kModify) {
        m_context.prompter.message(m_childDef->saveParentFirst, caption(), app::Icon::Exclamation);
        return;
    }
    try {
        switch (index) {
        case 0:
            openWindow(m_childDef->window, app::FormRequest::kAdd, {}, parentKey());
            break;
        case 1:
            if (const auto keyValues = m_childRows->keyForModify(*m_childDef, m_context.prompter)) {
                openWindow(m_childDef->window, app::FormRequest::kModify, *keyValues, parentKey());
            }
            return m_childRows->refresh();
        case 2:
            m_childRows->removeSelected(*m_childDef, key(), m_context.prompter, caption());
            return;
        default:
            return;
        }
        m_childRows->refresh();
    } catch (const store::DatabaseError& e) {
        store::showDatabaseError(m_context.prompter, e);
    }
}

QString AnnexDetailModel::commandOf(const QString& window) {
    return QStringLiteral("cmd") + window;
}

void AnnexDetailModel::close() {
    m_closed = true;
    emit closed();
}

// --- What a script drives -------------------------------------------------------------------

namespace {

QString scriptKind(FieldKind kind) {
    switch (kind) {
    case FieldKind::Date:
        return QStringLiteral("date");
    case FieldKind::Combo:
    case FieldKind::DocType:
        return QStringLiteral("combo");
    case FieldKind::Option:
        return QStringLiteral("option");
    case FieldKind::Check:
        return QStringLiteral("check");
    default:
        return QStringLiteral("text");
    }
}

// The grid inside a window as a script reads it.
class ChildGridSource : public app::GridSource {
public:
    explicit ChildGridSource(AnnexGridModel& rows) : m_rows(rows) {}
    int rowCount() const override { return m_rows.rowCount(); }
    QStringList rowTexts(int row) const override { return m_rows.rowTexts(row); }
    int currentRow() const override { return m_rows.current(); }
    void setCurrentRow(int row) override { m_rows.select(row); }

private:
    AnnexGridModel& m_rows;
};

} // namespace

QList<app::DeclaredControl> AnnexDetailModel::declaredControls() {
    static const QString kAction = controls::kActions;
    const auto quoted = [](const QString& text) { return QLatin1Char('"') + text + QLatin1Char('"'); };
    QList<app::DeclaredControl> controls;
    for (const AnnexField& f : m_def.fields) {
        const QString name = f.control;
        const FieldKind kind = f.kind;
        app::DeclaredControl control(name, scriptKind(kind));
        control.aliases = {f.column};
        control.choose = [this, name](const QString& code) {
            if (!state(name).enabled) {
                return false;
            }
            if (!choose(name, code)) {
                throw app::ScriptError{QStringLiteral("%1 no tiene la opción %2").arg(name, code)};
            }
            return true;
        };
        const auto chooseCode = control.choose;
        control.type = [this, name, kind, chooseCode](const QString& value) {
            if (!state(name).enabled) {
                return false;
            }
            if (kind == FieldKind::Combo || kind == FieldKind::DocType || kind == FieldKind::Option) {
                return chooseCode(value);
            }
            setText(name, value);
            return true;
        };
        if (kind == FieldKind::Check) {
            control.click = [this, name](int) {
                if (!state(name).enabled) {
                    return false;
                }
                return choose(name, value(name) == QStringLiteral("1") ? QStringLiteral("0") : QStringLiteral("1"));
            };
        } else if (kind == FieldKind::Option) {
            control.click = [chooseCode](int index) { return chooseCode(QString::number(index)); };
        }
        control.state = [this, name, kind, quoted] {
            const FieldState& s = state(name);
            const QString enabled = s.enabled ? QStringLiteral(" enabled") : QStringLiteral(" disabled");
            switch (kind) {
            case FieldKind::Option:
                return (s.code.isEmpty() ? QStringLiteral("-") : s.code) + enabled;
            case FieldKind::Check:
                return (s.code == QStringLiteral("1") ? QStringLiteral("1") : QStringLiteral("0")) + enabled;
            case FieldKind::Combo:
            case FieldKind::DocType:
                return quoted(s.code) + enabled;
            default:
                return quoted(value(name)) + enabled;
            }
        };
        controls.append(control);
    }
    for (const auto& [window, caption] : m_def.opens) {
        const QString command = commandOf(window);
        app::DeclaredControl opens(command, QStringLiteral("command"));
        opens.click = [this, command](int) {
            click(command, 0);
            return true;
        };
        opens.state = [] { return QStringLiteral("{0,1} enabled"); };
        controls.append(opens);
    }
    if (const AnnexGridDef* child = childGrid()) {
        m_childSource = std::make_unique<ChildGridSource>(*m_childRows);
        app::DeclaredControl grid(child->grid, QStringLiteral("grid"));
        grid.grid = m_childSource.get();
        grid.state = [this] { return QString::number(m_childRows->rowCount()) + QStringLiteral(" enabled"); };
        controls.append(grid);
        const QString array = child->array;
        app::DeclaredControl buttons(array, QStringLiteral("command"));
        buttons.click = [this, array](int index) {
            if (index < 0 || index > 2) {
                throw app::ScriptError{QStringLiteral("%1 no tiene el botón %2").arg(array).arg(index)};
            }
            clickChild(index);
            return true;
        };
        buttons.state = [] { return QStringLiteral("{0,1,2} enabled"); };
        controls.append(buttons);
    }
    app::DeclaredControl action(kAction, QStringLiteral("command"));
    action.click = [this](int index) {
        if (index != 0 && index != 1) {
            throw app::ScriptError{QStringLiteral("cmdAccion no tiene el botón %1").arg(index)};
        }
        click(kAction, index);
        return true;
    };
    action.state = [] { return QStringLiteral("{0,1} enabled"); };
    controls.append(action);
    return controls;
}

} // namespace qel::annexes
