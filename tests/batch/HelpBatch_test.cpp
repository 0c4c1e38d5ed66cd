#include "batch/BatchRunner.h"
#include "support/TestSupport.h"

#include <QTextStream>
#include <gtest/gtest.h>

namespace qel::batch {
namespace {

// The help of the menu driven by a script: the search walks the matching lines and starts
// over after the last; a text that is nowhere says so; the contents button goes back.
TEST(HelpBatch, SearchWalksTheMatchesAndSaysWhenThereAreNone) {
    test::TempDatabase database;
    QString output;
    QString errors;
    QTextStream out(&output);
    QTextStream err(&errors);
    BatchRunner runner(database.db(), out, err,
                       {QStringLiteral("2018"), QStringLiteral("0588"), QStringLiteral("CONTADOR")});
    const int code = runner.run(QStringLiteral("menu mnuContenido\nstate lblTema\ntext txtBuscar Mens.txt\n"
                                               "click cmdBuscar\nstate lblBuscar\nclick cmdBuscar\nstate lblBuscar\n"
                                               "click cmdBuscar\nstate lblBuscar\n"
                                               "text txtBuscar palabra que no está\nclick cmdBuscar\nstate lblBuscar\n"
                                               "click cmdContenido\nstate lblTema\nclick cmdCerrar\n"));
    out.flush();
    err.flush();
    ASSERT_EQ(code, BatchRunner::kDone) << errors.toStdString() << output.toStdString();
    const QStringList lines = output.split(QLatin1Char('\n'));
    EXPECT_TRUE(lines.contains(QStringLiteral("menu mnuContenido -> frmAyuda"))) << output.toStdString();
    EXPECT_TRUE(lines.contains(QStringLiteral("lblTema = \"contenido\"")));
    QStringList found;
    for (const QString& line : lines) {
        if (line.startsWith(QStringLiteral("lblBuscar = "))) {
            found.append(line);
        }
    }
    ASSERT_EQ(found.size(), 4) << output.toStdString();
    EXPECT_TRUE(found.at(0).contains(QStringLiteral("Mens.txt")));
    EXPECT_TRUE(found.at(1).contains(QStringLiteral("Mens.txt")));
    EXPECT_NE(found.at(0), found.at(1)); // the help names the report file on two lines
    EXPECT_EQ(found.at(2), found.at(0)); // and the search starts over after the last
    EXPECT_EQ(found.at(3), QStringLiteral("lblBuscar = \"No se encontró «palabra que no está».\""));
    EXPECT_TRUE(output.contains(QStringLiteral("closed frmAyuda")));
}

} // namespace
} // namespace qel::batch
