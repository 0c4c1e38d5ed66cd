#include "AnnexFixture.h"
#include "annexes/AnnexGridModel.h"

namespace qel::annexes {
namespace {

using app::Button;
using app::Icon;

class AnnexGridModelTest : public testing::AnnexFixture {
protected:
    AnnexGridModel& grid(const QString& name) {
        const AnnexGridDef& def = *AnnexCatalog::instance().grid(name);
        const auto [sql, values] = AnnexGridModel::rowsOf(def, key());
        rowsModel = std::make_unique<AnnexGridModel>(
            db(), def.table, sql, values,
            QList<AnnexGridColumn>{{QStringLiteral("tipo_socio"), QStringLiteral("Tipo"), QStringLiteral("841")},
                                   {QStringLiteral("tipo_doc_socio"), QStringLiteral("Doc"), QStringLiteral("044")},
                                   {QStringLiteral("nro_doc_socio"), QStringLiteral("Número"), QString()},
                                   {QStringLiteral("fec_nac_socio"), QStringLiteral("Nacimiento"), QString()},
                                   {QStringLiteral("Porcentaje"), QStringLiteral("%"), QString()}});
        rowsModel->refresh();
        return *rowsModel;
    }
    void addPartner(const QString& number, int docType = 1) {
        test::insertRow(db(), QStringLiteral("TMPF535SOCIOS"), key(),
                        {{QStringLiteral("tipo_socio"), QStringLiteral("01")},
                         {QStringLiteral("tipo_doc_socio"), docType},
                         {QStringLiteral("nro_doc_socio"), number},
                         {QStringLiteral("fec_nac_socio"), QStringLiteral("1970-03-15")},
                         {QStringLiteral("Porcentaje"), 12.5}});
    }
    const AnnexGridDef& partners() { return *AnnexCatalog::instance().grid(QStringLiteral("cmdSocios")); }

    std::unique_ptr<AnnexGridModel> rowsModel;
};

TEST_F(AnnexGridModelTest, RowsShowDescriptionsDatesAndAmounts) {
    addPartner(QStringLiteral("40000001"));
    addPartner(QStringLiteral("20100047218"), 6);
    AnnexGridModel& g = grid(QStringLiteral("grdPricipalesSocios"));
    ASSERT_EQ(g.rowCount(), 2);
    EXPECT_EQ(g.rowTexts(0), QStringList({"P.NATURAL DOMICILIADA", "DNI", "40000001", "15/03/1970", "12.50"}));
    EXPECT_EQ(g.rowTexts(1).at(1), QStringLiteral("RUC"));
    EXPECT_EQ(g.headerData(4, Qt::Horizontal).toString(), QStringLiteral("%"));
}

// The delete asks with No as the default; Yes deletes the selected row only, and the position
// stays where a row still is.
TEST_F(AnnexGridModelTest, DeleteAsksAndKeepsThePosition) {
    for (const char* number : {"40000001", "40000002", "40000003"}) {
        addPartner(QString::fromLatin1(number));
    }
    AnnexGridModel& g = grid(QStringLiteral("grdPricipalesSocios"));
    g.select(1);
    prompter->expectQuestion(QStringLiteral("Desea eliminar los datos del socio ?"), Button::No, Icon::Question);
    EXPECT_FALSE(g.removeSelected(partners(), key(), *prompter, QString()));
    EXPECT_EQ(rows(QStringLiteral("TMPF535SOCIOS")), 3);

    prompter->expectQuestion(QStringLiteral("Desea eliminar los datos del socio ?"), Button::Yes, Icon::Question);
    EXPECT_TRUE(g.removeSelected(partners(), key(), *prompter, QString()));
    EXPECT_EQ(column(QStringLiteral("TMPF535SOCIOS"), QStringLiteral("nro_doc_socio")),
              QStringLiteral("40000001,40000003"));
    EXPECT_EQ(g.current(), 1);

    g.select(1);
    prompter->expectQuestion(QStringLiteral("Desea eliminar los datos del socio ?"), Button::Yes);
    EXPECT_TRUE(g.removeSelected(partners(), key(), *prompter, QString()));
    EXPECT_EQ(g.current(), 0); // the last row went: the new last row
}

} // namespace
} // namespace qel::annexes
