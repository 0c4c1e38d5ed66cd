// What the user waits for in the windows, on the offscreen platform, each against the same
// work without the window in the same run:
//   - a new declaration: the form's session loaded in new mode, then Frm537 built over it,
//     shown and painted once; the floor is the session loaded alone;
//   - opening the declaration with 10,000 annex rows: the same in modify mode;
//   - validating it with the form's "Validar" button, the window mirroring what the command
//     changed; the floor runs the validate command on a session without a window;
//   - saving it with the form's "Grabar" button; the floor runs the save command alone;
//   - the first page of its report in the preview window, shown and painted; the floor reads
//     the same report file and paints its first page into an image at the same scale.
// A window counts as shown when its first paint after the expose is done. Closing a form
// (which empties its working tables) is not timed on either side.

#include "bench_support.h"
#include "catalogue/FormControls.h"
#include "declaration/commands/SaveCommand.h"
#include "declaration/commands/ValidateCommand.h"
#include "declaration/ui/Frm537.h"
#include "management/DeclarationFormSession.h"
#include "printing/DeclarationReport.h"
#include "printing/ReportDocument.h"
#include "printing/ReportPainter.h"
#include "printing/SpoolRegistry.h"
#include "printing/ui/frmPreview.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>

namespace qel {
namespace {

using management::DeclarationFormArguments;
using management::DeclarationFormSession;

// The declaration of the benchmarks: header, a value for every casilla box but those holding
// an answer (two answers given), and annexRows() annex rows. Saved once, so that the rows
// carry their check codes and the header its state, as a user's declaration does.
struct Fixture {
    bench::BenchDatabase& database = bench::annexDatabase();
    test::SilentServices services{database.db()};
    QTemporaryDir spool;
    QString reportPath;

    Fixture() {
        store::Database& db = database.db();
        const store::DeclarationKey key = bench::benchKey();
        bench::storeDeclaration(db, key, [](const declaration::CasillaDef& def) {
            return declaration::FormControls::instance().answeredIn(def.number) == nullptr;
        });
        bench::storeCasilla(db, key, QStringLiteral("878"), QStringLiteral("0")); // the ITF question
        bench::storeCasilla(db, key, QStringLiteral("870"), QStringLiteral("2")); // the chart of accounts
        {
            auto session = openSession();
            if (session->saving().run() != declaration::SaveCommand::Outcome::Saved) {
                std::fprintf(stderr, "the declaration was not saved\n");
                std::abort();
            }
        }
        const printing::DeclarationReport report(db, key);
        printing::SpoolEntry entry;
        entry.path = spool.filePath(QStringLiteral("00000001.PRN"));
        printing::SpoolRegistry::save(entry, report.write(true, test::filingDay()).fileText());
        reportPath = entry.path;
    }

    std::unique_ptr<DeclarationFormSession> newSession() {
        return std::make_unique<DeclarationFormSession>(services.context(), DeclarationFormArguments::fromList(0, {}));
    }
    std::unique_ptr<DeclarationFormSession> openSession() {
        auto session = std::make_unique<DeclarationFormSession>(
            services.context(), DeclarationFormArguments::fromList(1, {bench::benchKey().ruc, bench::kCompany, false}));
        session->load();
        return session;
    }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

// Shows a window and returns once its first paint is done.
class PaintWatch : public QObject {
public:
    explicit PaintWatch(QWidget& window) : m_window(window) { window.installEventFilter(this); }
    ~PaintWatch() override { m_window.removeEventFilter(this); }

    void showAndWait(benchmark::State& state) {
        m_window.show();
        QElapsedTimer waited;
        waited.start();
        while (!m_painted) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            if (waited.elapsed() > 10000) {
                state.SkipWithError("the window was never painted");
                return;
            }
        }
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &m_window && event->type() == QEvent::Paint) {
            m_painted = true;
        }
        return false;
    }

private:
    QWidget& m_window;
    bool m_painted = false;
};

// The form over a loaded session, as the module opens it: its explanations and undo attached.
std::unique_ptr<declaration::Frm537> formWindow(DeclarationFormSession& session) {
    auto window = std::make_unique<declaration::Frm537>(session.model());
    window->attach(session.explanations(), session.history());
    return window;
}

void BM_NewFormModel(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state) {
        auto session = f.newSession();
        session->load();
        benchmark::DoNotOptimize(session->model().caption);
        state.PauseTiming();
        session.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_NewFormModel)->Unit(benchmark::kMillisecond)->MinTime(1.0);

void BM_NewFormWindow(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state) {
        auto session = f.newSession();
        session->load();
        auto window = formWindow(*session);
        PaintWatch(*window).showAndWait(state);
        state.PauseTiming();
        window.reset();
        session.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_NewFormWindow)->Unit(benchmark::kMillisecond)->MinTime(1.0);

void BM_OpenModel(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state) {
        auto session = f.openSession();
        benchmark::DoNotOptimize(session->model().caption);
        state.PauseTiming();
        session.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * bench::annexRows());
}
BENCHMARK(BM_OpenModel)->Unit(benchmark::kMillisecond)->MinTime(1.0);

void BM_OpenWindow(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state) {
        auto session = f.openSession();
        auto window = formWindow(*session);
        PaintWatch(*window).showAndWait(state);
        state.PauseTiming();
        window.reset();
        session.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * bench::annexRows());
}
BENCHMARK(BM_OpenWindow)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// The declaration open in a form; with `shown`, in its window on the screen.
struct OpenForm {
    explicit OpenForm(benchmark::State& state, bool shown) : session(fixture().openSession()) {
        if (shown) {
            window = formWindow(*session);
            PaintWatch(*window).showAndWait(state);
        }
    }
    // Clicks one of the form's command buttons and lets the window take in what changed.
    void click(const QString& button) {
        window->findChild<QPushButton*>(button)->click();
        QCoreApplication::processEvents();
    }

    std::unique_ptr<DeclarationFormSession> session;
    std::unique_ptr<declaration::Frm537> window;
};

void BM_ValidateModel(benchmark::State& state) {
    OpenForm form(state, false);
    for (auto _ : state) {
        form.session->validation().run();
    }
}
BENCHMARK(BM_ValidateModel)->Unit(benchmark::kMillisecond)->MinTime(1.0);

void BM_ValidateWindow(benchmark::State& state) {
    OpenForm form(state, true);
    for (auto _ : state) {
        form.click(QStringLiteral("cmdValidar"));
    }
}
BENCHMARK(BM_ValidateWindow)->Unit(benchmark::kMillisecond)->MinTime(1.0);

void BM_SaveModel(benchmark::State& state) {
    OpenForm form(state, false);
    for (auto _ : state) {
        if (form.session->saving().run() != declaration::SaveCommand::Outcome::Saved) {
            state.SkipWithError("the save failed");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * bench::annexRows());
}
BENCHMARK(BM_SaveModel)->Unit(benchmark::kMillisecond)->MinTime(1.0);

void BM_SaveWindow(benchmark::State& state) {
    OpenForm form(state, true);
    for (auto _ : state) {
        form.session->model().dirty = true; // a save clears it
        form.click(QStringLiteral("cmdGrabar"));
    }
    if (form.session->model().dirty) {
        state.SkipWithError("the form was not saved");
    }
    state.SetItemsProcessed(state.iterations() * bench::annexRows());
}
BENCHMARK(BM_SaveWindow)->Unit(benchmark::kMillisecond)->MinTime(1.0);

void BM_PreviewModel(benchmark::State& state) {
    Fixture& f = fixture();
    // The preview's scale at 100 %: screen pixels per point.
    const double scale = QGuiApplication::primaryScreen()->logicalDotsPerInchX() / 72.0;
    for (auto _ : state) {
        const printing::ReportDocument document = printing::ReportDocument::fromFile(f.reportPath);
        const QSizeF size = printing::ReportPainter::pageSizePoints(document.page(0)) * scale;
        QImage picture(size.toSize(), QImage::Format_ARGB32_Premultiplied);
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        printing::ReportPainter::paint(painter, document, 0, scale);
        painter.end();
        benchmark::DoNotOptimize(picture.constBits());
    }
}
BENCHMARK(BM_PreviewModel)->Unit(benchmark::kMillisecond)->MinTime(1.0);

void BM_PreviewWindow(benchmark::State& state) {
    Fixture& f = fixture();
    int pages = 0;
    for (auto _ : state) {
        auto window = std::make_unique<printing::frmPreview>(f.reportPath, f.services.prompter);
        PaintWatch(*window).showAndWait(state);
        pages = window->model().pageCount();
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
    state.counters["pages"] = pages;
}
BENCHMARK(BM_PreviewWindow)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// The offscreen platform warns at every window shown that it passes no size hints on.
QtMessageHandler defaultHandler = nullptr;
void quietHandler(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (!text.contains(QLatin1String("propagateSizeHints"))) {
        defaultHandler(type, context, text);
    }
}

} // namespace
} // namespace qel

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qel::defaultHandler = qInstallMessageHandler(qel::quietHandler);
    QApplication app(argc, argv);
    return qel::bench::runWithRatios(argc, argv,
                                     {{"BM_NewFormWindow", "BM_NewFormModel"},
                                      {"BM_OpenWindow", "BM_OpenModel"},
                                      {"BM_ValidateWindow", "BM_ValidateModel"},
                                      {"BM_SaveWindow", "BM_SaveModel"},
                                      {"BM_PreviewWindow", "BM_PreviewModel"}});
}
