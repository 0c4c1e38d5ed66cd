#pragma once

// The declaration form without its window, as the tests, the benchmarks and the helper
// programs drive it: what the form is handed, and a registered taxpayer to open. Header-only
// and free of the test framework, so that programs outside the test suites can use it.

#include "app/Clock.h"
#include "app/FormOpener.h"
#include "app/UtilityComponent.h"
#include "base/Prompter.h"
#include "declaration/model/DeclarationFormModel.h"
#include "store/Database.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>

namespace qel::test {

inline const QString kSupervisor = QStringLiteral("SUPERVISOR");

// Shows nothing; every question takes its default button.
class SilentPrompter : public app::Prompter {
public:
    void message(const QString&, const QString&, app::Icon) override {}
    app::Button ask(const QString&, const QString&, app::Buttons, app::Button defaultButton, app::Icon) override {
        return defaultButton;
    }
};

// Opens no window: records what the form asked to open and hands back the text queued for
// that window, else `answer`.
class RecordingOpener : public app::FormOpener {
public:
    QString open(const app::FormRequest& request) override {
        requests.append(request);
        return answers.value(request.name, answer);
    }
    bool knows(const QString&) const override { return true; }

    QList<app::FormRequest> requests;
    QHash<QString, QString> answers;
    QString answer;
};

// The moment the 2018 return is prepared.
inline QDateTime filingDay() {
    return QDateTime(QDate(2019, 3, 15), QTime(10, 0));
}

// The context of a form 0588 of 2018; by default for the supervisor (user kind "0"), who sees
// every taxpayer.
inline declaration::FormContext formContext(store::Database& db, app::Prompter& prompter, const app::Clock& clock,
                                            app::UtilityComponent& utility, app::FormOpener& opener,
                                            const QString& user = kSupervisor,
                                            const QString& userKind = QStringLiteral("0")) {
    return {db, prompter, clock, utility, opener, QStringLiteral("2018"), QStringLiteral("0588"), user, userKind};
}

// Registers a taxpayer (a RUC) under the user of the module who keeps it.
inline void registerTaxpayer(store::Database& db, const QString& ruc, const QString& name,
                             const QString& user = kSupervisor) {
    db.run(QStringLiteral("INSERT INTO CONT (TIP_DOC_D, DOC_ID_D, NOMBRE, USUARIO) VALUES (6, ?, ?, ?)"),
           {ruc, name, user})
        .finish();
}

// What a form that nobody watches is handed: a silent prompter, the clock stopped on the
// filing day and no windows.
struct SilentServices {
    explicit SilentServices(store::Database& database) : db(database) {}
    declaration::FormContext context() { return formContext(db, prompter, clock, utility, opener); }

    store::Database& db;
    SilentPrompter prompter;
    app::FixedClock clock{filingDay()};
    app::UtilityComponent utility{prompter, &db};
    RecordingOpener opener;
};

} // namespace qel::test
