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
        return testing::firstColumn(db(), QStringLiteral("SELECT %1 FROM %2 ORDER BY rowid").arg(field, table))
            .join(u',');
    }
    void addPartners(int count, double share) {
        for (int i = 0; i < count; ++i) {
            QVariantMap partner = testing::fields("tipo_socio=01; tipo_doc_socio=1");
            partner.insert(QStringLiteral("nro_doc_socio"), QString::number(10000000 + i));
            partner.insert(QStringLiteral("Porcentaje"), share);
            addRow(QStringLiteral("TMPF535SOCIOS"), partner);
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

TEST_F(AnnexButtonsTest, ModifyNeedsASelectionThenHandsTheRowKey) {
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
                                testing::fields("TIPO_SOCIO=02; tipo_doc_socio=6; nro_doc_socio=20100070970"));
    model->clickCommand(QStringLiteral("cmdSocios"), 1);
    EXPECT_EQ(opener.requests.last().keyValues, QStringList({"02", "6", "20100070970"}));
}

// The delete takes exactly the selected row, found by the annex's key columns: of two rows
// that differ only in their last key column, the first one is selected.
TEST_F(AnnexButtonsTest, DeleteRemovesTheSelectedRowByItsKey) {
    struct Case {
        const char* question;
        const char* array;
        const char* grid;
        const char* table;
        const char* key;  // the key columns both rows share
        const char* last; // the key column that tells them apart, and its two values
        const char* first;
        const char* second;
        const char* confirmation;
    };
    const QList<Case> cases = {
        {"OptAlquileres", "cmdAlquileres", "grdAlquileres", "TMPF582ALQUILER", "tipo_doc=6; nro_doc=20100070970",
         "correl_pred", "1", "2", "¿Desea eliminar los datos del alquiler?"},
        {"OptRegalias", "cmdRegalias", "grdRegalias", "TMPF535REGALIAS", "tip_documento=6; num_documento=1",
         "fec_contrato", "2018-05-01", "2018-06-01", "Desea eliminar los datos de la regalía ?"},
        {"OptOperFinAdmin", "cmdOperAdminis", "grdAdmistOperaciones", "TMPF542OPERFIN",
         "ind_tipo_oper=1; tip_documento=6; num_documento=1", "correl_cont", "1", "2",
         "Desea eliminar los datos de la operacion ?"},
        {"optAutos", "cmdVehiculos", "grdVehiculos", "TMPF584VEHIC", "cod_categ=A2", "des_placa", "D'1-23", "XYZ-99",
         "¿ Esta seguro de eliminar el registro ? "},
    };
    const auto text = [](const char* t) { return QString::fromUtf8(t); };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.array);
        const QString array = text(c.array);
        const QString table = text(c.table);
        model->clickOption(text(c.question), 1);
        for (const char* value : {c.first, c.second}) {
            QVariantMap row = testing::fields(c.key);
            row.insert(text(c.last), text(value));
            addRow(table, row);
        }

        prompter->expectMessage(QStringLiteral("Tiene que seleccionar registro a eliminar."), Icon::Critical,
                                QStringLiteral("Error"));
        model->clickCommand(array, 2);

        model->selectGridRow(text(c.grid), 0);
        for (const Button answer : {Button::No, Button::Yes}) {
            prompter->expectQuestion(text(c.confirmation), answer, Icon::Question);
            model->clickCommand(array, 2);
            EXPECT_EQ(rows(table), answer == Button::No ? 2 : 1);
        }
        EXPECT_EQ(column(table, text(c.last)), text(c.second));
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

// A button whose annex has nothing to act on, or lacks what it needs, says so and opens nothing.
TEST_F(AnnexButtonsTest, RefusalsOpenNoWindow) {
    struct Case {
        const char* question;
        const char* array;
        int index;
        const char* message;
        const char* title; // nullptr: whatever the title
    };
    for (const Case& c :
         {Case{"", "cmdSocios", 1, " No existen registros para modificar", ""},
          Case{"OptRegalias", "cmdRegalias", 1, "No existen datos para modificar.", "Error"},
          Case{"OptAlquileres", "cmdAlquileres", 2, "No existen registros para eliminar.", nullptr},
          Case{"optDesuso", "cmdDistribucion", 2, "No existen datos para eliminar.", nullptr},
          Case{"OptHidrocarburos", "cmdHidrocarburos", 1, "No existen lotes para modificar.", nullptr},
          Case{"OptMineria", "cmdMineria", 0, "Debe registrar el número de concesiones mineras.", nullptr}}) {
        SCOPED_TRACE(c.array);
        if (*c.question != '\0') {
            model->clickOption(QString::fromUtf8(c.question), 1);
        }
        if (c.title == nullptr) {
            prompter->expectMessage(QString::fromUtf8(c.message), Icon::Critical);
        } else {
            prompter->expectMessage(QString::fromUtf8(c.message), Icon::Critical, QString::fromUtf8(c.title));
        }
        model->clickCommand(QString::fromUtf8(c.array), c.index);
    }
    EXPECT_TRUE(opener.requests.isEmpty());

    // With their count the concessions open.
    model->typeKey(228, QLatin1Char('2'));
    model->clickCommand(QStringLiteral("cmdMineria"), 0);
    ASSERT_EQ(opener.requests.size(), 1);
    EXPECT_EQ(opener.requests.at(0).name, QStringLiteral("frmDetalleMineras"));
}

TEST_F(AnnexButtonsTest, ForeignIncomeReportIsWrittenBesideTheDatabase) {
    model->clickOption(QStringLiteral("optRentasInternacionales"), 1);
    addRow(QStringLiteral("TMPF586IDERTA"),
           testing::fields("correl_rta=1; cod_renta=01; des_pais=CHILE; mto_renta=1500"));
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
