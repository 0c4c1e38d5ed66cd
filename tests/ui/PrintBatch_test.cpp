// A saved demo return with annexes printed by a batch script into a PDF: the PDF has the pages
// the print announced and shows the casilla values, and SPOOL holds the report's row.
#include "ui/WindowDriver.h"

#include <QSqlQuery>
#include <QTemporaryDir>

namespace qel::printing {
namespace {

using namespace qel::test;

const QString kRuc = QStringLiteral("20601000106");

TEST(PrintBatch, ASavedDemoReturnWithAnnexesPrintsToPdf) {
    TempDatabase database;
    ScriptRun script(database.db(), kRuc, QStringLiteral("INDUSTRIAS TEXTILES DEL SUR S.A.C."));
    QTemporaryDir dir;
    script.runner->setReportFolder(dir.filePath(QStringLiteral("RPT")));
    script.run(demoReturnScript(QStringLiteral("a_general_utilidad.txt")) + QStringLiteral("\nsave\nclose\n"));
    ASSERT_EQ(rowCount(database.db(), QStringLiteral("CAB")), 1) << script.output.toStdString();

    // The annexes: donations and partners, as their windows store them.
    const store::DeclarationKey key = demoKey(kRuc);
    for (int n = 1; n <= 3; ++n) {
        insertRow(database.db(), QStringLiteral("F586DONAC"), key,
                  {{QStringLiteral("TIP_DONACION"), QStringLiteral("1")},
                   {QStringLiteral("num_documento"), QStringLiteral("2010055500%1").arg(n)},
                   {QStringLiteral("des_nom_razon"), QStringLiteral("ASOCIACION BENEFICA %1").arg(n)},
                   {QStringLiteral("mto_donacion"), 2500 * n}});
    }
    insertRow(database.db(), QStringLiteral("F535SOCIOS"), key,
              {{QStringLiteral("tipo_socio"), QStringLiteral("1")},
               {QStringLiteral("nro_doc_socio"), QStringLiteral("29612345")},
               {QStringLiteral("des_nom_razon"), QStringLiteral("QUISPE MAMANI ROSA")},
               {QStringLiteral("Porcentaje"), 60.5}});

    script.run(readFile(QStringLiteral(QEL_TEST_DATA_DIR "/batch/print_declaration.txt"))
                   .replace(QStringLiteral("@DIR@"), dir.path()));
    const QString& output = script.output;
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
    EXPECT_EQ(pdfPageCount(pdf), pages);
    EXPECT_EQ(pdfPageCount(dir.filePath(QStringLiteral("range.pdf"))), 2);
    const QString text = runTool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    for (const QString& shown : {QStringLiteral("INDUSTRIAS TEXTILES DEL SUR S.A.C."), QStringLiteral("2,850,000"),
                                 QStringLiteral("DETALLE DE DONACIONES"), QStringLiteral("ASOCIACION BENEFICA 3"),
                                 QStringLiteral("QUISPE MAMANI ROSA")}) {
        EXPECT_TRUE(text.contains(shown)) << shown.toStdString();
    }

    QSqlQuery spool =
        database.db().run(QStringLiteral("SELECT CodRep, Secuencia, Archivo, Fecha, Doc_id_d FROM SPOOL"));
    ASSERT_TRUE(spool.next());
    QStringList row;
    for (int column = 0; column < 5; ++column) {
        row.append(spool.value(column).toString());
    }
    EXPECT_EQ(row, (QStringList{QStringLiteral("RPJ098"), QStringLiteral("000001"), QStringLiteral("00000001.PRN"),
                                QStringLiteral("2019-03-15"), kRuc}));
    EXPECT_FALSE(spool.next());
}

} // namespace
} // namespace qel::printing
