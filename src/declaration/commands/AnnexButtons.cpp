#include "declaration/commands/AnnexButtons.h"

#include "app/FormOpener.h"
#include "base/NumberFormat.h"
#include "base/Prompter.h"
#include "catalogue/FormControls.h"
#include "declaration/commands/FormAnnexGrid.h"
#include "declaration/model/DeclarationFormModel.h"
#include "declaration/model/VehicleCasillas.h"
#include "store/Database.h"
#include "store/ExecuteSql.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTextStream>

namespace qel::declaration {

const QString AnnexButtons::kSelectToModify = QStringLiteral("Tiene que seleccionar el registro a modificar.");
const QString AnnexButtons::kSelectToDelete = QStringLiteral("Tiene que seleccionar registro a eliminar.");
const QString AnnexButtons::kNothingToModify = QStringLiteral("No existen datos para modificar.");

namespace {

const QString kError = QStringLiteral("Error");

QVariant fieldOf(const QVariantMap& row, const QString& field) {
    for (auto it = row.cbegin(); it != row.cend(); ++it) {
        if (it.key().compare(field, Qt::CaseInsensitive) == 0) {
            return it.value();
        }
    }
    return {};
}

QString textOf(const QVariant& value) {
    return value.isNull() ? QString() : value.toString();
}

} // namespace

const QList<AnnexButtonDef>& AnnexButtons::annexes() {
    return annexes::AnnexCatalog::instance().grids();
}

const AnnexButtonDef* AnnexButtons::find(const QString& array) {
    for (const AnnexButtonDef& def : annexes()) {
        if (def.array == array) {
            return &def;
        }
    }
    return nullptr;
}

AnnexButtons::AnnexButtons(DeclarationFormModel& model) : m_model(model) {
    for (const AnnexButtonDef& def : annexes()) {
        if (m_model.hasControl(def.array)) {
            m_model.onControl(def.array, [this, &def](int index) { click(def, index); });
        }
        if (m_model.hasControl(def.grid) && !m_model.grids.contains(def.grid)) {
            m_grids.push_back(std::make_unique<FormAnnexGrid>(m_model, def.grid));
            m_model.grids.insert(def.grid, m_grids.back().get());
        }
    }
}

AnnexButtons::~AnnexButtons() {
    for (const auto& grid : m_grids) {
        for (auto it = m_model.grids.begin(); it != m_model.grids.end();) {
            it = it.value() == grid.get() ? m_model.grids.erase(it) : std::next(it);
        }
    }
}

void AnnexButtons::click(const AnnexButtonDef& annex, int index) {
    switch (index) {
    case 0:
        nuevo(annex);
        break;
    case 1:
        modificar(annex);
        break;
    case 2:
        eliminar(annex);
        break;
    case 3:
        if (annex.array == QStringLiteral("cmdInternacional")) {
            GeneraReporteInt();
        } else {
            importar(annex);
        }
        break;
    default:
        break;
    }
}

// --- The commands --------------------------------------------------------------------------

void AnnexButtons::nuevo(const AnnexButtonDef& annex) {
    if (annex.array == QStringLiteral("cmdSocios") && refusesNewPartner()) {
        return;
    }
    if (refusesWithoutCount(annex)) {
        return;
    }
    const ControlDef& def = m_model.controlDef(annex.array);
    app::FormRequest request;
    request.name = def.windows.value(0);
    request.key = m_model.key();
    request.action = app::FormRequest::kAdd;
    request.code = windowCode(annex);
    m_model.context().opener.open(request);
    refresh(annex);
}

void AnnexButtons::modificar(const AnnexButtonDef& annex) {
    int rows = 0;
    try {
        rows = rowCount(annex);
    } catch (const store::DatabaseError& e) {
        store::showDatabaseError(m_model.context().prompter, e);
        return;
    }
    if (rows == 0) {
        error(annex.noRowsToModify, annex.noRowsTitle);
        return;
    }
    const std::optional<QVariantMap> row = selectedRow(annex);
    if (!row) {
        error(kSelectToModify, kError);
        return;
    }
    const ControlDef& def = m_model.controlDef(annex.array);
    app::FormRequest request;
    request.name = def.windows.value(1);
    request.key = m_model.key();
    request.action = app::FormRequest::kModify;
    request.code = windowCode(annex);
    for (const QString& field : annex.keyFields) {
        request.keyValues.append(textOf(fieldOf(*row, field)));
    }
    m_model.context().opener.open(request);
    refresh(annex);
}

void AnnexButtons::eliminar(const AnnexButtonDef& annex) {
    app::Prompter& prompter = m_model.context().prompter;
    std::optional<QVariantMap> row;
    try {
        if (rowCount(annex) == 0) {
            error(annex.noRowsToDelete.isEmpty() ? kSelectToDelete : annex.noRowsToDelete,
                  annex.noRowsToDelete.isEmpty() ? kError : annex.noRowsTitle);
            return;
        }
        row = selectedRow(annex);
    } catch (const store::DatabaseError& e) {
        store::showDatabaseError(prompter, e);
        return;
    }
    if (!row) {
        error(kSelectToDelete, kError);
        return;
    }
    if (!prompter.askYesNo(annex.deleteQuestion, m_model.caption, app::Button::No, app::Icon::Question)) {
        return;
    }
    const QString table = m_model.controlDef(annex.array).table;
    const store::DeclarationKey key = m_model.key();
    store::Database& db = m_model.context().db;
    store::runAtomically(db, prompter, [&] {
        store::SqlFilter filter = key.filter();
        if (!annex.condition.isEmpty()) {
            filter.andCondition(annex.condition, annex.conditionValues);
        }
        for (const QString& field : annex.keyFields) {
            // IS compares as "=" does, and a key left empty (NULL) still finds its row.
            filter.andCondition(field + QStringLiteral(" IS ?"), {fieldOf(*row, field)});
        }
        db.run(QStringLiteral("DELETE FROM ") + table + filter.text, filter.values).finish();
        for (const auto& [dependant, columns] : annex.dependants) {
            store::SqlFilter detail = key.filter();
            for (int i = 0; i < columns.size() && i < annex.keyFields.size(); ++i) {
                detail.andCondition(columns.at(i) + QStringLiteral(" IS ?"), {fieldOf(*row, annex.keyFields.at(i))});
            }
            db.run(QStringLiteral("DELETE FROM ") + dependant + detail.text, detail.values).finish();
        }
    });
    refresh(annex);
}

void AnnexButtons::importar(const AnnexButtonDef& annex) {
    const ControlDef& def = m_model.controlDef(annex.array);
    if (!def.windows.contains(3)) {
        return;
    }
    app::FormRequest request;
    request.name = def.windows.value(3);
    request.key = m_model.key();
    request.action = app::FormRequest::kAdd;
    request.code = def.code;
    m_model.context().opener.open(request);
    refresh(annex);
}

void AnnexButtons::GeneraReporteInt() {
    app::Prompter& prompter = m_model.context().prompter;
    store::Database& db = m_model.context().db;
    const store::DeclarationKey key = m_model.key();
    // Beside the database file; a server database has no folder, so there it is the user's own.
    const QString besideDatabase =
        db.engine() == store::Engine::SQLite ? QFileInfo(db.path()).absolutePath() : QDir::homePath();
    const QString folder =
        QDir::toNativeSeparators(QDir(m_exportFolder.isEmpty() ? besideDatabase : m_exportFolder).absolutePath());
    const QString name = key.ruc + QStringLiteral("_QELRI.txt");
    QFile file(QDir(folder).filePath(name));
    try {
        const store::SqlFilter filter = key.filter();
        QSqlQuery rows = db.run(QStringLiteral("SELECT correl_rta, cod_renta, cod_pais, des_pais, ind_convenio, "
                                               "mto_renta FROM TMPF586IDERTA") +
                                    filter.text + QStringLiteral(" ORDER BY correl_rta"),
                                filter.values);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
            prompter.message(QStringLiteral("No se pudo crear el archivo ") + file.fileName(), m_model.caption,
                             app::Icon::Critical);
            return;
        }
        QTextStream out(&file);
        out << "KOLVA\n"
            << "RENTA DE FUENTE EXTRANJERA Y TRANSPARENCIA FISCAL INTERNACIONAL\n"
            << "RUC : " << key.ruc << "\n"
            << "PERIODO : " << key.periodo << "\n";
        while (rows.next()) {
            QStringList fields;
            for (int i = 0; i < 6; ++i) {
                fields.append(textOf(rows.value(i)).trimmed());
            }
            out << fields.join(QLatin1Char('|')) << "\n";
        }
    } catch (const store::DatabaseError& e) {
        store::showDatabaseError(prompter, e);
        return;
    }
    file.close();
    prompter.message(QStringLiteral("La declaración se encuentra en el directorio ") + folder +
                         QStringLiteral(" con el nombre: ") + name,
                     m_model.caption, app::Icon::Information);
}

// --- Pieces --------------------------------------------------------------------------------

int AnnexButtons::rowCount(const AnnexButtonDef& annex) const {
    store::SqlFilter filter = m_model.key().filter();
    if (!annex.condition.isEmpty()) {
        filter.andCondition(annex.condition, annex.conditionValues);
    }
    return m_model.context()
        .db
        .scalar(QStringLiteral("SELECT count(*) FROM ") + m_model.controlDef(annex.array).table + filter.text,
                filter.values)
        .toInt();
}

// The row the window says is selected; otherwise the row at the grid's position, read with
// the grid's own statement.
std::optional<QVariantMap> AnnexButtons::selectedRow(const AnnexButtonDef& annex) const {
    const QVariantMap told = m_model.selectedRowValues(annex.grid);
    if (!told.isEmpty()) {
        return told;
    }
    if (!m_model.hasControl(annex.grid)) {
        return std::nullopt;
    }
    const int position = m_model.control(annex.grid).current;
    if (position < 0) {
        return std::nullopt;
    }
    QSqlQuery rows = m_model.context().db.run(m_model.controlDef(annex.grid).query);
    for (int i = 0; i <= position; ++i) {
        if (!rows.next()) {
            return std::nullopt;
        }
    }
    QVariantMap row;
    const QSqlRecord record = rows.record();
    for (int i = 0; i < record.count(); ++i) {
        row.insert(record.fieldName(i), rows.value(i));
    }
    return row;
}

// An array with an import hands its code to the import window; the others to their detail
// window (the operation type, the project type ...).
QString AnnexButtons::windowCode(const AnnexButtonDef& annex) const {
    const ControlDef& def = m_model.controlDef(annex.array);
    return def.windows.contains(3) ? QString() : def.code;
}

// The 100 principal partners are the limit, unless their shares already exceed the whole.
bool AnnexButtons::refusesNewPartner() {
    store::Database& db = m_model.context().db;
    const store::SqlFilter filter = m_model.key().filter();
    int count = 0;
    double shares = 0;
    try {
        QSqlQuery totals = db.run(QStringLiteral("SELECT count(*), %1 FROM TMPF535SOCIOS")
                                          .arg(db.dialect().total(db.dialect().realOf(QStringLiteral("Porcentaje")))) +
                                      filter.text,
                                  filter.values);
        if (totals.next()) {
            count = totals.value(0).toInt();
            shares = app::roundHalfAway(totals.value(1).toDouble(), 2);
        }
    } catch (const store::DatabaseError& e) {
        store::showDatabaseError(m_model.context().prompter, e);
        return true;
    }
    if (count >= kMaxPartners && shares <= 100) {
        m_model.context().prompter.message(
            QStringLiteral(" Solo deben registrarse los 100 principales socios. Estan registrados ") +
                QString::number(count),
            m_model.caption, app::Icon::Critical);
        return true;
    }
    return false;
}

// Concessions and lots are entered after their number is declared on the identification page.
bool AnnexButtons::refusesWithoutCount(const AnnexButtonDef& annex) {
    QList<int> counts;
    QString text;
    if (annex.array == controls::kMiningButtons) {
        counts = {228, 238};
        text = QStringLiteral("Debe registrar el número de concesiones mineras.");
    } else if (annex.array == controls::kHydrocarbonButtons) {
        counts = {275, 276};
        text = QStringLiteral("Debe registrar el número de contratos de hidrocarburos.");
    } else {
        return false;
    }
    double declared = 0;
    for (const int n : counts) {
        declared += m_model.hasBox(n) ? m_model.value(n) : 0;
    }
    if (declared > 0) {
        return false;
    }
    m_model.context().prompter.message(text, m_model.caption, app::Icon::Critical);
    return true;
}

void AnnexButtons::refresh(const AnnexButtonDef& annex) {
    m_model.setSelectedRowValues(annex.grid, {});
    m_model.refreshGrid(annex.grid);
    if (annex.array == QStringLiteral("cmdVehiculos")) {
        VehicleCasillas(m_model).CalculaCasVeh();
    }
}

void AnnexButtons::error(const QString& text, const QString& title) {
    m_model.context().prompter.message(text, title, app::Icon::Critical);
}

} // namespace qel::declaration
