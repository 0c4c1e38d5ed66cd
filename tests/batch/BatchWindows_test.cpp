#include "batch/BatchContext.h"
#include "batch/BatchRunner.h"
#include "support/FormServices.h"
#include "support/TestSupport.h"

#include <QTextStream>
#include <gtest/gtest.h>

namespace qel::batch {
namespace {

const QString kRuc = QStringLiteral("20100113610");

// A grid of fixed rows.
class FakeGrid : public app::GridSource {
public:
    int rowCount() const override { return 3; }
    QStringList rowTexts(int row) const override { return {QString::number(row + 1), QStringLiteral("fila")}; }
    int currentRow() const override { return m_current; }
    void setCurrentRow(int row) override { m_current = row; }
    int m_current = -1;
};

// A window with one amount box, one grid and a leave button that hands the amount back.
class FakeAssistant : public app::ScriptableWindow {
public:
    explicit FakeAssistant(QString windowName) : m_name(std::move(windowName)) {}
    QString name() const override { return m_name; }
    QList<app::ControlInfo> controls() const override {
        return {{QStringLiteral("txtMonto"), QStringLiteral("text")},
                {QStringLiteral("grdMeses"), QStringLiteral("grid")},
                {QStringLiteral("cmdSalir"), QStringLiteral("command")}};
    }
    bool text(const QString& control, const QString& value) override {
        require(control, QStringLiteral("txtMonto"));
        m_amount = value;
        return true;
    }
    bool choose(const QString& control, const QString&) override {
        throw app::ScriptError{QStringLiteral("%1 no es una lista").arg(control)};
    }
    bool click(const QString& control, int) override {
        require(control, QStringLiteral("cmdSalir"));
        m_closed = true;
        return true;
    }
    QString state(const QString& control) const override {
        require(control, QStringLiteral("txtMonto"));
        return QLatin1Char('"') + m_amount + QLatin1Char('"');
    }
    app::GridSource* grid(const QString& gridName) override {
        return gridName == QStringLiteral("grdMeses") ? &m_grid : nullptr;
    }
    bool isClosed() const override { return m_closed; }
    QString result() const override { return m_amount; }

private:
    static void require(const QString& control, const QString& expected) {
        if (control != expected) {
            throw app::ScriptError{QStringLiteral("no existe el control %1").arg(control)};
        }
    }
    QString m_name;
    QString m_amount;
    FakeGrid m_grid;
    bool m_closed = false;
};

class BatchWindowsTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::registerTaxpayer(database.db(), kRuc, QStringLiteral("COMERCIAL ANDINA S.A.C."),
                               QStringLiteral("CONTADOR"));
    }

    int run(const QString& script) {
        BatchRunner runner(database.db(), out, err,
                           {QStringLiteral("2018"), QStringLiteral("0588"), QStringLiteral("CONTADOR")});
        runner.windows().addWindow(QStringLiteral("frmAnexo128"), [](BatchContext&, const app::FormRequest& request) {
            return std::make_unique<FakeAssistant>(request.name);
        });
        runner.windows().addMenu(QStringLiteral("mnuPrueba"), [this](BatchContext& context) {
            seenToday = context.services.clock.today();
            seenPdf = context.takePdfPath();
            return std::make_unique<FakeAssistant>(QStringLiteral("frmPrueba"));
        });
        return runner.run(script);
    }

    test::TempDatabase database;
    QString output;
    QString errors;
    QTextStream out{&output};
    QTextStream err{&errors};
    QDate seenToday;
    QString seenPdf;
};

TEST_F(BatchWindowsTest, AnAssistantOpenedFromItsCasillaRunsForRealAndHandsBackItsResult) {
    ASSERT_EQ(run(QStringLiteral("new\ntaxpayer %1\nclick txtValor(128)\ncontrols\ntext txtMonto 12000\n"
                                 "select grdMeses 2\nrows grdMeses\nstate txtMonto\nclick cmdSalir\nshow 128\n")
                      .arg(kRuc)),
              BatchRunner::kDone)
        << errors.toStdString();
    for (const char* expected :
         {"window frmanexo128 1 128\n", "control txtMonto text\ncontrol grdMeses grid\n",
          "row 1: 1 | fila\nrow 2: 2 | fila\nrow 3: 3 | fila\nrows grdMeses total 3\n", "txtMonto = \"12000\"\n",
          "closed frmanexo128 \"12000\"\n", "txtValor(128) = \"(12,000)\""}) {
        EXPECT_TRUE(output.contains(QString::fromUtf8(expected))) << expected << "\n" << output.toStdString();
    }
}

TEST_F(BatchWindowsTest, AQueuedResultStillAnswersWithoutRunningTheWindow) {
    ASSERT_EQ(
        run(QStringLiteral("new\ntaxpayer %1\nwindow frmanexo128 500\nclick txtValor(128)\nshow 128\n").arg(kRuc)),
        BatchRunner::kDone)
        << errors.toStdString();
    EXPECT_FALSE(output.contains(QStringLiteral("closed ")));
    EXPECT_TRUE(output.contains(QStringLiteral("txtValor(128) = \"(500)\"")));
}

TEST_F(BatchWindowsTest, MenuCommandsSeeTheFixedDateAndTheQueuedPdf) {
    ASSERT_EQ(run(QStringLiteral("today 31/12/2019\npdf /tmp/x.pdf\nmenu mnuPrueba\nclick cmdSalir\n")),
              BatchRunner::kDone)
        << errors.toStdString();
    EXPECT_TRUE(output.contains(QStringLiteral("menu mnuPrueba -> frmPrueba\n")));
    EXPECT_EQ(seenToday, QDate(2019, 12, 31));
    EXPECT_EQ(seenPdf, QStringLiteral("/tmp/x.pdf"));
}

TEST_F(BatchWindowsTest, ScriptErrorsInsideAWindowStopTheScriptAtTheirLine) {
    const struct {
        const char* script;
        const char* error;
    } cases[] = {
        {"new\ntaxpayer %1\nclick txtValor(128)\ntext txtOtro 1\nclick cmdSalir\n",
         "error line 4: no existe el control txtOtro"},
        {"new\ntaxpayer %1\nclick txtValor(128)\nsave\n",
         "error line 4: save no se puede usar mientras la ventana frmanexo128"},
        {"new\ntaxpayer %1\nclick txtValor(128)\nselect grdMeses 4\n", "error line 4: grdMeses no tiene la fila 4"},
        {"new\ntaxpayer %1\nclick txtValor(128)\ntext txtMonto 1\n",
         "la ventana frmanexo128 sigue abierta al final del guion"},
        {"menu mnuNoExiste\n", "error line 1: no existe la orden de menú mnuNoExiste"},
        {"today 32/12/2019\n", "error line 1: today espera una fecha"},
        {"new\nrows grdNoExiste\n", "error line 2: no existe la cuadrícula grdNoExiste"},
    };
    for (const auto& c : cases) {
        errors.clear();
        EXPECT_EQ(run(QString::fromUtf8(c.script).replace(QStringLiteral("%1"), kRuc)), BatchRunner::kScriptError)
            << c.script;
        EXPECT_TRUE(errors.contains(QString::fromUtf8(c.error))) << c.script << " -> " << errors.toStdString();
        EXPECT_EQ(errors.count(QStringLiteral("error line")), 1) << errors.toStdString();
    }
}

} // namespace
} // namespace qel::batch
