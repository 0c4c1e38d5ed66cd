#include "app/Clock.h"
#include "batch/BatchFixture.h"
#include "declaration/SaveFixture.h"
#include "launcher/DeclarationSender.h"
#include "management/SentVersionsFixture.h"
#include "management/VersionRecovery.h"

using namespace Qt::StringLiterals;

// A declaration sent and later recovered as the active declaration gives back the rows it was
// sent with; only its header's state says it must be saved again before it is sent.

namespace qel::management {
namespace {

const QString kRuc = u"20601000211"_s;

// The rows of every table but the header, whose state and check code are the recovery's own.
QStringList withoutHeader(QStringList rows) {
    rows.removeIf([](const QString& row) { return row.startsWith(u"CAB: "_s); });
    return rows;
}

using SendAndRecover = test::BatchTest;

TEST_F(SendAndRecover, TheRecoveredDeclarationHasTheRowsItWasSentWith) {
    test::registerTaxpayer(db(), kRuc, u"CONFECCIONES DEL PACÍFICO S.A.C."_s, test::kContador);
    ASSERT_TRUE(runs(test::demoReturnScript(u"i_asistentes.txt"_s) + u"\nsave\nclose"_s));
    const store::DeclarationKey key = test::demoKey(kRuc);
    const QStringList sent = test::declarationRows(db(), key);
    QStringList header = store::TableCatalog::instance().layout(u"CAB"_s, store::Copy::Permanent).columnNames();
    header.removeAll(u"ESTADO"_s);
    header.removeAll(store::TableCatalog::kCheckColumn);
    const QStringList sentHeader = test::tableRows(db(), u"CAB"_s, header, key.filter());

    declaration::testing::RecordingPrompter prompter;
    prompter.answers = {app::Button::Yes}; // replacing the active declaration is confirmed
    app::FixedClock clock(test::filingDay());
    const launcher::DeclarationSender::Result result = launcher::DeclarationSender(db(), prompter, clock).send(key);
    ASSERT_TRUE(result.sent) << result.message.toStdString();

    // Something changed after the send, then the sent version is recovered over it.
    test::insertRow(db(), u"F535SOCIOS"_s, key, {{u"tipo_socio"_s, u"02"_s}, {u"nro_doc_socio"_s, 1}});
    VersionRecovery recovery({db(), prompter, u"2018"_s, u"0588"_s, test::kSupervisor},
                             {.ruc = kRuc, .correl = result.correl});
    ASSERT_TRUE(recovery.RecoverVersion(u"0588"_s, kRuc, u"2018"_s, result.correl));

    EXPECT_EQ(withoutHeader(test::declarationRows(db(), key)), withoutHeader(sent));
    EXPECT_EQ(test::tableRows(db(), u"CAB"_s, header, key.filter()), sentHeader);
}

} // namespace
} // namespace qel::management
