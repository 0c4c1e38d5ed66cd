// Typing into the declaration form without its window. A new declaration is opened and its
// taxpayer chosen; then one digit is typed, as a user types it, into every box open to typing
// (enabled and not locked once the taxpayer is chosen), in catalogue order: the box is entered,
// the key goes through its key filter and the box is left, and the time of each keystroke
// includes the recalculation it sets off. Each benchmark iteration is one pass over a fresh
// form; only the keystrokes are timed (manual time), not the opening of the form.
//
// The baseline types the same keys into a form model that has no rules attached (only its
// loader, so that the taxpayer can be chosen), in the same run, on the same database: the ratio
// shows what the rules cost per keystroke. Besides the time, every keystroke counts the
// statements it sends to the database; the rules may read only what a rule needs (the
// assistant totals, for instance), never reference data that does not change while the form
// is open.

#include "bench_support.h"
#include "declaration/CasillaCatalog.h"
#include "declaration/DeclarationFormModel.h"
#include "declaration/FormLoader.h"
#include "management/DeclarationFormSession.h"

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
            const auto start = std::chrono::steady_clock::now();
            model.focusIn(n);
            model.typeKey(n, digit);
            model.focusOut(n);
            const auto end = std::chrono::steady_clock::now();
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
    return result;
}
