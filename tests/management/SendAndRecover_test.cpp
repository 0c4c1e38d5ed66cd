#include "app/Clock.h"
#include "batch/BatchFixture.h"
#include "launcher/DeclarationSender.h"
#include "management/SentVersionsFixture.h"
#include "management/VersionRecovery.h"

// A declaration sent and later recovered as the active declaration gives back the rows it was
// sent with; only its header's state says it must be saved again before it is sent.

namespace qel::management {
namespace {

const QString kRuc = QStringLiteral("20601000211");

// The rows of every table but the header, whose state and check code are the recovery's own.
QStringList withoutHeader(QStringList rows) {
    rows.removeIf([](const QString& row) { return row.startsWith(QStringLiteral("CAB: ")); });
    return rows;
}

using SendAndRecover = test::BatchTest;

TEST_F(SendAndRecover, TheRecoveredDeclarationHasTheRowsItWasSentWith) {
    test::registerTaxpayer(db(), kRuc, QStringLiteral("CONFECCIONES DEL PACÍFICO S.A.C."), test::kContador);
    ASSERT_TRUE(runs(test::demoReturnScript(QStringLiteral("i_asistentes.txt")) + QStringLiteral("\nsave\nclose")));
    const store::DeclarationKey key = test::demoKey(kRuc);
    const QStringList sent = test::declarationRows(db(), key);
    QStringList header =
        store::TableCatalog::instance().layout(QStringLiteral("CAB"), store::Copy::Permanent).columnNames();
    header.removeAll(QStringLiteral("ESTADO"));
    header.removeAll(store::TableCatalog::kCheckColumn);
    const QStringList sentHeader = test::tableRows(db(), QStringLiteral("CAB"), header, key.filter());

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

    EXPECT_EQ(withoutHeader(test::declarationRows(db(), key)), withoutHeader(sent));
    EXPECT_EQ(test::tableRows(db(), QStringLiteral("CAB"), header, key.filter()), sentHeader);
}

} // namespace
} // namespace qel::management
