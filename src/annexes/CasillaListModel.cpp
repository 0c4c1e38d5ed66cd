#include "annexes/CasillaListModel.h"

#include "annexes/AnnexGridModel.h"
#include "app/FormOpener.h"
#include "base/NumberFormat.h"
#include "base/Prompter.h"
#include "catalogue/AnnexControls.h"
#include "store/Database.h"

#include <QSqlQuery>

namespace qel::annexes {

const QString CasillaListModel::kTotalMask = QStringLiteral("##,###,###,###,##0");
const QStringList CasillaListModel::kCaptions = {QStringLiteral("&Nuevo"), QStringLiteral("&Modificar"),
                                                 QStringLiteral("&Eliminar"), QStringLiteral("&Salir")};
const QString CasillaListModel::kGrid = QStringLiteral("grdDetalleCasilla");

namespace {

std::pair<QString, QVariantList> statementOf(const CasillaListDef& def, const AnnexGridDef& grid,
                                             const store::DeclarationKey& key) {
    store::SqlFilter filter = key.filter();
    if (!grid.condition.isEmpty()) {
        filter.andCondition(grid.condition, grid.conditionValues);
    }
    const QString columns = def.extraColumns.isEmpty() ? QStringLiteral("*") : QStringLiteral("*, ") + def.extraColumns;
    return {QStringLiteral("SELECT %1 FROM %2").arg(columns, def.table) + filter.text +
                QStringLiteral(" ORDER BY rowid"),
            filter.values};
}

} // namespace

QString CasillaListModel::reminderFor(const QString& donationType) {
    const QString type = donationType.trimmed().toUpper();
    if (type == QStringLiteral("A") || type == QStringLiteral("C")) {
        return QStringLiteral("Sr. Contribuyente, recuerde que la deducción no podrá exceder el 10% de la Renta Neta "
                              "del ejercicio   luego de efectuada la compensación de pérdidas a que se refiere el "
                              "Art.50.");
    }
    if (type == QStringLiteral("B1")) {
        return QStringLiteral("Sr. Contribuyente, recuerde que la deducción no podrá exceder el 10% de la Renta Neta "
                              "del ejercicio");
    }
    if (type == QStringLiteral("B2")) {
        return QStringLiteral("Sr. Contribuyente, recuerde que la deducción de Bienes y Servicios no podrá exceder el "
                              "10% de la Renta Neta del ejercicio luego de efectuada la compensación de pérdidas a "
                              "que se refiere el Art.50");
    }
    if (type == QStringLiteral("D")) {
        return QStringLiteral("Contribuyente, recuerde que la deducción no podrá exceder del 3% de los Ingresos "
                              "Gravables del ejercicio");
    }
    return {};
}

CasillaListModel::CasillaListModel(const CasillaListDef& def, store::Database& db, app::Prompter& prompter,
                                   app::FormOpener* opener, store::DeclarationKey key, int casilla, bool readOnly)
    : m_def(def), m_db(db), m_prompter(prompter), m_opener(opener), m_key(std::move(key)), m_casilla(casilla),
      m_readOnly(readOnly) {
    const auto [sql, values] = statementOf(m_def, m_def.grid(m_casilla), m_key);
    m_grid = std::make_unique<AnnexGridModel>(m_db, m_def.table, sql, values, m_def.columns);
    refresh();
}

CasillaListModel::~CasillaListModel() = default;

void CasillaListModel::refresh() {
    m_grid->refresh();
    m_total = 0;
    if (m_def.totalColumn.isEmpty()) {
        return;
    }
    const AnnexGridDef grid = m_def.grid(m_casilla);
    store::SqlFilter filter = m_key.filter();
    if (!grid.condition.isEmpty()) {
        filter.andCondition(grid.condition, grid.conditionValues);
    }
    // Each amount as the numeric value of its text, an empty one as 0.
    const store::SqlDialect& dialect = m_db.dialect();
    m_total = app::roundHalfAway(
        m_db.scalar(
                QStringLiteral("SELECT %1 FROM %2").arg(dialect.total(dialect.realOf(m_def.totalColumn)), m_def.table) +
                    filter.text,
                filter.values)
            .toDouble());
}

QString CasillaListModel::totalText() const {
    return app::formatNumber(m_total, kTotalMask);
}

void CasillaListModel::click(int index) {
    switch (index) {
    case 0:
        nuevo();
        break;
    case 1:
        modificar();
        break;
    case 2:
        eliminar();
        break;
    case 3:
        salir();
        break;
    default:
        break;
    }
}

QString CasillaListModel::openDetail(int action, const QStringList& keyValues) {
    if (m_opener == nullptr) {
        return {};
    }
    app::FormRequest request;
    request.name = m_def.detail;
    request.key = m_key;
    request.action = action;
    request.casilla = m_casilla;
    request.code = QString::number(m_casilla);
    request.keyValues = keyValues;
    return m_opener->open(request);
}

void CasillaListModel::nuevo() {
    if (m_readOnly || m_closed) {
        return;
    }
    openDetail(app::FormRequest::kAdd, {});
    refresh();
}

void CasillaListModel::modificar() {
    if (m_readOnly || m_closed) {
        return;
    }
    const std::optional<QStringList> key = m_grid->keyForModify(m_def.grid(m_casilla), m_prompter);
    if (!key) {
        return;
    }
    openDetail(app::FormRequest::kModify, *key);
    refresh();
}

void CasillaListModel::eliminar() {
    if (m_readOnly || m_closed) {
        return;
    }
    if (m_grid->removeSelected(m_def.grid(m_casilla), m_key, m_prompter, caption())) {
        refresh();
    }
}

QString CasillaListModel::promptFrom(const QString& code) {
    bool number = false;
    code.trimmed().toInt(&number);
    return number ? QString() : code;
}

bool CasillaListModel::importRows() {
    if (m_readOnly || m_closed || m_opener == nullptr || !imports()) {
        return false;
    }
    app::FormRequest request;
    request.name = m_def.importWindow;
    request.key = m_key;
    request.action = app::FormRequest::kAdd;
    request.casilla = m_casilla;
    request.code = m_def.importKind;
    m_opener->open(request);
    refresh();
    return true;
}

void CasillaListModel::salir() {
    showReminders();
    m_result = m_def.totalColumn.isEmpty() ? QString() : app::formatNumber(m_total, QStringLiteral("#########0"));
    m_closed = true;
}

// The donation types present, each with its reminder, in the order of the types.
void CasillaListModel::showReminders() {
    if (m_def.reminderQuery.isEmpty() || m_readOnly) {
        return;
    }
    const store::SqlFilter filter = m_key.filter();
    QSqlQuery types =
        m_db.run(QStringLiteral("SELECT DISTINCT trim(%1) FROM %2").arg(m_def.reminderQuery, m_def.table) +
                     filter.text + QStringLiteral(" ORDER BY 1"),
                 filter.values);
    QStringList shown;
    while (types.next()) {
        const QString reminder = reminderFor(types.value(0).toString());
        if (!reminder.isEmpty() && !shown.contains(reminder)) {
            shown.append(reminder);
            m_prompter.message(reminder, caption(), app::Icon::Information);
        }
    }
}

// --- What a script drives -------------------------------------------------------------------

int CasillaListModel::rowCount() const {
    return m_grid->rowCount();
}

QStringList CasillaListModel::rowTexts(int row) const {
    return m_grid->rowTexts(row);
}

int CasillaListModel::currentRow() const {
    return m_grid->current();
}

void CasillaListModel::setCurrentRow(int row) {
    m_grid->select(row);
}

QList<app::DeclaredControl> CasillaListModel::declaredControls() {
    const auto quoted = [](const QString& text) { return QLatin1Char('"') + text + QLatin1Char('"'); };
    app::DeclaredControl grid(kGrid, QStringLiteral("grid"));
    grid.grid = this;
    grid.state = [this] { return QString::number(rowCount()); };
    app::DeclaredControl total(controls::kTotal, QStringLiteral("label"));
    total.state = [this, quoted] { return quoted(totalText()); };
    app::DeclaredControl buttons(controls::kActions, QStringLiteral("command"));
    buttons.click = [this](int index) {
        if (index < 0 || index > 3) {
            throw app::ScriptError{QStringLiteral("cmdAccion no tiene el botón %1").arg(index)};
        }
        if (index != 3 && m_readOnly) {
            return false;
        }
        click(index);
        return true;
    };
    buttons.state = [this] { return m_readOnly ? QStringLiteral("{3}") : QStringLiteral("{0,1,2,3}"); };
    QList<app::DeclaredControl> controls = {grid, total, buttons};
    if (!m_prompt.isEmpty()) {
        app::DeclaredControl prompt(controls::kPrompt, QStringLiteral("label"));
        prompt.state = [this, quoted] { return quoted(m_prompt); };
        controls.append(prompt);
    }
    if (imports()) {
        app::DeclaredControl import(controls::kImport, QStringLiteral("command"));
        import.click = [this](int) { return importRows();
    };
    import.state = [this] { return m_readOnly ? QStringLiteral("{}") : QStringLiteral("{0}");
};
controls.append(import);
} // namespace qel::annexes
return controls;
}

} // namespace qel::annexes
