#include "batch/BatchContext.h"
#include "batch/BatchFixture.h"

namespace qel::batch {
namespace {

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

// The fake assistant answers for casilla 128, and a menu command records what it was handed.
class BatchWindowsTest : public test::BatchTest {
protected:
    int runWithFakes(const char* script) {
        return run(QStringLiteral("new\ntaxpayer %1\n").arg(test::kAndina) + QString::fromUtf8(script),
                   [this](BatchRunner& runner) {
                       runner.windows().addWindow(QStringLiteral("frmAnexo128"),
                                                  [](BatchContext&, const app::FormRequest& request) {
                                                      return std::make_unique<FakeAssistant>(request.name);
                                                  });
                       runner.windows().addMenu(QStringLiteral("mnuPrueba"), [this](BatchContext& context) {
                           seenToday = context.services.clock.today();
                           seenPdf = context.takePdfPath();
                           return std::make_unique<FakeAssistant>(QStringLiteral("frmPrueba"));
                       });
                   });
    }

    QDate seenToday;
    QString seenPdf;
};

TEST_F(BatchWindowsTest, AnAssistantOpenedFromItsCasillaRunsForRealAndHandsBackItsResult) {
    ASSERT_EQ(runWithFakes("click txtValor(128)\ncontrols\ntext txtMonto 12000\nselect grdMeses 2\nrows grdMeses\n"
                           "state txtMonto\nclick cmdSalir\nshow 128\n"),
              BatchRunner::kDone)
        << errors.toStdString();
    expectPrinted({"window frmanexo128 1 128\n", "control txtMonto text\ncontrol grdMeses grid\n",
                   "row 1: 1 | fila\nrow 2: 2 | fila\nrow 3: 3 | fila\nrows grdMeses total 3\n",
                   "txtMonto = \"12000\"\n", "closed frmanexo128 \"12000\"\n", "txtValor(128) = \"(12,000)\""});

    // A queued result still answers, without running the window.
    ASSERT_EQ(runWithFakes("window frmanexo128 500\nclick txtValor(128)\nshow 128\n"), BatchRunner::kDone)
        << errors.toStdString();
    EXPECT_FALSE(output.contains(QStringLiteral("closed ")));
    expectPrinted({"txtValor(128) = \"(500)\""});
}

TEST_F(BatchWindowsTest, MenuCommandsSeeTheFixedDateAndTheQueuedPdf) {
    ASSERT_EQ(runWithFakes("today 31/12/2019\npdf /tmp/x.pdf\nmenu mnuPrueba\nclick cmdSalir\n"), BatchRunner::kDone)
        << errors.toStdString();
    expectPrinted({"menu mnuPrueba -> frmPrueba\n"});
    EXPECT_EQ(seenToday, QDate(2019, 12, 31));
    EXPECT_EQ(seenPdf, QStringLiteral("/tmp/x.pdf"));
}

TEST_F(BatchWindowsTest, ScriptErrorsInsideAWindowStopTheScriptAtTheirLine) {
    const struct {
        const char* script; // after "new" and "taxpayer"
        const char* error;
    } cases[] = {
        {"click txtValor(128)\ntext txtOtro 1\nclick cmdSalir\n", "error line 4: no existe el control txtOtro"},
        {"click txtValor(128)\nsave\n", "error line 4: save no se puede usar mientras la ventana frmanexo128"},
        {"click txtValor(128)\nselect grdMeses 4\n", "error line 4: grdMeses no tiene la fila 4"},
        {"click txtValor(128)\ntext txtMonto 1\n", "la ventana frmanexo128 sigue abierta al final del guion"},
        {"menu mnuNoExiste\n", "error line 3: no existe la orden de menú mnuNoExiste"},
        {"today 32/12/2019\n", "error line 3: today espera una fecha"},
        {"rows grdNoExiste\n", "error line 3: no existe la cuadrícula grdNoExiste"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(runWithFakes(c.script), BatchRunner::kScriptError) << c.script;
        EXPECT_TRUE(errors.contains(QString::fromUtf8(c.error))) << c.script << " -> " << errors.toStdString();
        EXPECT_EQ(errors.count(QStringLiteral("error line")), 1) << errors.toStdString();
    }
}

} // namespace
} // namespace qel::batch
