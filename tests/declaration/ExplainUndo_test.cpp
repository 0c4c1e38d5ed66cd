#include "ScriptFixture.h"
#include "declaration/commands/ExplainModel.h"
#include "declaration/model/FormHistory.h"
#include "declaration/rules/CalculationRuleTable.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <cmath>
#include <optional>

namespace qel::declaration {
namespace {

using batch::BatchRunner;

const QString kRuc = QStringLiteral("20100113610");

// Evaluates the numbers of an explanation ("max(0, 1,000,000 − abs(-5,000)) × 0.295"): the
// check that what the panel shows recomputes what the box shows.
class Evaluator {
public:
    explicit Evaluator(const QString& text) : m_text(text) {}
    std::optional<double> value() {
        const double result = sum();
        skipSpaces();
        return m_failed || m_at != m_text.size() ? std::nullopt : std::optional<double>(result);
    }

private:
    void skipSpaces() {
        while (m_at < m_text.size() && m_text.at(m_at).isSpace()) {
            ++m_at;
        }
    }
    bool take(QStringView token) {
        skipSpaces();
        const bool found = QStringView(m_text).mid(m_at, token.size()) == token;
        m_at += found ? token.size() : 0;
        return found;
    }
    double sum() {
        for (double result = product();;) {
            if (take(u"+")) {
                result += product();
            } else if (take(u"−")) {
                result -= product();
            } else {
                return result;
            }
        }
    }
    double product() {
        for (double result = factor();;) {
            if (take(u"×")) {
                result *= factor();
            } else if (take(u"/")) {
                result /= factor();
            } else {
                return result;
            }
        }
    }
    double closed() {
        const double inner = sum();
        m_failed = m_failed || !take(u")");
        return inner;
    }
    double factor() {
        if (take(u"-")) {
            return -factor();
        }
        if (take(u"abs(")) {
            return std::fabs(closed());
        }
        if (take(u"max(0,")) {
            return std::max(0.0, closed());
        }
        if (take(u"(")) {
            return closed();
        }
        skipSpaces();
        QString digits; // a comma between digits groups thousands
        for (; m_at < m_text.size(); ++m_at) {
            const QChar c = m_text.at(m_at);
            const bool grouping = c == u',' && m_at + 1 < m_text.size() && m_text.at(m_at + 1).isDigit();
            if (!c.isDigit() && c != u'.' && !grouping) {
                break;
            }
            digits.append(grouping ? QString() : QString(c));
        }
        bool ok = false;
        const double number = digits.toDouble(&ok);
        m_failed = m_failed || !ok;
        return number;
    }

    QString m_text;
    qsizetype m_at = 0;
    bool m_failed = false;
};

double shownNumber(QString text) {
    const bool negative = text.trimmed().startsWith(u'(');
    const double magnitude = text.remove(u'(').remove(u')').remove(u',').trimmed().toDouble();
    return negative ? -magnitude : magnitude;
}

QString valueOf(const QString& script, const QString& prefix) {
    for (const QString& line : script.split(u'\n')) {
        if (line.startsWith(prefix)) {
            return line.mid(prefix.size()).trimmed();
        }
    }
    return {};
}

// A session of the accountant with a registered taxpayer.
class FormScript : public ::testing::Test {
protected:
    void SetUp() override {
        test::registerTaxpayer(script.database.db(), kRuc, QStringLiteral("COMERCIAL ANDINA S.A.C."),
                               QStringLiteral("CONTADOR"));
    }
    void runDone(const QString& text) { script.runDone(text); }
    DeclarationFormModel& model() { return script.form(); }

    testing::ScriptSession script{QStringLiteral("CONTADOR")};
};

// --- Explain -----------------------------------------------------------------------------

// Every formula of every demo return: the explanation's numbers recompute what the box shows,
// and every rule with a formula is checked on some return.
TEST(ExplainTest, TheNumbersOfEveryExplanationRecomputeTheBox) {
    QSet<QString> checked;
    const QString folder = QStringLiteral(QEL_TEST_DATA_DIR "/returns");
    for (const QString& name : QDir(folder).entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name)) {
        const QString demo = test::demoReturnScript(name);
        testing::ScriptSession script(QStringLiteral("CONTADOR"));
        test::registerTaxpayer(script.database.db(), valueOf(demo, QStringLiteral("taxpayer ")),
                               valueOf(demo, QStringLiteral("# Empresa:")), QStringLiteral("CONTADOR"));
        ASSERT_EQ(script.run(demo), BatchRunner::kDone) << name.toStdString() << script.errors.toStdString();
        const ExplainModel explain(script.form());
        for (const CalculationRule& rule : CalculationRuleTable::rules()) {
            for (const int target : rule.targets) {
                const CasillaExplanation e = explain.explain(target);
                const std::string where = name.toStdString() + " " + e.line().toStdString();
                if (e.kind != CasillaExplanation::Kind::Computed ||
                    QString(e.result).remove(u'/').trimmed().isEmpty()) {
                    continue; // typed, or emptied by its rule
                }
                const std::optional<double> computed = Evaluator(e.numbers).value();
                if (!computed && e.formula.contains(QStringLiteral("tasa"))) {
                    continue; // a tax typed by the taxpayer
                }
                ASSERT_TRUE(computed.has_value()) << where << " numbers: " << e.numbers.toStdString();
                const QStringList members = e.result.split(QStringLiteral(" / "));
                double shown = shownNumber(members.at(0));
                if (members.size() == 2) {
                    shown -= std::fabs(shownNumber(members.at(1)));
                } else if (target == 111) {
                    shown = std::fabs(shown); // the losses carried forward, shown in parentheses
                }
                const double tolerance = target == 686 ? 0.00005 : (target == 610 ? 0.005 : 0.5);
                EXPECT_NEAR(*computed, shown, tolerance) << where;
                checked.insert(rule.name);
            }
        }
    }
    for (const CalculationRule& rule : CalculationRuleTable::rules()) {
        EXPECT_TRUE(rule.formulas.isEmpty() || checked.contains(rule.name))
            << rule.name.toStdString() << " is on no demo return";
    }
}

TEST_F(FormScript, ExplainPrintsTheFormulaAndItsInputs) {
    runDone(QStringLiteral("new\ntaxpayer %1\nclick OpRegRenta 1\ntype 461 1000000\ntype 464 400000\n"
                           "explain 466\nexplain 468\nexplain 464\nexplain 151\nexplain 113\n")
                .arg(kRuc));
    const QStringList expected = {
        // A deduction reads as negative; the formula takes its absolute value.
        QStringLiteral("explain 466 / 467 = 463 − abs(464) = 1,000,000 − abs(-400,000) = 600,000 / (0)"),
        QStringLiteral("from 463 = \"1,000,000\""),
        QStringLiteral("from 464 = \"(400,000)\""),
        QStringLiteral("explain 468 = casilla digitada; alimenta las casillas 470, 471"),
        QStringLiteral("explain 464 = total de la ventana frmcostos = (400,000)"),
        // 151 has no box: it is shown as the form keeps it for the save.
        QStringLiteral("explain 151 = max(0, 110) = max(0, 600,000) = 600000"),
        QStringLiteral("from 110 = \"600,000\""),
        QStringLiteral("explain 113 = 110 × 29.5 % = 600,000 × 0.295 = 177,000"),
        QStringLiteral("from 110 = \"600,000\""),
    };
    EXPECT_EQ(script.output.split(u'\n', Qt::SkipEmptyParts), expected);
}

TEST_F(FormScript, ExplainNamesTheWindowAndTheRowsOfAnAssistantCasilla) {
    runDone(QStringLiteral("new\ntaxpayer %1\nclick txtValor(128)\ncell grdAsistente 1 saluti 1000\n"
                           "cell grdAsistente 3 4 800\nclick CmdGrabar\nexplain 128\n")
                .arg(kRuc));
    EXPECT_EQ(script.output.mid(script.output.indexOf(QStringLiteral("explain"))),
              QStringLiteral("explain 128 = total de la ventana frmanexo128, suma de 2 filas = 1,800 = (1,800)\n"
                             "row fila 1: 1,000\nrow fila 2: 800\n"));
}

// --- Undo and redo -------------------------------------------------------------------------

struct Snapshot {
    FormState form;
    TableRows tables;
};

class UndoTest : public FormScript {
protected:
    void SetUp() override {
        FormScript::SetUp();
        runDone(QStringLiteral("new\ntaxpayer %1\nclick OpRegRenta 1\nclick OptDomiciliado 1\ntype 461 1000000\n")
                    .arg(kRuc));
    }
    Snapshot snapshot() { return {model().state(), FormHistory::workingTables(script.database.db(), model().key())}; }
    void expectSame(const Snapshot& expected, const char* what) {
        const Snapshot now = snapshot();
        EXPECT_TRUE(sameForm(now.form, expected.form)) << what;
        for (auto it = expected.tables.cbegin(); it != expected.tables.cend(); ++it) {
            EXPECT_EQ(now.tables.value(it.key()), *it) << what << ": " << it.key().toStdString();
        }
    }
    // Undoes and redoes the last step: the form and its tables as before it, then as after it.
    void undoAndRedo(const Snapshot& before, const char* what) {
        const Snapshot after = snapshot();
        ASSERT_FALSE(sameForm(before.form, after.form) && before.tables == after.tables) << what << ": no change";
        runDone(QStringLiteral("undo\n"));
        EXPECT_TRUE(script.output.isEmpty()) << what << script.output.toStdString();
        expectSame(before, what);
        runDone(QStringLiteral("redo\n"));
        expectSame(after, what);
    }
};

// Each kind of edit is one step: undo puts the form and the working tables back as they were
// before it, redo as they were after it.
TEST_F(UndoTest, EachKindOfEditIsOneStep) {

    for (const auto& [kind, edit] :
         {std::pair{"typed casilla, with the income statement and the tax it changed", "type 464 400000\n"},
          {"emptied casilla", "clear 461\n"},
          {"answer, with the tax the switch recomputed", "click OpRegRenta 2\n"},
          {"assistant rows",
           "click txtValor(128)\ncell grdAsistente 1 saluti 1000\ncell grdAsistente 3 4 800\nclick CmdGrabar\n"},
          {"answer Si, with the box it opened", "click OptDonaciones 1\n"},
          {"list rows added through the windows of a box",
           "click txtValor(227)\nclick cmdAccion 1\nclick cmdAccion 0\nchoose TIP_DONACION B1\n"
           "choose TIP_MODALIDAD 1\nchoose tip_documento 06\ntext num_documento 20131312955\n"
           "text des_nom_razon ASOCIACION DE AYUDA SOCIAL\ntext fec_donacion 15/06/2018\ntext mto_donacion 4000\n"
           "click cmdAccion 0\nclick cmdAccion 1\nclick cmdAccion 3\n"},
          {"answer No, with the rows its switch deleted", "click OptDonaciones 0\n"}}) {
        const Snapshot before = snapshot();
        runDone(QString::fromUtf8(edit));
        const Snapshot after = snapshot();
        ASSERT_FALSE(sameForm(before.form, after.form)) << kind;
        ASSERT_TRUE(!QByteArray(kind).contains("rows") || before.tables != after.tables) << kind << ": no row";
        undoAndRedo(before, kind);
    }
    // Undoing every step takes the form back to the taxpayer just chosen; past that, nothing.
    for (int i = 0; i < 20 && !script.output.contains(QStringLiteral("undo none")); ++i) {
        script.run(QStringLiteral("undo\n"));
    }
    EXPECT_EQ(script.output, QStringLiteral("undo none\n"));
    EXPECT_TRUE(model().isEmpty(461));
    EXPECT_TRUE(model().isEmpty(113));
}

// An import is one step: undo takes back every row it wrote, redo writes them again.
TEST_F(UndoTest, AnImportIsOneStep) {
    QTemporaryDir folder;
    QFile partners(folder.filePath(QStringLiteral("0588") + kRuc + QStringLiteral("SOCIOS.txt")));
    ASSERT_TRUE(partners.open(QIODevice::WriteOnly));
    partners.write("01|1|40123456|PEÑA DIAZ JUAN|15/03/1970|9589|60|01/02/1990|\n"
                   "02|6|20100047218|INVERSIONES ANDINAS SAC||9589|40|01/02/1995|\n");
    partners.close();
    const Snapshot before = snapshot();
    runDone(QStringLiteral("click cmdSocios 3\nfile %1\nclick cmdCarpeta\nclick cmdTransferir\nclick cmdAceptar\n"
                           "click cmdCancelar\n")
                .arg(folder.path()));
    ASSERT_NE(before.tables, snapshot().tables) << script.output.toStdString();
    undoAndRedo(before, "import");
}

TEST_F(UndoTest, EnteringAndLeavingABoxIsNoStepAndANewEditForgetsTheRedo) {
    // The same value typed again is no step: the undo takes back the 461 typed before.
    runDone(QStringLiteral("type 461 1000000\nundo\n"));
    EXPECT_TRUE(model().isEmpty(461));
    EXPECT_NE(model().text(463), QStringLiteral("1,000,000"));
    runDone(QStringLiteral("redo\ntype 464 5\nredo\n"));
    EXPECT_EQ(script.output, QStringLiteral("redo none\n"));
    EXPECT_EQ(model().text(461), QStringLiteral("1,000,000"));
    EXPECT_EQ(model().text(466), QStringLiteral("999,995"));
}

} // namespace
} // namespace qel::declaration
