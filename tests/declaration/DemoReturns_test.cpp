#include "ScriptFixture.h"
#include "declaration/commands/ExplainModel.h"
#include "declaration/commands/SaveCommand.h"
#include "declaration/rules/CalculationRuleTable.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>
#include <cctype>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

// The demo returns of tests/data/returns: complete declarations typed field by field as an
// accountant types them, each line `expect N "TEXT"` giving what box N must show. Every file
// runs through the batch mode on a fresh database; then the return is saved, closed and
// opened again, and every box must show what it showed before the save.

namespace qel::declaration {
namespace {

using namespace Qt::StringLiterals;

using batch::BatchRunner;

const QString kReturnsFolder = QStringLiteral(QEL_TEST_DATA_DIR "/returns");

// `expect N "TEXT"`, optionally followed by the box state ("enabled locked").
const QRegularExpression kExpectLine(u"^expect\\s+(\\d+)\\s+\"([^\"]*)\"\\s*(.*)$"_s);
// `expect refused NAME`: the line before types into a box that must refuse it.
const QRegularExpression kRefusedLine(u"^expect\\s+refused\\s+(\\S+)$"_s);
// What `show N` prints.
const QRegularExpression kShownLine(u"^txtValor\\((\\d+)\\) = \"(.*)\" (\\S+ \\S+)$"_s);

struct Expectation {
    int line = 0;
    int casilla = 0;
    QString text;
    QString state; // empty when the line does not state it
};

struct DemoReturn {
    QString script; // the file with each expectation turned into `show N`
    QString ruc;
    QString company;
    QList<Expectation> expectations;
    QStringList refusals; // the `refused NAME` lines the script must print, in order
    QStringList problems; // lines the test cannot read
};

DemoReturn readReturn(const QString& fileName) {
    DemoReturn demo;
    QFile file(kReturnsFolder + QLatin1Char('/') + fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        demo.problems.append(u"cannot read the file"_s);
        return demo;
    }
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    QStringList script;
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines.at(i).trimmed();
        if (line.startsWith(u"# Empresa:"_s)) {
            demo.company = line.mid(10).trimmed();
        } else if (line.startsWith(u"taxpayer "_s)) {
            demo.ruc = line.mid(9).trimmed();
        }
        if (!line.startsWith(u"expect"_s)) {
            script.append(lines.at(i));
            continue;
        }
        if (const QRegularExpressionMatch refused = kRefusedLine.match(line); refused.hasMatch()) {
            demo.refusals.append(u"refused "_s + refused.captured(1));
            script.append(QString());
            continue;
        }
        const QRegularExpressionMatch match = kExpectLine.match(line);
        if (!match.hasMatch()) {
            demo.problems.append(u"line %1: %2"_s.arg(i + 1).arg(line));
            script.append(QString());
            continue;
        }
        Expectation expectation{i + 1, match.captured(1).toInt(), match.captured(2), match.captured(3).trimmed()};
        demo.expectations.append(expectation);
        script.append(u"show %1"_s.arg(expectation.casilla));
    }
    demo.script = script.join(QLatin1Char('\n'));
    return demo;
}

std::vector<std::string> returnFiles() {
    std::vector<std::string> files;
    const QStringList names = QDir(kReturnsFolder).entryList({u"*.txt"_s}, QDir::Files, QDir::Name);
    for (const QString& name : names) {
        files.push_back(name.toStdString());
    }
    return files;
}

// What `show N` printed of a box: its casilla, text and state.
using Shown = Expectation;

QList<Shown> shownBoxes(const QString& output) {
    QList<Shown> shown;
    for (const QString& line : output.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QRegularExpressionMatch match = kShownLine.match(line);
        if (match.hasMatch()) {
            shown.append({0, match.captured(1).toInt(), match.captured(2), match.captured(3)});
        }
    }
    return shown;
}

QStringList linesStartingWith(const QString& output, const QString& start) {
    return output.split(QLatin1Char('\n'))
        .filter(QRegularExpression(QLatin1Char('^') + QRegularExpression::escape(start)));
}

// Evaluates the numbers of an explanation ("max(0, 1,000,000 − abs(-5,000)) × 0.295"): the
// check that what the panel shows recomputes what the box shows. Nothing when they do not read
// as arithmetic.
std::optional<double> evaluate(QString text) {
    // A comma between digits groups thousands; the one of "max(0, " is followed by a blank.
    text.remove(QRegularExpression(u"(?<=\\d),(?=\\d)"_s)).remove(QRegularExpression(u"\\s"_s));
    qsizetype at = 0;
    bool failed = false;
    const auto take = [&](QStringView token) {
        const bool found = QStringView(text).mid(at).startsWith(token);
        at += found ? token.size() : 0;
        return found;
    };
    std::function<double()> sum;
    std::function<double()> factor = [&]() -> double {
        if (take(u"-")) {
            return -factor();
        }
        const bool abs = take(u"abs(");
        const bool max = !abs && take(u"max(0,");
        if (abs || max || take(u"(")) {
            const double inner = sum();
            failed = failed || !take(u")");
            return abs ? std::fabs(inner) : (max ? std::max(0.0, inner) : inner);
        }
        const qsizetype start = at;
        while (at < text.size() && (text.at(at).isDigit() || text.at(at) == u'.')) {
            ++at;
        }
        bool ok = false;
        const double number = text.mid(start, at - start).toDouble(&ok);
        failed = failed || !ok;
        return number;
    };
    const auto product = [&] {
        for (double result = factor();;) {
            if (take(u"×")) {
                result *= factor();
            } else if (take(u"/")) {
                result /= factor();
            } else {
                return result;
            }
        }
    };
    sum = [&] {
        for (double result = product();;) {
            if (take(u"+")) {
                result += product();
            } else if (take(u"−")) {
                result -= product();
            } else {
                return result;
            }
        }
    };
    const double result = sum();
    return failed || at != text.size() ? std::nullopt : std::optional<double>(result);
}

double shownNumber(QString text) {
    const bool negative = text.trimmed().startsWith(u'(');
    const double magnitude = text.remove(u'(').remove(u')').remove(u',').trimmed().toDouble();
    return negative ? -magnitude : magnitude;
}

// Every explanation of a computed box: its numbers recompute what the box shows. Returns the
// rules checked.
QSet<QString> checkExplanations(DeclarationFormModel& form, const QString& fileName) {
    QSet<QString> checked;
    const ExplainModel explain(form);
    for (const CalculationRule& rule : CalculationRuleTable::rules()) {
        for (const int target : rule.targets) {
            const CasillaExplanation e = explain.explain(target);
            const std::string where = fileName.toStdString() + " " + e.line().toStdString();
            if (e.kind != CasillaExplanation::Kind::Computed || QString(e.result).remove(u'/').trimmed().isEmpty()) {
                continue; // typed, or emptied by its rule
            }
            const std::optional<double> computed = evaluate(e.numbers);
            if (!computed && e.formula.contains(u"tasa"_s)) {
                continue; // a tax typed by the taxpayer
            }
            EXPECT_TRUE(computed.has_value()) << where << " numbers: " << e.numbers.toStdString();
            const QStringList members = e.result.split(u" / "_s);
            double shown = shownNumber(members.at(0));
            if (members.size() == 2) {
                shown -= std::fabs(shownNumber(members.at(1)));
            } else if (target == 111) {
                shown = std::fabs(shown); // the losses carried forward, shown in parentheses
            }
            const double tolerance = target == 686 ? 0.00005 : (target == 610 ? 0.005 : 0.5);
            EXPECT_NEAR(computed.value_or(-1e18), shown, tolerance) << where;
            checked.insert(rule.name);
        }
    }
    return checked;
}

class DemoReturnTest : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override {
        fileName = QString::fromStdString(GetParam());
        demo = readReturn(fileName);
        ASSERT_TRUE(demo.problems.isEmpty()) << fileName.toStdString() << ": unreadable expectations\n"
                                             << demo.problems.join(QLatin1Char('\n')).toStdString();
        ASSERT_FALSE(demo.ruc.isEmpty()) << fileName.toStdString() << ": no `taxpayer` line";
        ASSERT_FALSE(demo.expectations.isEmpty()) << fileName.toStdString() << ": no `expect` line";
        test::registerTaxpayer(session.database.db(), demo.ruc, demo.company, u"CONTADOR"_s);
    }

    // Runs a script on the runner of the test; the output of this run only. Only the refusals
    // the return expects may be printed.
    QString run(const QString& script, const char* what, const QStringList& expectedRefusals = {}) {
        EXPECT_EQ(session.run(script), BatchRunner::kDone)
            << fileName.toStdString() << " (" << what << "): " << session.errors.toStdString();
        EXPECT_EQ(linesStartingWith(session.output, u"refused "_s), expectedRefusals)
            << fileName.toStdString() << " (" << what << "): boxes that refused";
        return session.output;
    }

    // Once every return has run: every rule with a formula was explained on one of them.
    static void TearDownTestSuite() {
        for (const CalculationRule& rule : CalculationRuleTable::rules()) {
            EXPECT_TRUE(s_returnsRun < returnFiles().size() || rule.formulas.isEmpty() ||
                        s_explained.contains(rule.name))
                << rule.name.toStdString() << " is on no demo return";
        }
    }

    static inline QSet<QString> s_explained;
    static inline std::size_t s_returnsRun = 0;
    QString fileName;
    DemoReturn demo;
    testing::ScriptSession session{u"CONTADOR"_s};
};

// Every box named by an `expect` line shows the hand value, and the numbers of every
// explanation recompute what its box shows; saved, closed and opened again,
// every box shows what it showed before; opened and saved with no change, and saved twice in
// one form, the same rows are stored.
TEST_P(DemoReturnTest, ShowsTheHandValuesAndKeepsThemThroughSaves) {
    const QList<Shown> shown = shownBoxes(run(demo.script, "return", demo.refusals));
    ASSERT_EQ(shown.size(), demo.expectations.size()) << fileName.toStdString() << ": the script stopped early\n"
                                                      << session.output.toStdString();
    for (qsizetype i = 0; i < shown.size(); ++i) {
        const Expectation& expected = demo.expectations.at(i);
        const std::string where = fileName.toStdString() + ":" + std::to_string(expected.line) + " casilla " +
                                  std::to_string(expected.casilla);
        EXPECT_EQ(shown.at(i).text, expected.text) << where;
        if (!expected.state.isEmpty()) {
            EXPECT_EQ(shown.at(i).state, expected.state) << where;
        }
    }

    s_explained.unite(checkExplanations(session.form(), fileName));
    ++s_returnsRun;

    const QString before = run(u"show all"_s, "before the save");
    const QString after = run(u"save\nclose\nopen %1\nshow all"_s.arg(demo.ruc), "save and open");
    const QStringList messages = linesStartingWith(after, u"message "_s);
    const bool saved = std::any_of(messages.cbegin(), messages.cend(), [](const QString& line) {
        return line.contains(SaveCommand::kSavedConsistent) || line.contains(SaveCommand::kSavedInconsistent);
    });
    ASSERT_TRUE(saved) << fileName.toStdString() << ": the save did not end\n" << after.toStdString();
    std::cout << "[ save     ] " << fileName.toStdString() << ": " << messages.last().toStdString() << '\n';
    // Each line of `show all` names its box, its text and its state.
    const QStringList was = before.split(u'\n').filter(kShownLine);
    const QStringList is = after.split(u'\n').filter(kShownLine);
    ASSERT_EQ(was.size(), is.size()) << fileName.toStdString();
    for (qsizetype i = 0; i < was.size(); ++i) {
        EXPECT_EQ(is.at(i), was.at(i)) << fileName.toStdString();
    }

    const auto stored = [this] { return test::declarationRows(session.database.db(), test::demoKey(demo.ruc)); };
    const QStringList firstSave = stored();
    run(u"save"_s, "save again");
    EXPECT_EQ(stored(), firstSave) << fileName.toStdString() << ": opened and saved";
    run(u"save\nclose"_s, "save twice");
    EXPECT_EQ(stored(), firstSave) << fileName.toStdString() << ": saved twice";
}

std::string testName(const ::testing::TestParamInfo<std::string>& info) {
    std::string name = info.param.substr(0, info.param.rfind('.'));
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c))) {
            c = '_';
        }
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(Returns, DemoReturnTest, ::testing::ValuesIn(returnFiles()), testName);

} // namespace
} // namespace qel::declaration
