#include "annexes/TrialBalancePage.h"

#include "app/FormOpener.h"
#include "app/UtilityComponent.h"
#include "base/NumberFormat.h"
#include "base/Prompter.h"
#include "catalogue/FormControls.h"
#include "declaration/model/DeclarationFormModel.h"
#include "store/Database.h"
#include "store/ExecuteSql.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTextStream>

namespace qel::annexes {

const QString TrialBalancePage::kGrid = declaration::controls::kTrialBalanceGrid;
const QString TrialBalancePage::kDetailWindow = QStringLiteral("frmDetalleBalance");
const QString TrialBalancePage::kTransferWindow = QStringLiteral("frmTransferencia");
const QString TrialBalancePage::kImportQuestion =
    QStringLiteral("La información del balance de comprobación se modificará. ¿Desea procesar el archivo?");
const QString TrialBalancePage::kDeleteQuestion =
    QStringLiteral("¿Confirma que va a eliminar la información ingresada en el balance?");

namespace {

const QString kOptPlan = QStringLiteral("OptPlan");
constexpr int kCodeWidth = 7;
constexpr int kAmountWidth = 15;

// The column groups of the balance, each over a debit and a credit amount.
struct Group {
    const char* heading;
    const char* debit;
    const char* credit;
};
const Group kGroups[] = {
    {"Saldos Iniciales", "Debe", "Haber"},
    {"Movimiento del Ejercicio", "Debe", "Haber"},
    {"Sumas del Mayor", "Debe", "Haber"},
    {"Saldos al 31/12/%1", "Deudor", "Acreedor"},
    {"Transferencias y Cancelaciones", "Debe", "Haber"},
    {"Ajuste por adecuación o Implicancia NIIF", "Debe", "Haber"},
    {"Cuentas de Balance", "Activo", "Pasivo"},
    {"Resultados por Naturaleza", "Pérdidas", "Ganancias"},
};

QString pad(const QString& text, int width) {
    return app::UtilityComponent::PadText(text, width);
}

} // namespace

TrialBalancePage::TrialBalancePage(declaration::DeclarationFormModel& model) : m_model(model) {
    const auto hook = [this](const QString& name, void (TrialBalancePage::*command)()) {
        if (m_model.hasControl(name)) {
            m_model.onControl(name, [this, command](int) { (this->*command)(); });
        }
    };
    hook(kOptPlan, &TrialBalancePage::choosePlan);
    hook(declaration::controls::kTrialBalanceButton, &TrialBalancePage::modificar);
    hook(QStringLiteral("cmdImportar"), &TrialBalancePage::importar);
    hook(QStringLiteral("CmdEliminar"), &TrialBalancePage::eliminar);
    hook(QStringLiteral("cmdArchivo"), &TrialBalancePage::exportar);
    m_model.grids.insert(kGrid, this);
}

TrialBalancePage::~TrialBalancePage() {
    if (m_model.grids.value(kGrid) == this) {
        m_model.grids.remove(kGrid);
    }
}

TrialBalanceTable TrialBalancePage::table() const {
    const int chart = m_model.hasControl(kOptPlan) ? m_model.option(kOptPlan) : -1;
    return TrialBalanceTable(m_model.context().db, m_model.key(), TrialBalanceTable::planOf(chart));
}

void TrialBalancePage::choosePlan() {
    if (m_model.loading() || !m_model.key().isComplete()) {
        return; // the load lists the accounts once the taxpayer is chosen
    }
    TrialBalanceTable rows = table();
    std::optional<QString> correl;
    if (m_model.historyView && !m_model.correl.isEmpty()) {
        correl = m_model.correl;
    }
    store::runAtomically(m_model.context().db, m_model.context().prompter, [&] {
        rows.rebuild();
        rows.takeStored(correl);
    });
    refresh();
}

void TrialBalancePage::modificar() {
    const QString code = selectedCode();
    if (code.isEmpty()) {
        m_model.context().prompter.message(QStringLiteral("Tiene que seleccionar el registro a modificar."),
                                           QStringLiteral("Error"), app::Icon::Critical);
        return;
    }
    app::FormRequest request;
    request.name = kDetailWindow;
    request.key = m_model.key();
    request.action = app::FormRequest::kModify;
    request.code = table().plan();
    request.keyValues = {code};
    m_model.context().opener.open(request);
    refresh();
}

void TrialBalancePage::importar() {
    app::Prompter& prompter = m_model.context().prompter;
    bool holdsValues = false;
    try {
        holdsValues = table().holdsValues();
    } catch (const store::DatabaseError& e) {
        store::showDatabaseError(prompter, e);
        return;
    }
    if (holdsValues && !prompter.askYesNo(kImportQuestion, QStringLiteral("Confirmar"))) {
        return;
    }
    app::FormRequest request;
    request.name = kTransferWindow;
    request.key = m_model.key();
    request.action = app::FormRequest::kAdd;
    request.code = table().plan();
    m_model.context().opener.open(request);
    refresh();
}

void TrialBalancePage::eliminar() {
    if (!m_model.context().prompter.askYesNo(kDeleteQuestion, m_model.caption)) {
        return;
    }
    TrialBalanceTable rows = table();
    store::runAtomically(m_model.context().db, m_model.context().prompter, [&] { rows.rebuild(); });
    refresh();
}

QString TrialBalancePage::exportFileName(const QString& ruc) {
    return ruc + QStringLiteral("_") + QStringLiteral("QEL") + QStringLiteral(".txt");
}

QStringList TrialBalancePage::exportLines() const {
    QString groups = pad(QStringLiteral("Cuenta "), kCodeWidth);
    QString sides = pad(QString(), kCodeWidth);
    for (const Group& group : kGroups) {
        groups += pad(QString::fromUtf8(group.heading).replace(QStringLiteral("%1"), m_model.context().periodo),
                      2 * kAmountWidth);
        sides += pad(QString::fromUtf8(group.debit), kAmountWidth) + pad(QString::fromUtf8(group.credit), kAmountWidth);
    }
    QStringList lines = {QStringLiteral("KOLVA"), QStringLiteral("BALANCE DE COMPROBACION HISTORICO"),
                         QStringLiteral("RUC : ") + m_model.key().ruc, groups.trimmed(), sides.trimmed()};
    for (const TrialBalanceTable::Line& line : table().lines()) {
        QString text = pad(line.code.trimmed(), kCodeWidth);
        for (const TrialBalanceRow::Money amount : line.amounts) {
            text += pad(TrialBalanceRow::toText(amount), kAmountWidth);
        }
        lines.append(text.trimmed());
    }
    return lines;
}

void TrialBalancePage::exportar() {
    app::Prompter& prompter = m_model.context().prompter;
    const QString base =
        m_model.moduleFolder.isEmpty() ? QFileInfo(m_model.context().db.path()).absolutePath() : m_model.moduleFolder;
    const QString folder = QDir::toNativeSeparators(QDir(base).absolutePath());
    const QString name = exportFileName(m_model.key().ruc);
    QStringList lines;
    try {
        lines = exportLines();
    } catch (const store::DatabaseError& e) {
        store::showDatabaseError(prompter, e);
        return;
    }
    QFile file(QDir(folder).filePath(name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        prompter.message(QStringLiteral("No se pudo crear el archivo ") + file.fileName(), m_model.caption,
                         app::Icon::Critical);
        return;
    }
    QTextStream out(&file);
    for (const QString& line : lines) {
        out << line << '\n';
    }
    out.flush();
    file.close();
    prompter.message(QStringLiteral("La declaración se encuentra en el directorio ") + folder +
                         QStringLiteral(" con el nombre: ") + name,
                     m_model.caption, app::Icon::Information);
}

int TrialBalancePage::rowCount() const {
    const store::SqlFilter filter = m_model.key().filter();
    return m_model.context()
               .db.scalar(QStringLiteral("SELECT count(*) FROM TMPF582BALANCE") + filter.text, filter.values)
               .toInt() +
           1;
}

QStringList TrialBalancePage::rowTexts(int row) const {
    const TrialBalanceTable balance = table();
    QStringList texts;
    TrialBalanceTable::Amounts amounts{};
    if (row == rowCount() - 1) {
        texts = {QString(), QStringLiteral("Totales")};
        amounts = balance.totals();
    } else {
        const std::optional<TrialBalanceTable::Line> line = balance.line(row);
        if (!line) {
            return {};
        }
        texts = {line->code.trimmed(), line->description.trimmed()};
        amounts = line->amounts;
    }
    for (const TrialBalanceRow::Money amount : amounts) {
        texts.append(app::formatNumber(static_cast<double>(amount) / TrialBalanceRow::kUnit, app::masks::kAmount));
    }
    return texts;
}

int TrialBalancePage::currentRow() const {
    return m_model.hasControl(kGrid) ? m_model.control(kGrid).current : -1;
}

void TrialBalancePage::setCurrentRow(int row) {
    m_model.selectGridRow(kGrid, row);
}

void TrialBalancePage::refresh() {
    m_model.setSelectedRowValues(kGrid, {});
    m_model.refreshGrid(kGrid);
    TrialBalanceTable::Amounts totals{};
    try {
        totals = table().totals();
    } catch (const store::DatabaseError& e) {
        store::showDatabaseError(m_model.context().prompter, e);
        return;
    }
    // Ledger sums (debit, credit) in 240 and 241, closing balances (debit, credit) in 242 and 243.
    const int columns[] = {TrialBalanceRow::SumaMayorD, TrialBalanceRow::SumaMayorH, TrialBalanceRow::SaldoDeudor,
                           TrialBalanceRow::SaldoAcreed};
    for (int i = 0; i < 4; ++i) {
        const int casilla = 240 + i;
        if (m_model.hasBox(casilla)) {
            m_model.setValue(casilla, static_cast<double>(totals[columns[i]]) / TrialBalanceRow::kUnit,
                             m_model.casillas().find(casilla)->displayMask());
        }
    }
}

// The account of the selected grid row, as the window told it or at the grid's position; the
// totals row has none.
QString TrialBalancePage::selectedCode() const {
    const QVariantMap told = m_model.selectedRowValues(kGrid);
    for (auto it = told.cbegin(); it != told.cend(); ++it) {
        if (it.key().compare(QStringLiteral("Codigo"), Qt::CaseInsensitive) == 0) {
            return it.value().toString().trimmed();
        }
    }
    if (!m_model.hasControl(kGrid)) {
        return {};
    }
    const int position = m_model.control(kGrid).current;
    if (position < 0) {
        return {};
    }
    QSqlQuery rows = m_model.context().db.run(m_model.controlDef(kGrid).query);
    for (int i = 0; i <= position; ++i) {
        if (!rows.next()) {
            return {};
        }
    }
    return rows.value(rows.record().indexOf(QStringLiteral("Codigo"))).toString().trimmed();
}

} // namespace qel::annexes
