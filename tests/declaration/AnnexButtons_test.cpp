#include "FormFixture.h"
#include "declaration/commands/AnnexButtons.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <gtest/gtest.h>

namespace qel::declaration {
namespace {

using namespace Qt::StringLiterals;

using app::Button;
using app::Icon;

const QString kRuc = u"20100070970"_s;

class AnnexButtonsTest : public testing::FormFixture {
protected:
    void SetUp() override {
        test::registerTaxpayer(db(), kRuc, u"D'ONOFRIO S.A."_s);
        makeModel();
        attachCalculation();
        attach<AnnexButtons>();
        load(kRuc);
    }

    QString column(const QString& table, const QString& field) {
        return testing::firstColumn(db(), u"SELECT %1 FROM %2 ORDER BY rowid"_s.arg(field, table)).join(u',');
    }
    void addPartners(int count, double share) {
        for (int i = 0; i < count; ++i) {
            addRow(u"TMPF535SOCIOS"_s, testing::fields(u"tipo_socio=01; tipo_doc_socio=1; nro_doc_socio=%1; "
                                                       "Porcentaje=%2"_s.arg(10000000 + i)
                                                           .arg(share)));
        }
    }
};

TEST_F(AnnexButtonsTest, TheHundredAndFirstPartnerIsRefusedWithTheCount) {
    addPartners(99, 0.5);
    model->clickCommand(u"cmdSocios"_s, 0);
    EXPECT_EQ(opener.requests.size(), 1);
    addPartners(1, 0.5);
    prompter->expectMessage(u" Solo deben registrarse los 100 principales socios. Estan registrados 100"_s,
                            Icon::Critical);
    model->clickCommand(u"cmdSocios"_s, 0);
    EXPECT_EQ(opener.requests.size(), 1);
}

// Modify needs a selected row (the partners script modifies one by its position); what the
// window says of its row wins over the position.
TEST_F(AnnexButtonsTest, ModifyNeedsASelectionThenHandsTheRowKey) {
    addPartners(3, 10);
    prompter->expectMessage(u"Tiene que seleccionar el registro a modificar."_s, Icon::Critical, u"Error"_s);
    model->clickCommand(u"cmdSocios"_s, 1);
    EXPECT_TRUE(opener.requests.isEmpty());

    model->selectGridRow(u"grdPricipalesSocios"_s, 1);
    model->setSelectedRowValues(u"grdPricipalesSocios"_s,
                                testing::fields("TIPO_SOCIO=02; tipo_doc_socio=6; nro_doc_socio=20100070970"));
    model->clickCommand(u"cmdSocios"_s, 1);
    ASSERT_EQ(opener.requests.size(), 1);
    EXPECT_EQ(opener.requests.at(0).action, app::FormRequest::kModify);
    EXPECT_EQ(opener.requests.at(0).keyValues, QStringList({"02", "6", "20100070970"}));
    EXPECT_EQ(opener.requests.at(0).key->ruc, kRuc);
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
            addRow(table, testing::fields(u"%1; %2=%3"_s.arg(text(c.key), text(c.last), text(value))));
        }

        prompter->expectMessage(u"Tiene que seleccionar registro a eliminar."_s, Icon::Critical, u"Error"_s);
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
    model->clickOption(u"OptColab"_s, 1);
    for (const char* contract : {"1", "2"}) {
        addRow(u"TMPF582COLCAB"_s, {{u"cod_contrato"_s, QString::fromUtf8(contract)}});
        addRow(u"TMPF582COLDET"_s, {{u"cod_contrato"_s, QString::fromUtf8(contract)}});
    }
    model->selectGridRow(u"grdColab"_s, 0);
    prompter->expectQuestion(u"¿Desea eliminar los datos del contrato de colaboracion empresarial ?"_s, Button::Yes,
                             Icon::Question);
    model->clickCommand(u"cmdColabEmp"_s, 2);
    EXPECT_EQ(column(u"TMPF582COLCAB"_s, u"cod_contrato"_s), u"2"_s);
    EXPECT_EQ(column(u"TMPF582COLDET"_s, u"cod_contrato"_s), u"2"_s);
}

// A button opens its window with the window's code; one whose annex has nothing to act on, or
// lacks what it needs, says so and opens nothing.
TEST_F(AnnexButtonsTest, ButtonsOpenTheirWindowOrSayWhyNot) {
    struct Case {
        const char* question; // answered Si first, when given
        const char* array;
        int index;
        const char* window; // nullptr: refused with the message
        const char* code;
        const char* message = nullptr;
        const char* title = nullptr; // nullptr: whatever the title
    };
    for (const Case& c :
         {Case{"OptAlquileres", "cmdAlquileres", 3, "frmImportarGastoPresent", "11"},
          Case{"OptAlquileres", "cmdAlquileres", 0, "frmDetalleAlquileres", ""},
          Case{"OptOperAdminFin", "cmdAdministradorOper", 0, "frmOperacFinancieras", "2"},
          Case{"Opttecno", "cmdIndirecto", 0, "frmDetalleDirecto", "2"},
          Case{"optRentasInternacionales", "cmdInternacional", 0, "frmrentaInternacional", "4"},
          Case{"", "cmdExportaciones", 3, "frmImportarGastoPresent", "5"},
          Case{"", "cmdSocios", 1, nullptr, nullptr, " No existen registros para modificar", ""},
          Case{"OptRegalias", "cmdRegalias", 1, nullptr, nullptr, "No existen datos para modificar.", "Error"},
          Case{"OptAlquileres", "cmdAlquileres", 2, nullptr, nullptr, "No existen registros para eliminar."},
          Case{"optDesuso", "cmdDistribucion", 2, nullptr, nullptr, "No existen datos para eliminar."},
          Case{"OptHidrocarburos", "cmdHidrocarburos", 1, nullptr, nullptr, "No existen lotes para modificar."},
          Case{"OptMineria", "cmdMineria", 0, nullptr, nullptr, "Debe registrar el número de concesiones mineras."}}) {
        SCOPED_TRACE(std::string(c.array) + " " + std::to_string(c.index));
        if (*c.question != '\0') {
            model->clickOption(QString::fromUtf8(c.question), 1);
        }
        if (c.message != nullptr) {
            prompter->expectMessage(QString::fromUtf8(c.message), Icon::Critical,
                                    c.title ? std::optional(QString::fromUtf8(c.title)) : std::nullopt);
        }
        opener.requests.clear();
        model->clickCommand(QString::fromUtf8(c.array), c.index);
        ASSERT_EQ(opener.requests.size(), c.window != nullptr ? 1 : 0);
        if (c.window != nullptr) {
            EXPECT_EQ(opener.requests.at(0).name, QString::fromUtf8(c.window));
            EXPECT_EQ(opener.requests.at(0).code, QString::fromUtf8(c.code));
        }
    }
    // With their count the concessions open.
    model->typeKey(228, QLatin1Char('2'));
    model->clickCommand(u"cmdMineria"_s, 0);
    ASSERT_EQ(opener.requests.size(), 1);
    EXPECT_EQ(opener.requests.at(0).name, u"frmDetalleMineras"_s);
}

TEST_F(AnnexButtonsTest, ForeignIncomeReportIsWrittenBesideTheDatabase) {
    model->clickOption(u"optRentasInternacionales"_s, 1);
    addRow(u"TMPF586IDERTA"_s, testing::fields("correl_rta=1; cod_renta=01; des_pais=CHILE; mto_renta=1500"));
    const QString folder = QDir::toNativeSeparators(database.folder());
    prompter->expectMessage(u"La declaración se encuentra en el directorio "_s + folder +
                                u" con el nombre: 20100070970_QELRI.txt"_s,
                            Icon::Information);
    model->clickCommand(u"cmdInternacional"_s, 3);

    QFile file(database.folder() + u"/20100070970_QELRI.txt"_s);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(file.readAll()).contains(u"1|01||CHILE||1500"_s));
}

} // namespace
} // namespace qel::declaration
