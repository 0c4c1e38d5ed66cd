// The process the crash test kills: it opens a stored declaration in the declaration form
// (without windows) and saves it, either once in one of two versions ("a" or "b") or over and
// over, alternating the two ("loop"), until it is killed.
//
//   save_victim DATABASE RUC a|b|loop
//   save_victim DATABASE RUC recover|delete CORREL
//
// Both versions change casilla boxes and a text column of every working annex row, so that
// every table the save writes differs between them. "ready" is printed once the form is open,
// and "saved a" / "saved b" after each save.
//
// "recover" makes the sent version CORREL the active declaration (answering Yes to the
// overwrite question) and "delete" deletes that version; each prints "ready" just before it
// starts and "done" when it has finished.

#include "../support/FormServices.h"
#include "declaration/commands/SaveCommand.h"
#include "declaration/model/DeclarationFormModel.h"
#include "management/DeclarationFormSession.h"
#include "management/VersionRecovery.h"
#include "store/Database.h"
#include "store/WorkingCopies.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

using namespace qel;

// The working tables whose rows each version marks.
const QList<std::pair<const char*, const char*>> kMarked = {
    {"TMPF535SOCIOS", "des_nom_razon"}, {"TMPF535CASEF", "des_razon"}, {"TMPF544ADICDEDUC", "des_concepto"}};

void apply(declaration::DeclarationFormModel& model, store::Database& db, char version) {
    const bool b = version == 'b';
    model.setText(359, b ? u"2,000"_s : u"1,000"_s);
    model.setText(401, b ? u"1,200"_s : u"600"_s);
    model.setText(207, b ? u"87654321"_s : QString());
    model.setControlText(u"TxtNombreA"_s, b ? u"ROJAS"_s : u"D'ONOFRIO"_s);
    for (const auto& [table, column] : kMarked) {
        db.run(u"UPDATE %1 SET %2=?"_s.arg(QString::fromLatin1(table), QString::fromLatin1(column)),
               {b ? u"VERSION B"_s : u"VERSION A"_s})
            .finish();
    }
    model.dirty = true;
}

// Answers Yes to every question.
class YesPrompter : public app::Prompter {
public:
    void message(const QString&, const QString&, app::Icon) override {}
    app::Button ask(const QString&, const QString&, app::Buttons, app::Button, app::Icon) override {
        return app::Button::Yes;
    }
};

// Recovers or deletes one sent version; 0 when it was done.
int runOnVersion(store::Database& db, const QString& ruc, const QString& command, const QString& correl) {
    YesPrompter prompter;
    std::printf("ready\n");
    std::fflush(stdout);
    bool done = false;
    if (command == u"recover"_s) {
        management::VersionRecovery recovery({db, prompter, u"2018"_s, u"0588"_s, QString()},
                                             {.ruc = ruc, .correl = correl});
        done = recovery.recover();
    } else {
        done = store::deleteSentVersion(db, prompter, {ruc, u"2018"_s, u"0588"_s}, correl);
    }
    std::printf("done\n");
    std::fflush(stdout);
    return done ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4 && args.size() != 5) {
        std::fprintf(stderr, "usage: save_victim DATABASE RUC a|b|loop, or DATABASE RUC recover|delete CORREL\n");
        return 2;
    }
    auto opened = store::Database::open(args.at(1));
    if (!opened.database) {
        std::fprintf(stderr, "cannot open %s: %s\n", qPrintable(args.at(1)), qPrintable(opened.errorText));
        return 1;
    }
    store::Database& db = *opened.database;
    if (args.size() == 5) {
        return runOnVersion(db, args.at(2), args.at(3), args.at(4));
    }
    test::SilentServices services(db);
    management::DeclarationFormSession session(
        services.context(), management::DeclarationFormArguments::fromList(1, {args.at(2), u"VICTIMA"_s, false}));
    session.load();
    declaration::DeclarationFormModel& model = session.model();
    model.clickOption(u"OptITF"_s, 0);
    model.clickOption(u"OptPlan"_s, 2);
    std::printf("ready\n");
    std::fflush(stdout);

    const QString mode = args.at(3);
    if (mode != u"loop"_s) {
        apply(model, db, mode == u"b"_s ? 'b' : 'a');
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
