#include "printing/PrintTypeModel.h"

#include "app/Clock.h"
#include "base/Prompter.h"
#include "printing/DeclarationReport.h"
#include "store/Database.h"

#include <QDate>
#include <QSqlQuery>

namespace qel::printing {

const QString PrintTypeModel::kWindowName = QStringLiteral("FrmTipPrnR");
const QString PrintTypeModel::kGrid = QStringLiteral("grdDeclaraciones");
const QString PrintTypeModel::kSentCode = QStringLiteral("1");

PrintTypeModel::PrintTypeModel(Context context, PreviewOpener openPreview)
    : m_context(std::move(context)), m_openPreview(std::move(openPreview)) {}

QString PrintTypeModel::caption() const {
    return m_context.sent ? QStringLiteral("Declaraciones Enviadas") : QStringLiteral("Declaraciones Registradas");
}

QStringList PrintTypeModel::columnCaptions() const {
    if (m_context.sent) {
        return {QStringLiteral("RUC"),         QStringLiteral("Razón Social"), QStringLiteral("Periodo"),
                QStringLiteral("Formulario"),  QStringLiteral("Nro. Orden"),   QStringLiteral("Fecha Envío"),
                QStringLiteral("Nro. Control")};
    }
    return {QStringLiteral("RUC"), QStringLiteral("Razón Social"), QStringLiteral("Periodo"),
            QStringLiteral("Formulario")};
}

QStringList PrintTypeModel::cells(int row) const {
    const Row& r = m_rows.at(row);
    QStringList values = {r.ruc, r.nombre, r.periodo, r.formulario};
    if (m_context.sent) {
        const QDate sentOn = QDate::fromString(r.fecEnv.left(10), Qt::ISODate);
        values << r.norden << (sentOn.isValid() ? sentOn.toString(QStringLiteral("dd/MM/yyyy")) : r.fecEnv)
               << r.control;
    }
    return values;
}

void PrintTypeModel::load() {
    m_rows.clear();
    m_current = -1;
    QString sql = m_context.sent
                      ? QStringLiteral("SELECT A.DOC_ID_D, B.NOMBRE, A.PERIODO, A.FORMULARIO, A.NORDEN, A.FEC_ENV, "
                                       "A.CONTROL, A.CORREL FROM HCAB AS A, CONT AS B")
                      : QStringLiteral("SELECT A.DOC_ID_D, B.NOMBRE, A.PERIODO, A.FORMULARIO, '', '', '', '' "
                                       "FROM CAB AS A, CONT AS B");
    sql += QStringLiteral(" WHERE A.DOC_ID_D=B.DOC_ID_D AND A.TIP_DOC_D=6 AND B.TIP_DOC_D=6 AND A.PERIODO=? AND "
                          "A.FORMULARIO=?");
    QVariantList values = {m_context.periodo, m_context.formulario};
    if (m_context.userKind != QStringLiteral("0")) {
        sql += QStringLiteral(" AND B.USUARIO=?");
        values.append(m_context.sysUser);
    }
    sql += m_context.sent ? QStringLiteral(" ORDER BY A.DOC_ID_D ASC, A.FEC_ENV DESC, A.CORREL DESC")
                          : QStringLiteral(" ORDER BY A.DOC_ID_D ASC");
    try {
        QSqlQuery query = m_context.db.run(sql, values);
        while (query.next()) {
            Row row;
            row.ruc = query.value(0).toString().trimmed();
            row.nombre = query.value(1).toString().trimmed();
            row.periodo = query.value(2).toString().trimmed();
            row.formulario = query.value(3).toString().trimmed();
            row.norden = query.value(4).toString().trimmed();
            row.fecEnv = query.value(5).toString().trimmed();
            row.control = query.value(6).toString().trimmed();
            row.correl = query.value(7).toString().trimmed();
            m_rows.append(row);
        }
    } catch (const store::DatabaseError& error) {
        m_rows.clear();
        m_context.prompter.message(error.text(), QStringLiteral("Error"), app::Icon::Critical);
    }
    m_current = m_rows.isEmpty() ? -1 : 0;
}

void PrintTypeModel::select(int row) {
    if (row >= 0 && row < m_rows.size()) {
        m_current = row;
    }
}

QString PrintTypeModel::pdfName() const {
    if (m_current < 0) {
        return {};
    }
    const Row& row = m_rows.at(m_current);
    QStringList parts = {row.formulario, row.ruc, row.periodo,
                         m_withAnnexes ? SpoolRegistry::kWithAnnexes : SpoolRegistry::kWithoutAnnexes};
    if (m_context.sent && !row.correl.isEmpty()) {
        parts.insert(3, row.correl); // two sent versions of one period keep apart
    }
    return parts.join(QLatin1Char('_')) + QStringLiteral(".pdf");
}

std::optional<PrintTypeModel::Printed> PrintTypeModel::print() {
    if (m_current < 0) {
        return std::nullopt;
    }
    const Row row = m_rows.at(m_current);
    const store::DeclarationKey key{row.ruc, row.periodo, row.formulario};
    const std::optional<QString> correl = m_context.sent ? std::optional<QString>(row.correl) : std::nullopt;
    const QString code = m_withAnnexes ? SpoolRegistry::kWithAnnexes : SpoolRegistry::kWithoutAnnexes;
    Printed printed;
    try {
        const DeclarationReport report(m_context.db, key, correl);
        const ReportWriter writer = report.write(m_withAnnexes, m_context.clock.now());
        SpoolRegistry spool(m_context.db, m_context.spoolFolder);
        QString why;
        const std::optional<SpoolEntry> entry =
            spool.publish(code, m_context.sysUser, row.ruc, m_context.clock.today(), writer.fileText(), &why);
        if (!entry) {
            m_context.prompter.message(why.isEmpty() ? QStringLiteral("No se pudo escribir el archivo del reporte en "
                                                                      "la carpeta:\n") +
                                                           m_context.spoolFolder
                                                     : why,
                                       caption(), app::Icon::Critical);
            return std::nullopt;
        }
        printed.entry = *entry;
        printed.pages = writer.pageCount();
    } catch (const store::DatabaseError& error) {
        m_context.prompter.message(error.text(), QStringLiteral("Error"), app::Icon::Critical);
        return std::nullopt;
    }
    m_context.prompter.message(QStringLiteral("Impresión de ") + QString::number(printed.pages) +
                                   QStringLiteral(" páginas"),
                               caption(), app::Icon::Information);
    if (m_openPreview) {
        m_openPreview(printed.entry.path);
    }
    return printed;
}

QList<app::DeclaredControl> PrintTypeModel::declaredControls() {
    QList<app::DeclaredControl> controls;
    app::DeclaredControl grid(kGrid, QStringLiteral("grid"));
    grid.grid = this;
    grid.state = [this] { return QString::number(m_rows.size()); };
    controls.append(grid);
    app::DeclaredControl annexes(QStringLiteral("ChkAnexo"), QStringLiteral("check"));
    annexes.click = [this](int) {
        setWithAnnexes(!m_withAnnexes);
        return true;
    };
    annexes.state = [this] { return m_withAnnexes ? QStringLiteral("1") : QStringLiteral("0"); };
    controls.append(annexes);
    app::DeclaredControl printButton(QStringLiteral("cmdImprimir"), QStringLiteral("command"));
    printButton.click = [this](int) { return print().has_value(); };
    controls.append(printButton);
    app::DeclaredControl leave(QStringLiteral("cmdSalir"), QStringLiteral("command"));
    leave.click = [this](int) {
        close();
        return true;
    };
    controls.append(leave);
    return controls;
}

} // namespace qel::printing
