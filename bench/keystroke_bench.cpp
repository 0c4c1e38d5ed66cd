// Typing into the declaration form without its window. A new declaration is opened and its
// taxpayer chosen; then one digit is typed, as a user types it, into every box open to typing
// (enabled and not locked once the taxpayer is chosen), in catalogue order: the box is entered,
// the key goes through its key filter and the box is left, and the time of each keystroke
// includes the recalculation it sets off. Each benchmark iteration is one pass over a fresh
// form; only the keystrokes are timed (manual time), not the opening of the form.
//
// A third benchmark types the demo returns of tests/data/returns again into the forms they
// filled: each return runs once through the batch mode (untimed), then every `type` line of it
// is typed again, key by key, into the filled form; it reports the CPU time per key.
//
// The baseline types the same keys into a form model that has no rules attached (only its
// loader, so that the taxpayer can be chosen), in the same run, on the same database: the ratio
// shows what the rules cost per keystroke. Besides the time, every keystroke counts the
// statements it sends to the database; the rules may read only what a rule needs (the
// assistant totals, for instance), never reference data that does not change while the form
// is open.

#include "batch/BatchRunner.h"
#include "bench_support.h"
#include "catalogue/CasillaCatalog.h"
#include "declaration/commands/FormLoader.h"
#include "declaration/model/DeclarationFormModel.h"
#include "management/DeclarationFormSession.h"

#include <QDir>
#include <QFile>
#include <QTextStream>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

using namespace qel;
using declaration::DeclarationFormModel;

const QString kCmbRuc = QStringLiteral("CmbRuc");
constexpr int kPasses = 30;
// What a keystroke may cost at most, the median over every box of the form.
constexpr double kTargetMedianMs = 1.0;
// What a key typed into a filled form may cost at most in CPU, over the demo returns.
constexpr double kTargetFilledCpuUs = 20.0;

// What every form of the run shares: the database with one registered taxpayer and no
// declaration of it yet, and the process services the form is handed.
struct Bench {
    bench::BenchDatabase db;
    test::SilentServices services{db.db()};

    Bench() { test::registerTaxpayer(db.db(), bench::benchKey().ruc, bench::kCompany); }

    declaration::FormContext context() { return services.context(); }
};

Bench& shared() {
    static Bench bench;
    return bench;
}

// A new declaration form with its taxpayer chosen: either the whole session, with every rule
// of the form hooked into the model, or the bare model with only its loader.
class TypingForm {
public:
    TypingForm(Bench& bench, bool withRules) {
        if (withRules) {
            m_session = std::make_unique<management::DeclarationFormSession>(bench.context(),
                                                                             management::DeclarationFormArguments{});
            m_session->load();
        } else {
            m_bare = std::make_unique<DeclarationFormModel>(bench.context());
            m_loader = std::make_unique<declaration::FormLoader>(*m_bare);
            m_loader->load();
        }
        if (!model().chooseCombo(kCmbRuc, bench::benchKey().ruc)) {
            std::fprintf(stderr, "the taxpayer cannot be chosen in %s\n", qPrintable(kCmbRuc));
            std::abort();
        }
    }

    DeclarationFormModel& model() { return m_session ? m_session->model() : *m_bare; }

private:
    std::unique_ptr<management::DeclarationFormSession> m_session;
    std::unique_ptr<DeclarationFormModel> m_bare;
    std::unique_ptr<declaration::FormLoader> m_loader;
};

bool openToTyping(const DeclarationFormModel& model, int n) {
    return model.hasBox(n) && model.box(n).enabled && !model.box(n).locked;
}

// The boxes a user can type into on a new declaration with its taxpayer chosen, in catalogue
// order, read from a form with all its rules.
const std::vector<int>& entryBoxes() {
    static const std::vector<int> boxes = [] {
        TypingForm form(shared(), true);
        std::vector<int> numbers;
        for (const declaration::CasillaDef& def : declaration::CasillaCatalog::instance().all()) {
            if (openToTyping(form.model(), def.number)) {
                numbers.push_back(def.number);
            }
        }
        return numbers;
    }();
    return boxes;
}

// One digit that the box's key filter lets through ("1" passes every filter of the form).
QChar digitFor(const DeclarationFormModel& model, int n) {
    const QChar seven = model.filterKey(n, QLatin1Char('7'));
    return seven.isNull() ? QLatin1Char('1') : seven;
}

struct Summary {
    double cpuUsPerKey = 0;
    double medianMs = 0;
    double p99Ms = 0;
    quint64 maxStatements = 0;
    int maxStatementsBox = 0;
};

// The last complete run of each form, with and without rules, for the line printed at the end.
Summary& summaryOf(bool withRules) {
    static Summary rules;
    static Summary bare;
    return withRules ? rules : bare;
}

double percentile(std::vector<double> sorted, double p) {
    if (sorted.empty()) {
        return 0;
    }
    std::sort(sorted.begin(), sorted.end());
    const auto index = static_cast<std::size_t>(std::ceil(p * static_cast<double>(sorted.size()))) - 1;
    return sorted.at(std::min(index, sorted.size() - 1));
}

void typeEveryBox(benchmark::State& state, bool withRules) {
    Bench& bench = shared();
    store::Database& db = bench.db.db();
    const std::vector<int>& boxes = entryBoxes();
    std::vector<double> keystrokeMs;
    keystrokeMs.reserve(boxes.size() * static_cast<std::size_t>(kPasses));
    quint64 statements = 0;
    Summary summary;
    std::int64_t refused = 0;
    double cpuSeconds = 0;

    for (auto _ : state) {
        TypingForm form(bench, withRules);
        DeclarationFormModel& model = form.model();
        double passSeconds = 0;
        for (const int n : boxes) {
            // A rule may have closed the box since the form opened (120 without a loss, for
            // instance): the user cannot type there, and neither form is timed on it.
            if (!openToTyping(model, n)) {
                ++refused;
                continue;
            }
            const QChar digit = digitFor(model, n);
            const quint64 before = db.statementCount();
            const double cpuStart = bench::threadCpuSeconds();
            const auto start = std::chrono::steady_clock::now();
            model.focusIn(n);
            model.typeKey(n, digit);
            model.focusOut(n);
            const auto end = std::chrono::steady_clock::now();
            cpuSeconds += bench::threadCpuSeconds() - cpuStart;
            const quint64 sent = db.statementCount() - before;

            const double seconds = std::chrono::duration<double>(end - start).count();
            passSeconds += seconds;
            keystrokeMs.push_back(seconds * 1000);
            statements += sent;
            if (sent > summary.maxStatements) {
                summary.maxStatements = sent;
                summary.maxStatementsBox = n;
            }
        }
        state.SetIterationTime(passSeconds);
    }

    const auto keys = static_cast<double>(keystrokeMs.size());
    summary.cpuUsPerKey = keys > 0 ? cpuSeconds * 1e6 / keys : 0;
    state.counters[bench::kTimedCpuCounter] = cpuSeconds * 1000 / static_cast<double>(state.iterations());
    state.counters["cpu_us_per_key"] = summary.cpuUsPerKey;
    summary.medianMs = percentile(keystrokeMs, 0.50);
    summary.p99Ms = percentile(keystrokeMs, 0.99);
    state.SetItemsProcessed(static_cast<std::int64_t>(keystrokeMs.size()));
    state.counters["keys_per_form"] = keys / static_cast<double>(state.iterations());
    state.counters["refused_per_form"] = static_cast<double>(refused) / static_cast<double>(state.iterations());
    state.counters["median_us"] = summary.medianMs * 1000;
    state.counters["p99_us"] = summary.p99Ms * 1000;
    state.counters["stmts_per_key"] = keys > 0 ? static_cast<double>(statements) / keys : 0;
    state.counters["max_stmts_per_key"] = static_cast<double>(summary.maxStatements);
    state.counters["max_stmts_box"] = summary.maxStatementsBox;
    summaryOf(withRules) = summary;
}

void BM_KeystrokeWithoutRules(benchmark::State& state) {
    typeEveryBox(state, false);
}
BENCHMARK(BM_KeystrokeWithoutRules)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(kPasses);

void BM_Keystroke(benchmark::State& state) {
    typeEveryBox(state, true);
}
BENCHMARK(BM_Keystroke)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(kPasses);

// --- The demo returns, typed again into the forms they filled --------------------------------

struct TypedLine {
    int casilla = 0;
    QString text;
};

// One demo return run through the batch mode, its form left open and filled.
struct FilledForm {
    QString name;
    QString output;
    QTextStream out{&output};
    QTextStream err{&output};
    std::unique_ptr<batch::BatchRunner> runner;
    QList<TypedLine> typed;
};

// Every line of a return except the expectations, which only the tests read.
QString scriptOf(const QString& text, QList<TypedLine>& typed, QString& ruc, QString& company) {
    QStringList script;
    for (const QString& raw : text.split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        if (line.startsWith(QStringLiteral("# Empresa:"))) {
            company = line.mid(10).trimmed();
        }
        if (line.startsWith(QStringLiteral("expect"))) {
            continue;
        }
        const QStringList words = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (words.size() == 2 && words.at(0) == QStringLiteral("taxpayer")) {
            ruc = words.at(1);
        } else if (words.size() == 3 && words.at(0) == QStringLiteral("type")) {
            typed.append({words.at(1).toInt(), words.at(2)});
        }
        script.append(raw);
    }
    return script.join(QLatin1Char('\n'));
}

std::vector<std::unique_ptr<FilledForm>>& filledForms() {
    static std::vector<std::unique_ptr<FilledForm>> forms = [] {
        static bench::BenchDatabase database;
        std::vector<std::unique_ptr<FilledForm>> filled;
        const QDir folder(QStringLiteral(QEL_BENCH_RETURNS_DIR));
        for (const QString& name : folder.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name)) {
            QFile file(folder.filePath(name));
            if (!file.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "cannot read %s\n", qPrintable(file.fileName()));
                std::abort();
            }
            auto form = std::make_unique<FilledForm>();
            form->name = name;
            QString ruc;
            QString company;
            const QString script = scriptOf(QString::fromUtf8(file.readAll()), form->typed, ruc, company);
            test::registerTaxpayer(database.db(), ruc, company, QStringLiteral("CONTADOR"));
            form->runner = std::make_unique<batch::BatchRunner>(
                database.db(), form->out, form->err,
                batch::BatchRunner::Settings{QStringLiteral("2018"), QStringLiteral("0588"),
                                             QStringLiteral("CONTADOR")});
            if (form->runner->run(script) != batch::BatchRunner::kDone || form->runner->model() == nullptr) {
                std::fprintf(stderr, "%s does not run:\n%s\n", qPrintable(name), qPrintable(form->output));
                std::abort();
            }
            filled.push_back(std::move(form));
        }
        return filled;
    }();
    return forms;
}

Summary& demoSummary() {
    static Summary summary;
    return summary;
}

// As the batch mode types: the box entered, its text replaced key by key, the box left.
void BM_KeystrokeDemoReturns(benchmark::State& state) {
    std::vector<std::unique_ptr<FilledForm>>& forms = filledForms();
    double cpuSeconds = 0;
    std::int64_t keys = 0;
    std::vector<double> lineUsPerKey;
    for (auto _ : state) {
        double passSeconds = 0;
        for (const auto& form : forms) {
            DeclarationFormModel& model = *form->runner->model();
            for (const TypedLine& line : form->typed) {
                if (!openToTyping(model, line.casilla)) {
                    continue;
                }
                const double cpuStart = bench::threadCpuSeconds();
                const auto start = std::chrono::steady_clock::now();
                model.focusIn(line.casilla);
                model.setText(line.casilla, QString());
                for (const QChar key : line.text) {
                    model.typeKey(line.casilla, key);
                }
                model.focusOut(line.casilla);
                const auto end = std::chrono::steady_clock::now();
                const double cpu = bench::threadCpuSeconds() - cpuStart;
                cpuSeconds += cpu;
                passSeconds += std::chrono::duration<double>(end - start).count();
                keys += line.text.size();
                lineUsPerKey.push_back(cpu * 1e6 / static_cast<double>(line.text.size()));
            }
        }
        state.SetIterationTime(passSeconds);
    }
    Summary& summary = demoSummary();
    summary.cpuUsPerKey = keys > 0 ? cpuSeconds * 1e6 / static_cast<double>(keys) : 0;
    summary.medianMs = percentile(lineUsPerKey, 0.50) / 1000;
    summary.p99Ms = percentile(lineUsPerKey, 0.99) / 1000;
    state.SetItemsProcessed(keys);
    state.counters[bench::kTimedCpuCounter] = cpuSeconds * 1000 / static_cast<double>(state.iterations());
    state.counters["cpu_us_per_key"] = summary.cpuUsPerKey;
    state.counters["keys_per_pass"] = static_cast<double>(keys) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_KeystrokeDemoReturns)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(kPasses);

} // namespace

int main(int argc, char** argv) {
    const int result = bench::runWithRatios(argc, argv, {{"BM_Keystroke", "BM_KeystrokeWithoutRules"}});
    const Summary* rules = &summaryOf(true);
    const Summary* bare = &summaryOf(false);
    if (rules->medianMs > 0 && bare->medianMs > 0 && bare->p99Ms > 0) {
        std::printf("KEYSTROKE median %.3f ms (x%.2f the form without rules), p99 %.3f ms (x%.2f), at most %llu "
                    "database statement(s) per keystroke (casilla %d); median target %.0f ms %s\n",
                    rules->medianMs, rules->medianMs / bare->medianMs, rules->p99Ms, rules->p99Ms / bare->p99Ms,
                    static_cast<unsigned long long>(rules->maxStatements), rules->maxStatementsBox, kTargetMedianMs,
                    rules->medianMs < kTargetMedianMs ? "met" : "MISSED");
    }
    const Summary& demo = demoSummary();
    if (demo.cpuUsPerKey > 0 && rules->cpuUsPerKey > 0) {
        std::printf("DEMO RETURNS typed into their filled forms: %.1f us CPU per key (x%.2f the empty form's %.1f us), "
                    "line median %.1f us, p99 %.1f us per key; target %.0f us %s\n",
                    demo.cpuUsPerKey, demo.cpuUsPerKey / rules->cpuUsPerKey, rules->cpuUsPerKey, demo.medianMs * 1000,
                    demo.p99Ms * 1000, kTargetFilledCpuUs, demo.cpuUsPerKey <= kTargetFilledCpuUs ? "met" : "MISSED");
    }
    return result;
}
