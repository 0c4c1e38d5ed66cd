// The process the crash test kills: it opens a stored declaration in the declaration form
// (without windows) and saves it, either once in one of two versions ("a" or "b") or over and
// over, alternating the two ("loop"), until it is killed.
//
//   save_victim DATABASE RUC a|b|loop
//
// Both versions change casilla boxes and a text column of every working annex row, so that
// every table the save writes differs between them. "ready" is printed once the form is open,
// and "saved a" / "saved b" after each save.

#include "../support/FormServices.h"
#include "declaration/DeclarationFormModel.h"
#include "declaration/SaveCommand.h"
#include "management/DeclarationFormSession.h"
#include "store/Database.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

namespace {

using namespace qel;

// The working tables whose rows each version marks.
const QList<std::pair<const char*, const char*>> kMarked = {
    {"TMPF535SOCIOS", "des_nom_razon"}, {"TMPF535CASEF", "des_razon"}, {"TMPF544ADICDEDUC", "des_concepto"}};

void apply(declaration::DeclarationFormModel& model, store::Database& db, char version) {
    const bool b = version == 'b';
    model.setText(359, b ? QStringLiteral("2,000") : QStringLiteral("1,000"));
    model.setText(401, b ? QStringLiteral("1,200") : QStringLiteral("600"));
    model.setText(207, b ? QStringLiteral("87654321") : QString());
    model.setControlText(QStringLiteral("TxtNombreA"), b ? QStringLiteral("ROJAS") : QStringLiteral("D'ONOFRIO"));
    for (const auto& [table, column] : kMarked) {
        db.run(QStringLiteral("UPDATE %1 SET %2=?").arg(QString::fromLatin1(table), QString::fromLatin1(column)),
               {b ? QStringLiteral("VERSION B") : QStringLiteral("VERSION A")})
            .finish();
    }
    model.dirty = true;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4) {
        std::fprintf(stderr, "usage: save_victim DATABASE RUC a|b|loop\n");
        return 2;
    }
    auto opened = store::Database::open(args.at(1));
    if (!opened.database) {
        std::fprintf(stderr, "cannot open %s: %s\n", qPrintable(args.at(1)), qPrintable(opened.errorText));
        return 1;
    }
    store::Database& db = *opened.database;
    test::SilentServices services(db);
    management::DeclarationFormSession session(
        services.context(),
        management::DeclarationFormArguments::fromList(1, {args.at(2), QStringLiteral("VICTIMA"), false}));
    session.load();
    declaration::DeclarationFormModel& model = session.model();
    model.clickOption(QStringLiteral("OptITF"), 0);
    model.clickOption(QStringLiteral("OptPlan"), 2);
    std::printf("ready\n");
    std::fflush(stdout);

    const QString mode = args.at(3);
    if (mode != QStringLiteral("loop")) {
        apply(model, db, mode == QStringLiteral("b") ? 'b' : 'a');
        return session.saving().run() == declaration::SaveCommand::Outcome::Saved ? 0 : 1;
    }
    for (char version = 'b';; version = version == 'a' ? 'b' : 'a') {
        apply(model, db, version);
        if (session.saving().run() != declaration::SaveCommand::Outcome::Saved) {
            return 1;
        }
        std::printf("saved %c\n", version);
        std::fflush(stdout);
    }
}
