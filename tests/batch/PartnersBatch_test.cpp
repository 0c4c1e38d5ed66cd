#include "batch/BatchRunner.h"
#include "store/RowCheckCode.h"
#include "store/TableCatalog.h"
#include "support/FormServices.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QSqlQuery>
#include <QTextStream>
#include <gtest/gtest.h>

namespace qel::batch {
namespace {

const QString kRuc = QStringLiteral("20100113610");

QString script(const QString& name) {
    QFile file(QStringLiteral(QEL_TEST_DATA_DIR "/batch/") + name);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
    return QString::fromUtf8(file.readAll());
}

// A script fills the principal partners through the partners' window, deletes one, modifies
// another and saves: the stored rows carry their check codes and the partners' rules are met.
TEST(PartnersBatch, PartnersAddedModifiedDeletedAndSaved) {
    test::TempDatabase database;
    test::registerTaxpayer(database.db(), kRuc, QStringLiteral("COMERCIAL ANDINA S.A.C."), QStringLiteral("CONTADOR"));
    QString output;
    QString errors;
    QTextStream out(&output);
    QTextStream err(&errors);
    BatchRunner runner(database.db(), out, err,
                       {QStringLiteral("2018"), QStringLiteral("0588"), QStringLiteral("CONTADOR")});
    ASSERT_EQ(runner.run(script(QStringLiteral("partners.txt"))), BatchRunner::kDone)
        << errors.toStdString() << output.toStdString();
    out.flush();

    for (const char* expected : {
             "window frmDetalleSocios 1 -\n",
             "control cboTipoSocio combo\ncontrol cboTipoDoc combo\ncontrol txtNroDoc text\n",
             "message critical \"\" \"La cantidad ingresada supera el máximo permitido.\"\n",
             "Porcentaje = \"10.01\" enabled\n",
             "closed frmDetalleSocios \"\"\n",
             "row 4: P.JURIDICA NO DOMICILIADA | HOLDING DEL SUR LTD | DOC.TRIB. | X998877 |  | ESTADOS UNIDOS | 10.00 "
             "| \n",
             "question \"",
             "\"Desea eliminar los datos del socio ?\" -> Si\n",
             "window frmDetalleSocios 2 -\n",
             "nro_doc_socio = \"40123456\" disabled\n",
             "row 1: P.NATURAL DOMICILIADA | PEÑA DIAZ JUAN | DNI | 40123456 | 15/03/1970 | PERU | 50.00 | "
             "01/02/1990\n",
             "rows grdPricipalesSocios total 3\n",
             "lblTotalSocios = \"Total % de participación sobre el capital : 100.00\" enabled\n",
         }) {
        EXPECT_TRUE(output.contains(QString::fromUtf8(expected))) << expected << "\n---\n" << output.toStdString();
    }
    EXPECT_FALSE(output.contains(QStringLiteral("principales socios"), Qt::CaseInsensitive)) << output.toStdString();
    EXPECT_FALSE(output.contains(QStringLiteral("100 principales"), Qt::CaseInsensitive));

    // The stored partners, each with the check code of its own values.
    const store::TableLayout layout =
        store::TableCatalog::instance().layout(QStringLiteral("F535SOCIOS"), store::Copy::Permanent);
    QSqlQuery rows = database.db().run(QStringLiteral("SELECT * FROM F535SOCIOS ORDER BY Porcentaje"));
    QList<double> shares;
    while (rows.next()) {
        QVariantList values;
        for (int i = 0; i < layout.columns.size(); ++i) {
            values.append(rows.value(i));
        }
        const QString code = values.last().toString();
        EXPECT_NE(code, QStringLiteral("000000"));
        EXPECT_EQ(code, store::RowCheckCode(values, layout.columnTypes(), layout.keyCount));
        shares.append(rows.value(QStringLiteral("Porcentaje")).toDouble());
    }
    EXPECT_EQ(shares, QList<double>({20, 30, 50}));
}

} // namespace
} // namespace qel::batch
