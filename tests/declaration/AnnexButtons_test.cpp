#include "FormFixture.h"
#include "declaration/commands/AnnexButtons.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <gtest/gtest.h>

namespace qel::declaration {
namespace {

using app::Button;
using app::Icon;

const QString kRuc = QStringLiteral("20100070970");

class AnnexButtonsTest : public testing::FormFixture {
protected:
    void SetUp() override {
        test::registerTaxpayer(db(), kRuc, QStringLiteral("D'ONOFRIO S.A."));
        makeModel();
        attachCalculation();
        attach<AnnexButtons>();
        load(kRuc);
    }

    void addRow(const QString& table, const QVariantMap& values) {
        test::insertRow(db(), table, test::demoKey(kRuc), values);
    }
    int rows(const QString& table) { return test::rowCount(db(), table, test::demoKey(kRuc)); }
    QString column(const QString& table, const QString& field) {
        QSqlQuery values = db().run(QStringLiteral("SELECT %1 FROM %2 ORDER BY rowid").arg(field, table));
        QStringList texts;
        while (values.next()) {
            texts << values.value(0).toString();
        }
        return texts.join(QLatin1Char(','));
    }
    void addPartners(int count, double share) {
        for (int i = 0; i < count; ++i) {
            addRow(QStringLiteral("TMPF535SOCIOS"),
                   {{QStringLiteral("tipo_socio"), QStringLiteral("01")},
                    {QStringLiteral("tipo_doc_socio"), 1},
                    {QStringLiteral("nro_doc_socio"), QStringLiteral("%1").arg(10000000 + i)},
                    {QStringLiteral("Porcentaje"), share}});
        }
    }
};

TEST_F(AnnexButtonsTest, TheHundredAndFirstPartnerIsRefusedWithTheCount) {
    addPartners(99, 0.5);
    model->clickCommand(QStringLiteral("cmdSocios"), 0);
    ASSERT_EQ(opener.requests.size(), 1);
    EXPECT_EQ(opener.requests.at(0).name, QStringLiteral("frmDetalleSocios"));
    EXPECT_EQ(opener.requests.at(0).action, app::FormRequest::kAdd);

    addPartners(1, 0.5);
    prompter->expectMessage(QStringLiteral(" Solo deben registrarse los 100 principales socios. Estan registrados 100"),
                            Icon::Critical);
    model->clickCommand(QStringLiteral("cmdSocios"), 0);
    EXPECT_EQ(opener.requests.size(), 1);
}

TEST_F(AnnexButtonsTest, ModifyNeedsRowsAndASelectionThenHandsTheRowKey) {
    prompter->expectMessage(QStringLiteral(" No existen registros para modificar"), Icon::Critical, QString());
    model->clickCommand(QStringLiteral("cmdSocios"), 1);

    addPartners(3, 10);
    prompter->expectMessage(QStringLiteral("Tiene que seleccionar el registro a modificar."), Icon::Critical,
                            QStringLiteral("Error"));
    model->clickCommand(QStringLiteral("cmdSocios"), 1);
    EXPECT_TRUE(opener.requests.isEmpty());

    model->selectGridRow(QStringLiteral("grdPricipalesSocios"), 1);
    model->clickCommand(QStringLiteral("cmdSocios"), 1);
    ASSERT_EQ(opener.requests.size(), 1);
    const app::FormRequest& request = opener.requests.at(0);
    EXPECT_EQ(request.name, QStringLiteral("frmDetalleSocios"));
    EXPECT_EQ(request.action, app::FormRequest::kModify);
    EXPECT_EQ(request.keyValues, QStringList({"01", "1", "10000001"}));
    EXPECT_EQ(request.key->ruc, kRuc);

    // What the window says of its row wins over the position.
    model->setSelectedRowValues(QStringLiteral("grdPricipalesSocios"),
                                {{QStringLiteral("TIPO_SOCIO"), QStringLiteral("02")},
                                 {QStringLiteral("tipo_doc_socio"), 6},
                                 {QStringLiteral("nro_doc_socio"), QStringLiteral("20100070970")}});
    model->clickCommand(QStringLiteral("cmdSocios"), 1);
    EXPECT_EQ(opener.requests.last().keyValues, QStringList({"02", "6", "20100070970"}));

    model->clickOption(QStringLiteral("OptRegalias"), 1);
    prompter->expectMessage(QStringLiteral("No existen datos para modificar."), Icon::Critical,
                            QStringLiteral("Error"));
    model->clickCommand(QStringLiteral("cmdRegalias"), 1);
}

// The delete takes exactly the selected row, found by the annex's key columns.
TEST_F(AnnexButtonsTest, DeleteRemovesTheSelectedRowByItsKey) {
    struct Case {
        const char* question;
        const char* array;
        const char* grid;
        const char* table;
        QVariantMap first;
        QVariantMap second;
        const char* confirmation;
        const char* kept; // column whose remaining value names the row left
    };
    const auto text = [](const char* t) { return QString::fromUtf8(t); };
    const QList<Case> cases = {
        {"OptAlquileres",
         "cmdAlquileres",
         "grdAlquileres",
         "TMPF582ALQUILER",
         {{text("tipo_doc"), 6}, {text("nro_doc"), text("20100070970")}, {text("correl_pred"), 1}},
         {{text("tipo_doc"), 6}, {text("nro_doc"), text("20100070970")}, {text("correl_pred"), 2}},
         "¿Desea eliminar los datos del alquiler?",
         "correl_pred"},
        {"OptRegalias",
         "cmdRegalias",
         "grdRegalias",
         "TMPF535REGALIAS",
         {{text("tip_documento"), 6}, {text("num_documento"), text("1")}, {text("fec_contrato"), text("2018-05-01")}},
         {{text("tip_documento"), 6}, {text("num_documento"), text("1")}, {text("fec_contrato"), text("2018-06-01")}},
         "Desea eliminar los datos de la regalía ?",
         "fec_contrato"},
        {"OptOperFinAdmin",
         "cmdOperAdminis",
         "grdAdmistOperaciones",
         "TMPF542OPERFIN",
         {{text("ind_tipo_oper"), 1},
          {text("correl_cont"), 1},
          {text("tip_documento"), 6},
          {text("num_documento"), text("1")}},
         {{text("ind_tipo_oper"), 1},
          {text("correl_cont"), 2},
          {text("tip_documento"), 6},
          {text("num_documento"), text("1")}},
         "Desea eliminar los datos de la operacion ?",
         "correl_cont"},
        {"optAutos",
         "cmdVehiculos",
         "grdVehiculos",
         "TMPF584VEHIC",
         {{text("cod_categ"), text("A2")}, {text("des_placa"), text("D'1-23")}},
         {{text("cod_categ"), text("A2")}, {text("des_placa"), text("XYZ-99")}},
         "¿ Esta seguro de eliminar el registro ? ",
         "des_placa"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.array);
        const QString array = text(c.array);
        const QString table = text(c.table);
        model->clickOption(text(c.question), 1);
        addRow(table, c.first);
        addRow(table, c.second);

        prompter->expectMessage(QStringLiteral("Tiene que seleccionar registro a eliminar."), Icon::Critical,
                                QStringLiteral("Error"));
        model->clickCommand(array, 2);

        model->selectGridRow(text(c.grid), 0);
        prompter->expectQuestion(text(c.confirmation), Button::No, Icon::Question);
        model->clickCommand(array, 2);
        EXPECT_EQ(rows(table), 2);

        prompter->expectQuestion(text(c.confirmation), Button::Yes, Icon::Question);
        model->clickCommand(array, 2);
        EXPECT_EQ(rows(table), 1);
        EXPECT_EQ(column(table, text(c.kept)), c.second.value(text(c.kept)).toString());
        model->selectGridRow(text(c.grid), -1);
    }
}

TEST_F(AnnexButtonsTest, DeletingAContractTakesItsParticipants) {
    model->clickOption(QStringLiteral("OptColab"), 1);
    for (const char* contract : {"1", "2"}) {
        addRow(QStringLiteral("TMPF582COLCAB"), {{QStringLiteral("cod_contrato"), QString::fromUtf8(contract)}});
        addRow(QStringLiteral("TMPF582COLDET"), {{QStringLiteral("cod_contrato"), QString::fromUtf8(contract)}});
    }
    model->selectGridRow(QStringLiteral("grdColab"), 0);
    prompter->expectQuestion(QStringLiteral("¿Desea eliminar los datos del contrato de colaboracion empresarial ?"),
                             Button::Yes, Icon::Question);
    model->clickCommand(QStringLiteral("cmdColabEmp"), 2);
    EXPECT_EQ(column(QStringLiteral("TMPF582COLCAB"), QStringLiteral("cod_contrato")), QStringLiteral("2"));
    EXPECT_EQ(column(QStringLiteral("TMPF582COLDET"), QStringLiteral("cod_contrato")), QStringLiteral("2"));
}

TEST_F(AnnexButtonsTest, EmptyGridsGiveTheAnnexOwnMessages) {
    model->clickOption(QStringLiteral("OptAlquileres"), 1);
    prompter->expectMessage(QStringLiteral("No existen registros para eliminar."), Icon::Critical);
    model->clickCommand(QStringLiteral("cmdAlquileres"), 2);

    model->clickOption(QStringLiteral("optDesuso"), 1);
    prompter->expectMessage(QStringLiteral("No existen datos para eliminar."), Icon::Critical);
    model->clickCommand(QStringLiteral("cmdDistribucion"), 2);

    model->clickOption(QStringLiteral("OptHidrocarburos"), 1);
    prompter->expectMessage(QStringLiteral("No existen lotes para modificar."), Icon::Critical);
    model->clickCommand(QStringLiteral("cmdHidrocarburos"), 1);
    EXPECT_TRUE(opener.requests.isEmpty());
}

TEST_F(AnnexButtonsTest, WindowsReceiveTheirCodes) {
    struct Case {
        const char* question;
        const char* array;
        int index;
        const char* window;
        const char* code;
    };
    for (const Case& c : {Case{"OptAlquileres", "cmdAlquileres", 3, "frmImportarGastoPresent", "11"},
                          Case{"OptAlquileres", "cmdAlquileres", 0, "frmDetalleAlquileres", ""},
                          Case{"OptOperAdminFin", "cmdAdministradorOper", 0, "frmOperacFinancieras", "2"},
                          Case{"Opttecno", "cmdIndirecto", 0, "frmDetalleDirecto", "2"},
                          Case{"optRentasInternacionales", "cmdInternacional", 0, "frmrentaInternacional", "4"},
                          Case{"", "cmdExportaciones", 3, "frmImportarGastoPresent", "5"}}) {
        SCOPED_TRACE(c.array);
        if (*c.question != '\0') {
            model->clickOption(QString::fromUtf8(c.question), 1);
        }
        opener.requests.clear();
        ASSERT_TRUE(model->clickCommand(QString::fromUtf8(c.array), c.index));
        ASSERT_EQ(opener.requests.size(), 1);
        EXPECT_EQ(opener.requests.at(0).name, QString::fromUtf8(c.window));
        EXPECT_EQ(opener.requests.at(0).code, QString::fromUtf8(c.code));
    }
}

TEST_F(AnnexButtonsTest, ConcessionsWaitForTheirCount) {
    model->clickOption(QStringLiteral("OptMineria"), 1);
    prompter->expectMessage(QStringLiteral("Debe registrar el número de concesiones mineras."), Icon::Critical);
    model->clickCommand(QStringLiteral("cmdMineria"), 0);
    EXPECT_TRUE(opener.requests.isEmpty());

    model->typeKey(228, QLatin1Char('2'));
    model->clickCommand(QStringLiteral("cmdMineria"), 0);
    ASSERT_EQ(opener.requests.size(), 1);
    EXPECT_EQ(opener.requests.at(0).name, QStringLiteral("frmDetalleMineras"));
}

TEST_F(AnnexButtonsTest, ForeignIncomeReportIsWrittenBesideTheDatabase) {
    model->clickOption(QStringLiteral("optRentasInternacionales"), 1);
    addRow(QStringLiteral("TMPF586IDERTA"), {{QStringLiteral("correl_rta"), 1},
                                             {QStringLiteral("cod_renta"), QStringLiteral("01")},
                                             {QStringLiteral("des_pais"), QStringLiteral("CHILE")},
                                             {QStringLiteral("mto_renta"), QStringLiteral("1500")}});
    const QString folder = QDir::toNativeSeparators(database.folder());
    prompter->expectMessage(QStringLiteral("La declaración se encuentra en el directorio ") + folder +
                                QStringLiteral(" con el nombre: 20100070970_QELRI.txt"),
                            Icon::Information);
    model->clickCommand(QStringLiteral("cmdInternacional"), 3);

    QFile file(database.folder() + QStringLiteral("/20100070970_QELRI.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(file.readAll()).contains(QStringLiteral("1|01||CHILE||1500")));
}

} // namespace
} // namespace qel::declaration
