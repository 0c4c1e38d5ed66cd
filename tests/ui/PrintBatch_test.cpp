// A saved demo return with annexes printed by a batch script into a PDF: the PDF has the pages
// the print announced and shows the casilla values, and SPOOL holds the report's row.
#include "batch/BatchRunner.h"
#include "support/FormServices.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace qel::printing {
namespace {

using batch::BatchRunner;

const QString kRuc = QStringLiteral("20601000106");

QString dataFile(const QString& name) {
    QFile file(QStringLiteral(QEL_TEST_DATA_DIR "/") + name);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
    return QString::fromUtf8(file.readAll());
}

// The demo return without its expectations, then saved.
QString savedReturn() {
    QStringList script;
    for (const QString& line : dataFile(QStringLiteral("returns/a_general_utilidad.txt")).split(QLatin1Char('\n'))) {
        if (!line.trimmed().startsWith(QStringLiteral("expect"))) {
            script.append(line);
        }
    }
    script << QStringLiteral("save") << QStringLiteral("close");
    return script.join(QLatin1Char('\n'));
}

QString tool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000)) {
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

TEST(PrintBatch, ASavedDemoReturnWithAnnexesPrintsToPdf) {
    test::TempDatabase database;
    test::registerTaxpayer(database.db(), kRuc, QStringLiteral("INDUSTRIAS TEXTILES DEL SUR S.A.C."),
                           QStringLiteral("CONTADOR"));
    QString output;
    QString errors;
    QTextStream out(&output);
    QTextStream err(&errors);
    BatchRunner runner(database.db(), out, err,
                       {QStringLiteral("2018"), QStringLiteral("0588"), QStringLiteral("CONTADOR")});
    QTemporaryDir dir;
    runner.setReportFolder(dir.filePath(QStringLiteral("RPT")));
    ASSERT_EQ(runner.run(savedReturn()), BatchRunner::kDone) << errors.toStdString();
    ASSERT_EQ(test::rowCount(database.db(), QStringLiteral("CAB")), 1) << output.toStdString();

    // The annexes: donations and partners, as their windows store them.
    const store::DeclarationKey key = test::demoKey(kRuc);
    for (int n = 1; n <= 3; ++n) {
        test::insertRow(database.db(), QStringLiteral("F586DONAC"), key,
                        {{QStringLiteral("TIP_DONACION"), QStringLiteral("1")},
                         {QStringLiteral("num_documento"), QStringLiteral("2010055500%1").arg(n)},
                         {QStringLiteral("des_nom_razon"), QStringLiteral("ASOCIACION BENEFICA %1").arg(n)},
                         {QStringLiteral("mto_donacion"), 2500 * n}});
    }
    test::insertRow(database.db(), QStringLiteral("F535SOCIOS"), key,
                    {{QStringLiteral("tipo_socio"), QStringLiteral("1")},
                     {QStringLiteral("nro_doc_socio"), QStringLiteral("29612345")},
                     {QStringLiteral("des_nom_razon"), QStringLiteral("QUISPE MAMANI ROSA")},
                     {QStringLiteral("Porcentaje"), 60.5}});

    output.clear();
    QString script = dataFile(QStringLiteral("batch/print_declaration.txt"));
    script.replace(QStringLiteral("@DIR@"), dir.path());
    ASSERT_EQ(runner.run(script), BatchRunner::kDone) << errors.toStdString() << output.toStdString();

    const QRegularExpressionMatch announced =
        QRegularExpression(QStringLiteral("Impresión de (\\d+) páginas")).match(output);
    ASSERT_TRUE(announced.hasMatch()) << output.toStdString();
    const int pages = announced.captured(1).toInt();
    for (const QString& line :
         {QStringLiteral("menu mnuImprimir -> FrmTipPrnR"), QStringLiteral("ChkAnexo = 1"),
          QStringLiteral("window frmPreview 1 -"), QStringLiteral("lblPagina = \"Página 2 de %1\"").arg(pages),
          QStringLiteral("message exclamation \"Imprimir por Páginas\" \"Página de Inicio debe ser mayor a página de "
                         "Fin.\""),
          QStringLiteral("closed frmImpxPag \"3-4 I\""),
          QStringLiteral("message information \"Presentación Preliminar\" \"Reporte se imprimió satisfactoriamente.\""),
          QStringLiteral("closed FrmTipPrnR \"\"")}) {
        EXPECT_TRUE(output.contains(line)) << line.toStdString() << "\n" << output.toStdString();
    }

    const QString pdf = dir.filePath(QStringLiteral("declaracion.pdf"));
    const QString info = tool(QStringLiteral("pdfinfo"), {pdf});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(pages)))) << info.toStdString();
    EXPECT_TRUE(tool(QStringLiteral("pdfinfo"), {dir.filePath(QStringLiteral("range.pdf"))})
                    .contains(QRegularExpression(QStringLiteral("Pages:\\s+2\\n"))));
    const QString text = tool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    for (const QString& shown : {QStringLiteral("INDUSTRIAS TEXTILES DEL SUR S.A.C."), QStringLiteral("2,850,000"),
                                 QStringLiteral("DETALLE DE DONACIONES"), QStringLiteral("ASOCIACION BENEFICA 3"),
                                 QStringLiteral("QUISPE MAMANI ROSA")}) {
        EXPECT_TRUE(text.contains(shown)) << shown.toStdString();
    }

    QSqlQuery spool =
        database.db().run(QStringLiteral("SELECT CodRep, Secuencia, Archivo, Fecha, Doc_id_d FROM SPOOL"));
    ASSERT_TRUE(spool.next());
    EXPECT_EQ(spool.value(0).toString(), QStringLiteral("RPJ098"));
    EXPECT_EQ(spool.value(1).toString(), QStringLiteral("000001"));
    EXPECT_EQ(spool.value(2).toString(), QStringLiteral("00000001.PRN"));
    EXPECT_EQ(spool.value(3).toString(), QStringLiteral("2019-03-15"));
    EXPECT_EQ(spool.value(4).toString(), kRuc);
    EXPECT_FALSE(spool.next());
}

} // namespace
} // namespace qel::printing
