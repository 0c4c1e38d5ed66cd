#include "ScriptFixture.h"
#include "declaration/commands/SaveCommand.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <algorithm>
#include <cctype>
#include <gtest/gtest.h>
#include <iostream>
#include <string>
#include <vector>

// The demo returns of tests/data/returns: complete declarations typed field by field as an
// accountant types them, each line `expect N "TEXT"` giving what box N must show. Every file
// runs through the batch mode on a fresh database; then the return is saved, closed and
// opened again, and every box must show what it showed before the save.

namespace qel::declaration {
namespace {

using batch::BatchRunner;

const QString kReturnsFolder = QStringLiteral(QEL_TEST_DATA_DIR "/returns");

// `expect N "TEXT"`, optionally followed by the box state ("enabled locked").
const QRegularExpression kExpectLine(QStringLiteral("^expect\\s+(\\d+)\\s+\"([^\"]*)\"\\s*(.*)$"));
// `expect refused NAME`: the line before types into a box that must refuse it.
const QRegularExpression kRefusedLine(QStringLiteral("^expect\\s+refused\\s+(\\S+)$"));
// What `show N` prints.
const QRegularExpression kShownLine(QStringLiteral("^txtValor\\((\\d+)\\) = \"(.*)\" (\\S+ \\S+)$"));

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
        demo.problems.append(QStringLiteral("cannot read the file"));
        return demo;
    }
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    QStringList script;
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines.at(i).trimmed();
        if (line.startsWith(QStringLiteral("# Empresa:"))) {
            demo.company = line.mid(10).trimmed();
        } else if (line.startsWith(QStringLiteral("taxpayer "))) {
            demo.ruc = line.mid(9).trimmed();
        }
        if (!line.startsWith(QStringLiteral("expect"))) {
            script.append(lines.at(i));
            continue;
        }
        if (const QRegularExpressionMatch refused = kRefusedLine.match(line); refused.hasMatch()) {
            demo.refusals.append(QStringLiteral("refused ") + refused.captured(1));
            script.append(QString());
            continue;
        }
        const QRegularExpressionMatch match = kExpectLine.match(line);
        if (!match.hasMatch()) {
            demo.problems.append(QStringLiteral("line %1: %2").arg(i + 1).arg(line));
            script.append(QString());
            continue;
        }
        Expectation expectation{i + 1, match.captured(1).toInt(), match.captured(2), match.captured(3).trimmed()};
        demo.expectations.append(expectation);
        script.append(QStringLiteral("show %1").arg(expectation.casilla));
    }
    demo.script = script.join(QLatin1Char('\n'));
    return demo;
}

std::vector<std::string> returnFiles() {
    std::vector<std::string> files;
    const QStringList names = QDir(kReturnsFolder).entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name);
    for (const QString& name : names) {
        files.push_back(name.toStdString());
    }
    return files;
}

struct Shown {
    int casilla = 0;
    QString text;
    QString state;
};

QList<Shown> shownBoxes(const QString& output) {
    QList<Shown> shown;
    for (const QString& line : output.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QRegularExpressionMatch match = kShownLine.match(line);
        if (match.hasMatch()) {
            shown.append({match.captured(1).toInt(), match.captured(2), match.captured(3)});
        }
    }
    return shown;
}

QStringList linesStartingWith(const QString& output, const QString& start) {
    return output.split(QLatin1Char('\n'))
        .filter(QRegularExpression(QLatin1Char('^') + QRegularExpression::escape(start)));
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
        test::registerTaxpayer(session.database.db(), demo.ruc, demo.company, QStringLiteral("CONTADOR"));
    }

    // Runs a script on the runner of the test; the output of this run only. Only the refusals
    // the return expects may be printed.
    QString run(const QString& script, const char* what, const QStringList& expectedRefusals = {}) {
        EXPECT_EQ(session.run(script), BatchRunner::kDone)
            << fileName.toStdString() << " (" << what << "): " << session.errors.toStdString();
        EXPECT_EQ(linesStartingWith(session.output, QStringLiteral("refused ")), expectedRefusals)
            << fileName.toStdString() << " (" << what << "): boxes that refused";
        return session.output;
    }

    QString fileName;
    DemoReturn demo;
    testing::ScriptSession session{QStringLiteral("CONTADOR")};
};

TEST_P(DemoReturnTest, EveryComputedCasillaShowsTheHandValue) {
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
}

TEST_P(DemoReturnTest, SavingAndOpeningAgainShowsTheSameBoxes) {
    run(demo.script, "return", demo.refusals);
    const QString before = run(QStringLiteral("show all"), "before the save");

    const QString after = run(QStringLiteral("save\nclose\nopen %1\nshow all").arg(demo.ruc), "save and open");
    const QStringList messages = linesStartingWith(after, QStringLiteral("message "));
    const bool saved = std::any_of(messages.cbegin(), messages.cend(), [](const QString& line) {
        return line.contains(SaveCommand::kSavedConsistent) || line.contains(SaveCommand::kSavedInconsistent);
    });
    ASSERT_TRUE(saved) << fileName.toStdString() << ": the save did not end\n" << after.toStdString();
    std::cout << "[ save     ] " << fileName.toStdString() << ": " << messages.last().toStdString() << '\n';

    const QList<Shown> was = shownBoxes(before);
    const QList<Shown> is = shownBoxes(after);
    ASSERT_EQ(was.size(), is.size()) << fileName.toStdString();
    for (qsizetype i = 0; i < was.size(); ++i) {
        EXPECT_EQ(is.at(i).text, was.at(i).text) << fileName.toStdString() << " casilla " << was.at(i).casilla;
        EXPECT_EQ(is.at(i).state, was.at(i).state) << fileName.toStdString() << " casilla " << was.at(i).casilla;
    }

    // Opened and saved with no change, and saved twice in one form: the same rows, the same state.
    const auto stored = [this] { return test::declarationRows(session.database.db(), test::demoKey(demo.ruc)); };
    const QStringList firstSave = stored();
    run(QStringLiteral("save"), "save again");
    EXPECT_EQ(stored(), firstSave) << fileName.toStdString() << ": opened and saved";
    run(QStringLiteral("save\nclose"), "save twice");
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
