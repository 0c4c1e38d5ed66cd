#include "ScriptFixture.h"
#include "declaration/ValidationFixture.h"
#include "declaration/model/WorkingCasillas.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <functional>

namespace qel::declaration {
namespace {

const QString kAllClear = QStringLiteral("La información de la declaración no presenta inconsistencias.");
const QString kNoTaxpayer = QStringLiteral("Debe seleccionar un Contribuyente.");

// A payment by cheque of a bank.
std::function<void(DeclarationFormModel&)> cheque(const QString& bank, const QString& number) {
    return [bank, number](DeclarationFormModel& model) {
        model.payment().kind = QStringLiteral("C");
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

    void clickValidar() { ASSERT_TRUE(model->clickCommand(QStringLiteral("cmdValidar"), 0)); }

    QString shownPage;
    QString focus;
};

TEST_F(ValidateCommandTest, WithoutTaxpayerOnlyAsksForOne) {
    prompter->expectMessage(kNoTaxpayer, app::Icon::Critical);
    clickValidar();

    EXPECT_TRUE(prompter->verify());
    EXPECT_TRUE(opener.requests.isEmpty());
    EXPECT_EQ(focus, QStringLiteral("CmbRuc"));
    EXPECT_EQ(model->formState, 0);
}

TEST_F(ValidateCommandTest, AConsistentDeclarationIsReportedClear) {
    makeConsistent();
    model->acceptedMark = QStringLiteral("A");
    prompter->expectMessage(kAllClear, app::Icon::Exclamation);
    clickValidar();

    EXPECT_TRUE(prompter->verify());
    EXPECT_TRUE(opener.requests.isEmpty());
    EXPECT_TRUE(QFile::exists(reportPath()));
    EXPECT_TRUE(reportLines().isEmpty());
    EXPECT_EQ(model->formState, 2);
    EXPECT_TRUE(model->acceptedMark.isEmpty());
}

TEST_F(ValidateCommandTest, InconsistenciesOpenTheReportWindow) {
    makeConsistent();
    typeControl("txtTelCon2", QStringLiteral("999"));
    opener.answer = QStringLiteral("A");
    clickValidar();

    ASSERT_EQ(opener.requests.size(), 1);
    EXPECT_EQ(opener.requests.first().name, QStringLiteral("FrmConsist"));
    EXPECT_EQ(opener.requests.first().code, reportPath());
    EXPECT_EQ(reportLines().size(), 1);
    EXPECT_EQ(model->acceptedMark, QStringLiteral("A"));
    EXPECT_EQ(model->formState, 2);

    // After a save with inconsistencies the report opens again and counts as seen, however
    // the user leaves it.
    opener.requests.clear();
    opener.answer.clear();
    model->formState = 3;
    clickValidar();
    EXPECT_EQ(opener.requests.size(), 1);
    EXPECT_EQ(model->acceptedMark, QStringLiteral("A"));
    EXPECT_EQ(model->formState, 2);
}

TEST_F(ValidateCommandTest, RefusalsTakeTheUserToTheControl) {
    struct Case {
        std::function<void(DeclarationFormModel&)> spoil;
        const char* message;
        const char* page;
        const char* focus;
    };
    const QList<Case> cases = {
        {[](DeclarationFormModel& m) { m.setOption(QStringLiteral("OptITF"), -1); },
         "Debe contestar si ha efectuado el pago de mas del 15% de sus obligaciones sin utilizar dinero en efectivo o "
         "Medios de Pago.",
         "ident.general", "OptITF"},
        {[](DeclarationFormModel& m) { m.setOption(QStringLiteral("OpRegRenta"), -1); },
         "Debe elegir el régimen de renta.", "ident.general", "OpRegRenta"},
        {[](DeclarationFormModel& m) { m.existenceMark = QStringLiteral("N"); },
         "La declaración que desea registrar ya existe, elija la opción modificar declaración o elija otro "
         "contribuyente.",
         "ident.general", "CmbRuc"},
        {cheque(QStringLiteral("XX"), QStringLiteral("123")), "Ingrese el banco.", "deuda", ""},
        {cheque(QStringLiteral("02"), QStringLiteral("0")), "Debe ingresar el número de cheque.", "deuda", ""},
        {cheque(QStringLiteral("02"), QStringLiteral("12A")), "Número de cheque no es válido.", "deuda", ""},
    };
    makeConsistent();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        model->setOption(QStringLiteral("OptITF"), 0);
        model->setOption(QStringLiteral("OpRegRenta"), 1);
        model->existenceMark = QStringLiteral("S");
        model->payment() = {};
        model->formState = 0;
        c.spoil(*model);
        prompter->expectMessage(QString::fromUtf8(c.message), app::Icon::Critical);
        clickValidar();
        EXPECT_TRUE(prompter->verify());
        EXPECT_EQ(shownPage + u'|' + focus, QString::fromUtf8(c.page) + u'|' + QString::fromUtf8(c.focus));
        EXPECT_EQ(model->formState, 0); // refused: not validated
    }
}

// Less paid than owed, of the income tax (146 and 180) or of the ITF (165 and 181), is warned
// before the declaration is reported clear.
TEST_F(ValidateCommandTest, AmountsToPayBelowTheDebtAreWarned) {
    struct Case {
        const char* amounts; // 146, 180, 165, 181
        const char* taxes;   // the end of the warning, empty for none
    };
    const QList<Case> cases = {
        {"1000 400  ", "               de Renta de Tercera Categoría en su buzón VEL."},
        {"  50 0", "             de ITF en su buzón VEL."},
        {"1000 0 50 10", "            de Renta de Tercera Categoría e ITF en su buzón VEL."},
        {"1000 1000 50 50", ""},
    };
    makeConsistent();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.amounts);
        const QStringList amounts = QString::fromLatin1(c.amounts).split(u' ');
        for (int i = 0; i < 4; ++i) {
            model->setText(QList<int>{146, 180, 165, 181}.at(i), amounts.value(i));
        }
        model->payment().kind = QStringLiteral("E"); // cash
        if (*c.taxes != '\0') {
            prompter->expectMessage(QStringLiteral("La KOLVA le podrá notificar una Orden de Pago por la diferencia ") +
                                        QString::fromUtf8(c.taxes),
                                    app::Icon::Information);
        }
        prompter->expectMessage(kAllClear, app::Icon::Exclamation);
        clickValidar();
        EXPECT_TRUE(prompter->verify());
    }
}

TEST_F(ValidateCommandTest, VehicleAdditionBelowCasilla704IsWarned) {
    const QString warning = QStringLiteral(
        "Sr. Contribuyente, el importe del asistente de la casilla 103 correspondiente a gastos incurridos en "
        "vehículos "
        "de las categorías A2, A3 y A4 para determinar la renta imponible es menor a la informada en la casilla 704. "
        "Por favor verificar esta información para evitar inconsistencias.");
    makeConsistent();
    model->setText(704, QStringLiteral("500"));
    for (const auto& [added, warned] : {std::pair{"499", true}, {"500", false}}) {
        WorkingCasillas::store(db(), model->key(), {{736, QString::fromLatin1(added)}});
        if (warned) {
            prompter->expectMessage(warning, app::Icon::Information);
        }
        prompter->expectMessage(kAllClear, app::Icon::Exclamation);
        clickValidar();
        EXPECT_TRUE(prompter->verify()) << added;
    }
}

TEST(ValidateBatchTest, ReportAndValidatePrintTheReportLines) {
    testing::ScriptSession session(QStringLiteral("CONTADOR"));
    QTemporaryDir folder;
    test::registerTaxpayer(session.database.db(), QStringLiteral("20100113610"),
                           QStringLiteral("COMERCIAL ANDINA S.A.C."), QStringLiteral("CONTADOR"));
    session.runner.setModuleFolder(folder.path());

    // A plain validate goes on past the report window, as scripts written before it ran expect.
    const QString script =
        QStringLiteral("new\nreport\ntaxpayer 20100113610\nclick OptITF 0\nclick OpRegRenta 1\nreport\nvalidate\n"
                       "validate\nsave\n");
    session.runDone(script);
    const QString& output = session.output;
    const QStringList lines = output.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    // Without a taxpayer the check does not run: no lines, the message instead.
    const auto firstTotal = lines.indexOf(QStringLiteral("report total 0"));
    ASSERT_GE(firstTotal, 1) << output.toStdString();
    EXPECT_TRUE(lines.at(firstTotal - 1).contains(QStringLiteral("Debe seleccionar un Contribuyente.")));
    // A new declaration leaves most questions unanswered: the same lines from report and validate.
    const QStringList reported = lines.filter(QRegularExpression(QStringLiteral("^report [0-9]+\\. ")));
    const QStringList mens = ConsistencyCheck::readReport(QDir(folder.path()).filePath(QStringLiteral("Mens.txt")));
    ASSERT_FALSE(mens.isEmpty());
    ASSERT_EQ(reported.size(), 3 * mens.size()) << output.toStdString();
    EXPECT_EQ(reported.first(), QStringLiteral("report 1. ") + mens.first());
    EXPECT_EQ(lines.count(QStringLiteral("window FrmConsist 1 -")), 2);
    EXPECT_FALSE(output.contains(QStringLiteral("closed FrmConsist"))) << output.toStdString();
    EXPECT_EQ(lines.count(QStringLiteral("report total %1").arg(mens.size())), 3) << output.toStdString();
}

} // namespace
} // namespace qel::declaration
