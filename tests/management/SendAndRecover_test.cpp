#include "app/Clock.h"
#include "batch/BatchFixture.h"
#include "launcher/DeclarationSender.h"
#include "management/VersionRecovery.h"

// A declaration sent and later recovered as the active declaration gives back the rows it was
// sent with; only its header's state says it must be saved again before it is sent.

namespace qel::management {
namespace {

const QString kRuc = QStringLiteral("20601000211");

// The header's state and check code are the recovery's own; every other value must come back.
QStringList withoutHeaderState(QStringList rows) {
    const QStringList columns =
        store::TableCatalog::instance().layout(QStringLiteral("CAB"), store::Copy::Permanent).columnNames();
    const auto position = [&columns](const QString& name) {
        for (qsizetype i = 0; i < columns.size(); ++i) {
            if (columns.at(i).compare(name, Qt::CaseInsensitive) == 0) {
                return i;
            }
        }
        return qsizetype{-1};
    };
    const qsizetype state = position(QStringLiteral("ESTADO"));
    const qsizetype check = position(store::TableCatalog::kCheckColumn);
    for (QString& row : rows) {
        if (row.startsWith(QStringLiteral("CAB: "))) {
            QStringList values = row.mid(5).split(QLatin1Char('|'));
            for (const qsizetype i : {state, check}) {
                if (i >= 0 && i < values.size()) {
                    values[i] = QStringLiteral("-");
                }
            }
            row = QStringLiteral("CAB: ") + values.join(QLatin1Char('|'));
        }
    }
    return rows;
}

using SendAndRecover = test::BatchTest;

TEST_F(SendAndRecover, TheRecoveredDeclarationHasTheRowsItWasSentWith) {
    test::registerTaxpayer(db(), kRuc, QStringLiteral("CONFECCIONES DEL PACÍFICO S.A.C."), test::kContador);
    ASSERT_TRUE(runs(test::demoReturnScript(QStringLiteral("i_asistentes.txt")) + QStringLiteral("\nsave\nclose")));
    const store::DeclarationKey key = test::demoKey(kRuc);
    const QStringList sent = test::declarationRows(db(), key);

    test::SilentPrompter prompter;
    app::FixedClock clock(test::filingDay());
    const launcher::DeclarationSender::Result result = launcher::DeclarationSender(db(), prompter, clock).send(key);
    ASSERT_TRUE(result.sent) << result.message.toStdString();

    // Something changed after the send, then the sent version is recovered over it.
    test::insertRow(db(), QStringLiteral("F535SOCIOS"), key,
                    {{QStringLiteral("tipo_socio"), QStringLiteral("02")}, {QStringLiteral("nro_doc_socio"), 1}});
    SentVersionRow source;
    source.ruc = kRuc;
    source.correl = result.correl;
    // Replacing the active declaration is confirmed.
    class Confirming : public test::SilentPrompter {
        app::Button ask(const QString&, const QString&, app::Buttons, app::Button, app::Icon) override {
            return app::Button::Yes;
        }
    } confirming;
    VersionRecovery recovery({db(), confirming, QStringLiteral("2018"), QStringLiteral("0588"), test::kSupervisor},
                             source);
    ASSERT_TRUE(recovery.RecoverVersion(QStringLiteral("0588"), kRuc, QStringLiteral("2018"), result.correl));

    const QStringList recovered = test::declarationRows(db(), key);
    EXPECT_EQ(recovered.size(), sent.size());
    EXPECT_EQ(withoutHeaderState(recovered), withoutHeaderState(sent)) << "the recovery must give back what was sent";
}

} // namespace
} // namespace qel::management
