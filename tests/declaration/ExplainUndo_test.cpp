#include "batch/BatchRunner.h"
#include "declaration/commands/ExplainModel.h"
#include "declaration/model/FormHistory.h"
#include "declaration/rules/CalculationRuleTable.h"
#include "support/FormServices.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTextStream>
#include <cmath>
#include <gtest/gtest.h>
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
        const double result = expression();
        skipSpaces();
        if (m_failed || m_at != m_text.size()) {
            return std::nullopt;
        }
        return result;
    }

private:
    void skipSpaces() {
        while (m_at < m_text.size() && m_text.at(m_at).isSpace()) {
            ++m_at;
        }
    }
    bool take(const QString& token) {
        skipSpaces();
        if (m_text.mid(m_at, token.size()) == token) {
            m_at += token.size();
            return true;
        }
        return false;
    }
    double expression() {
        double result = term();
        while (!m_failed) {
            if (take(QStringLiteral("+"))) {
                result += term();
            } else if (take(QStringLiteral("−"))) {
                result -= term();
            } else {
                return result;
            }
        }
        return result;
    }
    double term() {
        double result = factor();
        while (!m_failed) {
            if (take(QStringLiteral("×"))) {
                result *= factor();
            } else if (take(QStringLiteral("/"))) {
                result /= factor();
            } else {
                return result;
            }
        }
        return result;
    }
    double factor() {
        if (take(QStringLiteral("-"))) {
            return -factor();
        }
        if (take(QStringLiteral("abs("))) {
            const double inner = expression();
            m_failed = m_failed || !take(QStringLiteral(")"));
            return std::fabs(inner);
        }
        if (take(QStringLiteral("max(0,"))) {
            const double inner = expression();
            m_failed = m_failed || !take(QStringLiteral(")"));
            return inner < 0 ? 0 : inner;
        }
        if (take(QStringLiteral("("))) {
            const double inner = expression();
            m_failed = m_failed || !take(QStringLiteral(")"));
            return inner;
        }
        skipSpaces();
        QString digits;
        while (m_at < m_text.size() &&
               (m_text.at(m_at).isDigit() || m_text.at(m_at) == QLatin1Char('.') ||
                (m_text.at(m_at) == QLatin1Char(',') && m_at + 1 < m_text.size() && m_text.at(m_at + 1).isDigit()))) {
            if (m_text.at(m_at) != QLatin1Char(',')) {
                digits.append(m_text.at(m_at));
            }
            ++m_at;
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

double shownNumber(const QString& text) {
    QString plain = text.trimmed();
    const bool negative = plain.startsWith(QLatin1Char('('));
    plain.remove(QLatin1Char('(')).remove(QLatin1Char(')')).remove(QLatin1Char(','));
    return negative ? -plain.toDouble() : plain.toDouble();
}

QString scriptOf(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    QStringList kept;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        if (!line.trimmed().startsWith(QStringLiteral("expect"))) {
            kept.append(line);
        }
    }
    return kept.join(QLatin1Char('\n'));
}

QString valueOf(const QString& script, const QString& prefix) {
    for (const QString& line : script.split(QLatin1Char('\n'))) {
        if (line.startsWith(prefix)) {
            return line.mid(prefix.size()).trimmed();
        }
    }
    return {};
}

class FormScript : public ::testing::Test {
protected:
    int run(const QString& script) {
        output.clear();
        errors.clear();
        return runner.run(script);
    }
    DeclarationFormModel& model() { return *runner.model(); }

    test::TempDatabase database;
    QString output;
    QString errors;
    QTextStream out{&output};
    QTextStream err{&errors};
    BatchRunner runner{
        database.db(), out, err,
        BatchRunner::Settings{QStringLiteral("2018"), QStringLiteral("0588"), QStringLiteral("CONTADOR")}};
};

// --- Explain -----------------------------------------------------------------------------

// Every formula of every demo return: the explanation's numbers recompute what the box shows,
// and every rule with a formula is checked on some return.
TEST(ExplainTest, TheNumbersOfEveryExplanationRecomputeTheBox) {
    QSet<QString> checked;
    const QString folder = QStringLiteral(QEL_TEST_DATA_DIR "/returns");
    for (const QString& name : QDir(folder).entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name)) {
        const QString script = scriptOf(folder + QLatin1Char('/') + name);
        test::TempDatabase database;
        test::registerTaxpayer(database.db(), valueOf(script, QStringLiteral("taxpayer ")),
                               valueOf(script, QStringLiteral("# Empresa:")), QStringLiteral("CONTADOR"));
        QString output;
        QString errors;
        QTextStream out(&output);
        QTextStream err(&errors);
        BatchRunner runner(database.db(), out, err,
                           {QStringLiteral("2018"), QStringLiteral("0588"), QStringLiteral("CONTADOR")});
        ASSERT_EQ(runner.run(script), BatchRunner::kDone) << name.toStdString() << errors.toStdString();
        const ExplainModel explain(*runner.model());
        for (const CalculationRule& rule : CalculationRuleTable::rules()) {
            for (const int target : rule.targets) {
                const CasillaExplanation e = explain.explain(target);
                const std::string where = name.toStdString() + " " + e.line().toStdString();
                QString shownAll = e.result;
                shownAll.remove(QStringLiteral(" / "));
                if (e.kind != CasillaExplanation::Kind::Computed || shownAll.trimmed().isEmpty()) {
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
                    shown = shownNumber(members.at(0)) - std::fabs(shownNumber(members.at(1)));
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
        if (!rule.formulas.isEmpty()) {
            EXPECT_TRUE(checked.contains(rule.name)) << rule.name.toStdString() << " is on no demo return";
        }
    }
}

TEST_F(FormScript, ExplainPrintsTheFormulaAndItsInputs) {
    test::registerTaxpayer(database.db(), kRuc, QStringLiteral("COMERCIAL ANDINA S.A.C."), QStringLiteral("CONTADOR"));
    ASSERT_EQ(run(QStringLiteral("new\ntaxpayer %1\nclick OpRegRenta 1\ntype 461 1000000\ntype 464 400000\n"
                                 "explain 466\nexplain 468\nexplain 464\nexplain 151\nexplain 113\n")
                      .arg(kRuc)),
              BatchRunner::kDone)
        << errors.toStdString();
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
    EXPECT_EQ(output.split(QLatin1Char('\n'), Qt::SkipEmptyParts).join(QLatin1Char('\n')).toStdString(),
              expected.join(QLatin1Char('\n')).toStdString());
}

TEST_F(FormScript, ExplainNamesTheWindowAndTheRowsOfAnAssistantCasilla) {
    test::registerTaxpayer(database.db(), kRuc, QStringLiteral("COMERCIAL ANDINA S.A.C."), QStringLiteral("CONTADOR"));
    ASSERT_EQ(run(QStringLiteral("new\ntaxpayer %1\nclick txtValor(128)\ncell grdAsistente 1 saluti 1000\n"
                                 "cell grdAsistente 3 4 800\nclick CmdGrabar\nexplain 128\n")
                      .arg(kRuc)),
              BatchRunner::kDone)
        << errors.toStdString();
    EXPECT_EQ(output.mid(output.indexOf(QStringLiteral("explain"))).toStdString(),
              "explain 128 = total de la ventana frmanexo128, suma de 2 filas = 1,800 = (1,800)\n"
              "row fila 1: 1,000\nrow fila 2: 800\n");
}

// --- Undo and redo -------------------------------------------------------------------------

struct Snapshot {
    FormState form;
    TableRows tables;
};

class UndoTest : public FormScript {
protected:
    void SetUp() override {
        test::registerTaxpayer(database.db(), kRuc, QStringLiteral("COMERCIAL ANDINA S.A.C."),
                               QStringLiteral("CONTADOR"));
        ASSERT_EQ(run(QStringLiteral("new\ntaxpayer %1\nclick OpRegRenta 1\nclick OptDomiciliado 1\n"
                                     "type 461 1000000\n")
                          .arg(kRuc)),
                  BatchRunner::kDone)
            << errors.toStdString();
    }
    Snapshot snapshot() { return {model().state(), FormHistory::workingTables(database.db(), model().key())}; }
    void expectSame(const Snapshot& expected, const char* what) {
        const Snapshot now = snapshot();
        EXPECT_TRUE(sameForm(now.form, expected.form)) << what;
        for (auto it = expected.form.boxes.cbegin(); it != expected.form.boxes.cend(); ++it) {
            EXPECT_EQ(now.form.boxes.value(it.key()).text, it->text) << what << ": casilla " << it.key();
        }
        for (auto it = expected.tables.cbegin(); it != expected.tables.cend(); ++it) {
            const QList<QVariantList>& rows = now.tables.value(it.key());
            ASSERT_EQ(rows.size(), it->size()) << what << ": " << it.key().toStdString();
            for (qsizetype i = 0; i < rows.size(); ++i) {
                EXPECT_EQ(rows.at(i), it->at(i)) << what << ": " << it.key().toStdString() << " row " << i;
            }
        }
    }
};

// Each kind of edit is one step: undo puts the form and the working tables back as they were
// before it, redo as they were after it.
TEST_F(UndoTest, EachKindOfEditIsOneStep) {
    struct Case {
        const char* kind;
        const char* edit;
    };
    const QList<Case> cases = {
        {"typed casilla, with the income statement and the tax it changed", "type 464 400000\n"},
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
        {"answer No, with the rows its switch deleted", "click OptDonaciones 0\n"},
    };
    for (const Case& c : cases) {
        const Snapshot before = snapshot();
        ASSERT_EQ(run(QString::fromUtf8(c.edit)), BatchRunner::kDone) << c.kind << errors.toStdString();
        const Snapshot after = snapshot();
        ASSERT_FALSE(sameForm(before.form, after.form)) << c.kind;
        if (QString::fromUtf8(c.kind).contains(QStringLiteral("rows"))) {
            ASSERT_NE(before.tables, after.tables) << c.kind << ": no working row changed";
        }
        ASSERT_EQ(run(QStringLiteral("undo\n")), BatchRunner::kDone) << c.kind;
        EXPECT_TRUE(output.isEmpty()) << c.kind << output.toStdString();
        expectSame(before, c.kind);
        ASSERT_EQ(run(QStringLiteral("redo\n")), BatchRunner::kDone) << c.kind;
        expectSame(after, c.kind);
    }
    // Undoing every step takes the form back to the taxpayer just chosen; past that, nothing.
    for (int i = 0; i < 20 && !output.contains(QStringLiteral("undo none")); ++i) {
        run(QStringLiteral("undo\n"));
    }
    EXPECT_EQ(output, QStringLiteral("undo none\n"));
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
    ASSERT_EQ(run(QStringLiteral("click cmdSocios 3\nfile %1\nclick cmdCarpeta\nclick cmdTransferir\n"
                                 "click cmdAceptar\nclick cmdCancelar\n")
                      .arg(folder.path())),
              BatchRunner::kDone)
        << errors.toStdString() << output.toStdString();
    const Snapshot after = snapshot();
    ASSERT_NE(before.tables, after.tables) << output.toStdString();
    ASSERT_EQ(run(QStringLiteral("undo\n")), BatchRunner::kDone);
    expectSame(before, "import undone");
    ASSERT_EQ(run(QStringLiteral("redo\n")), BatchRunner::kDone);
    expectSame(after, "import redone");
}

TEST_F(UndoTest, EnteringAndLeavingABoxIsNoStepAndANewEditForgetsTheRedo) {
    // The same value typed again is no step: the undo takes back the 461 typed before.
    ASSERT_EQ(run(QStringLiteral("type 461 1000000\nundo\n")), BatchRunner::kDone);
    EXPECT_TRUE(model().isEmpty(461));
    EXPECT_NE(model().text(463), QStringLiteral("1,000,000"));
    ASSERT_EQ(run(QStringLiteral("redo\ntype 464 5\nredo\n")), BatchRunner::kDone);
    EXPECT_EQ(output, QStringLiteral("redo none\n"));
    EXPECT_EQ(model().text(461), QStringLiteral("1,000,000"));
    EXPECT_EQ(model().text(466), QStringLiteral("999,995"));
}

} // namespace
} // namespace qel::declaration
