#pragma once

// A registered declaration with a few casillas and 120 rentals, and its report printed through
// FrmTipPrnR: the print windows' tests and the screenshot tool share it.
#include "app/Clock.h"
#include "declaration/FormFixture.h"
#include "printing/DeclarationReport.h"
#include "printing/ui/FrmTipPrnR.h"
#include "ui/WindowDriver.h"

namespace qel::printing::test_support {

class PrintWindows : public ::testing::Test {
protected:
    void SetUp() override {
        const store::DeclarationKey key = test::demoKey();
        test::registerTaxpayer(db(), key.ruc, QStringLiteral("COMERCIAL ANDINA S.A.C."));
        test::insertRow(db(), QStringLiteral("CAB"), key, {{QStringLiteral("SEMANA"), 0}});
        const QVariantMap casillas = declaration::testing::fields("870=2; 359=185000; 361=420000; 100=2450000");
        for (const auto& [casilla, value] : casillas.asKeyValueRange()) {
            declaration::testing::storeCasilla(db(), key, casilla, value);
        }
        for (int n = 1; n <= 120; ++n) {
            test::insertRow(
                db(), QStringLiteral("F582ALQUILER"), key,
                declaration::testing::fields(QStringLiteral("tipo_doc=6; nro_doc=20%1; correl_pred=%2; tip_bien=1; "
                                                            "des_bien=Local comercial %2; mto_alquiler=%3")
                                                 .arg(n, 9, 10, QChar('0'))
                                                 .arg(n)
                                                 .arg(1200 * n)));
        }
    }
    store::Database& db() { return database.db(); }
    PrintTypeModel::Context context() {
        return {db(),
                *prompter,
                clock,
                test::kSupervisor,
                QStringLiteral("0"),
                QStringLiteral("2018"),
                QStringLiteral("0588"),
                database.folder() + QStringLiteral("/RPT"),
                false};
    }
    QString printReport(bool annexes) {
        FrmTipPrnR window(context());
        QString path;
        window.model().setPreviewOpener([&path](const QString& file) { path = file; });
        window.setWithAnnexes(annexes);
        printedPages = DeclarationReport(db(), test::demoKey()).write(annexes, clock.now()).pageCount();
        prompter->expectMessage(QStringLiteral("Impresión de %1 páginas").arg(printedPages));
        EXPECT_TRUE(window.print());
        return path;
    }

    test::TempDatabase database;
    std::unique_ptr<app::ScriptedPrompter> prompter = test::makePrompter();
    app::FixedClock clock{test::filingDay()};
    int printedPages = 0; // of the last report printed
};

} // namespace qel::printing::test_support
