#include "ScriptFixture.h"
#include "declaration/ValidationFixture.h"
#include "declaration/model/WorkingCasillas.h"

#include <QRegularExpression>
#include <functional>

namespace qel::declaration {
namespace {

using namespace Qt::StringLiterals;

const QString kAllClear = u"La información de la declaración no presenta inconsistencias."_s;

// A payment by cheque of a bank.
std::function<void(DeclarationFormModel&)> cheque(const QString& bank, const QString& number) {
    return [bank, number](DeclarationFormModel& model) {
        model.payment().kind = u"C"_s;
        model.payment().bank = bank;
        model.payment().cheque = number;
    };
}

class ValidateCommandTest : public testing::ValidationTest {
protected:
    void SetUp() override {
        ValidationTest::SetUp();
        QObject::connect(model.get(), &DeclarationFormModel::pageRequested,
                         [this](const QString& page, const QString& target) {
                             shownPage = page;
                             focus = target;
                         });
    }

    void clickValidar() { ASSERT_TRUE(model->clickCommand(u"cmdValidar"_s, 0)); }

    QString shownPage;
    QString focus;
};

// A refused validation names the missing data, takes the user to its control and leaves the
// declaration not validated.
TEST_F(ValidateCommandTest, RefusalsTakeTheUserToTheControl) {
    struct Case {
        std::function<void(DeclarationFormModel&)> spoil;
        const char* message;
        const char* page;
        const char* focus;
    };
    const QList<Case> cases = {
        {[](DeclarationFormModel& m) { m.setOption(u"OptITF"_s, -1); },
         "Debe contestar si ha efectuado el pago de mas del 15% de sus obligaciones sin utilizar dinero en efectivo o "
         "Medios de Pago.",
         "ident.general", "OptITF"},
        {[](DeclarationFormModel& m) { m.setOption(u"OpRegRenta"_s, -1); }, "Debe elegir el régimen de renta.",
         "ident.general", "OpRegRenta"},
        {[](DeclarationFormModel& m) { m.existenceMark = u"N"_s; },
         "La declaración que desea registrar ya existe, elija la opción modificar declaración o elija otro "
         "contribuyente.",
         "ident.general", "CmbRuc"},
        {cheque(u"XX"_s, u"123"_s), "Ingrese el banco.", "deuda", ""},
        {cheque(u"02"_s, u"0"_s), "Debe ingresar el número de cheque.", "deuda", ""},
        {cheque(u"02"_s, u"12A"_s), "Número de cheque no es válido.", "deuda", ""},
        // Last: the taxpayer is not chosen again.
        {[](DeclarationFormModel& m) { m.setComboIndex(u"CmbRuc"_s, -1); }, "Debe seleccionar un Contribuyente.",
         "ident.general", "CmbRuc"},
    };
    makeConsistent();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        model->setOption(u"OptITF"_s, 0);
        model->setOption(u"OpRegRenta"_s, 1);
        model->existenceMark = u"S"_s;
        model->payment() = {};
        model->formState = 0;
        shownPage.clear();
        c.spoil(*model);
        prompter->expectMessage(QString::fromUtf8(c.message), app::Icon::Critical);
        clickValidar();
        EXPECT_TRUE(prompter->verify());
        EXPECT_EQ(shownPage + u'|' + focus, QString::fromUtf8(c.page) + u'|' + QString::fromUtf8(c.focus));
        EXPECT_EQ(model->formState, 0);
        EXPECT_TRUE(opener.requests.isEmpty());
    }
}

// A declaration the check passes is reported clear after the warnings of less paid than owed
// (146 and 180 of the income tax, 165 and 181 of the ITF) and of vehicle expenses added (736)
// below casilla 704; one the check reports on opens the report window. Either way it counts as
// validated, and the report's acceptance stands only while there is a report.
TEST_F(ValidateCommandTest, WarningsThenTheAllClearOrTheReport) {
    const QString debt = u"La KOLVA le podrá notificar una Orden de Pago por la diferencia "_s;
    const QString vehicles =
        u"Sr. Contribuyente, el importe del asistente de la casilla 103 correspondiente a gastos incurridos en "
        "vehículos de las categorías A2, A3 y A4 para determinar la renta imponible es menor a la informada en la "
        "casilla 704. Por favor verificar esta información para evitar inconsistencias."_s;
    struct Case {
        const char* amounts; // 146, 180, 165, 181
        const char* added;   // 736
        QStringList warnings;
        bool reported = false;
    };
    const QList<Case> cases = {
        {"1000 400  ", "500", {debt + u"               de Renta de Tercera Categoría en su buzón VEL."_s}},
        {"  50 0", "500", {debt + u"             de ITF en su buzón VEL."_s}},
        {"1000 0 50 10", "500", {debt + u"            de Renta de Tercera Categoría e ITF en su buzón VEL."_s}},
        {"1000 1000 50 50", "500", {}},
        {"", "499", {vehicles}},
        {"", "500", {}, true}, // last: a mobile too short to be one
    };
    makeConsistent();
    model->setText(704, u"500"_s);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.amounts + std::string(" / ") + c.added);
        const QStringList amounts = QString::fromLatin1(c.amounts).split(u' ');
        for (int i = 0; i < 4; ++i) {
            model->setText(QList<int>{146, 180, 165, 181}.at(i), amounts.value(i));
        }
        model->payment().kind = u"E"_s; // cash
        WorkingCasillas::store(db(), model->key(), {{736, QString::fromLatin1(c.added)}});
        for (const QString& warning : c.warnings) {
            prompter->expectMessage(warning, app::Icon::Information);
        }
        model->acceptedMark = u"A"_s;
        model->formState = 0;
        opener.requests.clear();
        if (c.reported) {
            typeControl("txtTelCon2", u"999"_s);
            opener.answer = u"A"_s;
        } else {
            prompter->expectMessage(kAllClear, app::Icon::Exclamation);
        }
        clickValidar();
        EXPECT_TRUE(prompter->verify());
        EXPECT_EQ(model->formState, 2);
        EXPECT_EQ(model->acceptedMark, c.reported ? u"A"_s : QString());
        EXPECT_EQ(opener.requests.size(), c.reported ? 1 : 0);
    }
    EXPECT_EQ(opener.requests.value(0).name, u"FrmConsist"_s);
    EXPECT_EQ(reportLines().size(), 1);
}

// Without a taxpayer the check does not run: the message and no lines. A plain validate goes on
// past the report window, as scripts written before it ran expect, and prints what report does.
TEST(ValidateBatchTest, ReportAndValidatePrintTheReportLines) {
    testing::ScriptSession session(u"CONTADOR"_s, u"20100113610"_s, u"COMERCIAL ANDINA S.A.C."_s);
    QTemporaryDir folder;
    session.runner.setModuleFolder(folder.path());
    session.runDone(u"new\nreport\ntaxpayer 20100113610\nclick OptITF 0\nclick OpRegRenta 1\nreport\n"
                    "validate\nvalidate\nsave\n"_s);
    const QStringList lines = session.output.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    const auto firstTotal = lines.indexOf(u"report total 0"_s);
    ASSERT_GE(firstTotal, 1) << session.output.toStdString();
    EXPECT_TRUE(lines.at(firstTotal - 1).contains(u"Debe seleccionar un Contribuyente."_s));
    const QStringList totals = lines.filter(QRegularExpression(u"^report total [1-9]"_s));
    EXPECT_EQ(totals.size(), 3) << session.output.toStdString();
    EXPECT_EQ(totals.count(totals.value(0)), 3);
    EXPECT_EQ(lines.count(u"window FrmConsist 1 -"_s), 2);
    EXPECT_FALSE(session.output.contains(u"closed FrmConsist"_s));
}

} // namespace
} // namespace qel::declaration
