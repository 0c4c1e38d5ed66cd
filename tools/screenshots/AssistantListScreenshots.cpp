// Pictures of the detail windows of the assistants and of the form's subjects, filled by the
// demo return of the assistants: /tmp/shots/14b/<window>.png. Run with
//   qel_screenshots --gtest_filter='AssistantListScreenshots*'
#include "annexes/AssistantCatalog.h"
#include "annexes/CasillaListModel.h"
#include "annexes/ui/AnnexDetailWindow.h"
#include "annexes/ui/CasillaAssistantWindow.h"
#include "annexes/ui/CasillaListWindow.h"
#include "app/Clock.h"
#include "batch/BatchRunner.h"
#include "catalogue/CasillaListCatalog.h"
#include "support/FormServices.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTextStream>
#include <gtest/gtest.h>

namespace qel::annexes {
namespace {

const QString kFolder = QStringLiteral("/tmp/shots/14b");
const QString kRuc = QStringLiteral("20601000211");

void save(QWidget& window, const QString& name) {
    window.adjustSize();
    window.show();
    QDir().mkpath(kFolder);
    EXPECT_TRUE(window.grab().save(kFolder + QLatin1Char('/') + name + QStringLiteral(".png")));
    window.hide();
}

// The demo return typed, and left open so that its working rows are there.
void typeDemo(store::Database& db) {
    QFile file(QStringLiteral(QEL_TEST_DATA_DIR "/returns/i_asistentes.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QStringList lines;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        if (!line.trimmed().startsWith(QStringLiteral("expect"))) {
            lines.append(line);
        }
    }
    QString output;
    QTextStream out(&output);
    batch::BatchRunner runner(db, out, out,
                              {QStringLiteral("2018"), QStringLiteral("0588"), QStringLiteral("CONTADOR")});
    ASSERT_EQ(runner.run(lines.join(QLatin1Char('\n')) + QStringLiteral("\nsave")), batch::BatchRunner::kDone)
        << output.toStdString();
}

TEST(AssistantListScreenshots, EveryNewWindowFilled) {
    test::TempDatabase database;
    test::registerTaxpayer(database.db(), kRuc, QStringLiteral("CONFECCIONES DEL PACÍFICO S.A.C."),
                           QStringLiteral("CONTADOR"));
    typeDemo(database.db());
    // The saved rows, back in the working tables as an opened declaration has them.
    QString output;
    QTextStream out(&output);
    batch::BatchRunner reopen(database.db(), out, out,
                              {QStringLiteral("2018"), QStringLiteral("0588"), QStringLiteral("CONTADOR")});
    const store::DeclarationKey key = test::demoKey(kRuc);
    auto prompter = test::makePrompter();
    app::FixedClock clock{test::filingDay()};
    test::RecordingOpener opener;
    // A script that opens the declaration leaves its working rows when it ends.
    ASSERT_EQ(reopen.run(QStringLiteral("open %1").arg(kRuc)), batch::BatchRunner::kDone) << output.toStdString();

    test::insertRow(database.db(), QStringLiteral("TMPF540DISLEG"), key,
                    {{QStringLiteral("CASILLA"), QStringLiteral("223")},
                     {QStringLiteral("num_correl"), 1},
                     {QStringLiteral("des_concepto"), QStringLiteral("ALMACEN EN IQUITOS")},
                     {QStringLiteral("mto_peru"), 120000}});

    const QList<std::pair<const char*, int>> lists = {
        {"frmListDetInverAmazonia", 223}, {"frmAdicDeduc", 103}, {"frmMinOtros", 476},
        {"frmInverExtranjero", 0},        {"frmFideicomiso", 0}, {"frmAsistGastosSujRet", 0}};
    for (const auto& [name, casilla] : lists) {
        const CasillaListDef* def = CasillaListCatalog::find(QString::fromLatin1(name), casilla);
        ASSERT_NE(def, nullptr) << name;
        CasillaListWindow window(
            std::make_unique<CasillaListModel>(*def, database.db(), *prompter, &opener, key, casilla, false));
        save(window, QString::fromLatin1(name));
    }
    const QList<std::pair<const char*, QStringList>> details = {
        {"frmAdicDeducOtros", {QStringLiteral("1")}},      {"frmMinOtrosDet", {QStringLiteral("1")}},
        {"frmInverExtranjeroDet", {QStringLiteral("1")}},  {"frmFideicomisoDet", {QStringLiteral("1")}},
        {"frmGastosNoDomDet", {QStringLiteral("01")}},     {"frmNoDomic", {"7", "AB123456", "02"}},
        {"frmDetalleInverAmazonia", {QStringLiteral("1")}}};
    for (const auto& [name, keyValues] : details) {
        app::FormRequest request;
        request.name = QString::fromLatin1(name);
        request.key = key;
        request.action = app::FormRequest::kModify;
        request.keyValues = keyValues;
        request.code = QString::fromLatin1(name) == QStringLiteral("frmAdicDeducOtros")         ? QStringLiteral("103")
                       : QString::fromLatin1(name) == QStringLiteral("frmMinOtrosDet")          ? QStringLiteral("476")
                       : QString::fromLatin1(name) == QStringLiteral("frmDetalleInverAmazonia") ? QStringLiteral("223")
                                                                                                : QString();
        ui::AnnexDetailWindow window(*AnnexCatalog::instance().window(request.name),
                                     AnnexContext{database.db(), *prompter, clock, &opener}, request);
        save(window, request.name);
    }
    const QList<std::tuple<const char*, int, QStringList>> assistants = {
        {"frmAnexo103", 103, {}},
        {"frmExesoRem", 522, {}},
        {"frmpergan2015", 476, {}},
        {"frmNoDomicDet", 0, {QStringLiteral("7"), QStringLiteral("AB123456"), QStringLiteral("02")}}};
    for (const auto& [name, casilla, rowKey] : assistants) {
        const AssistantDef* def = AssistantCatalog::instance().find(QString::fromLatin1(name), casilla);
        ASSERT_NE(def, nullptr) << name;
        CasillaAssistantWindow window(
            std::make_unique<CasillaAssistantModel>(database.db(), *prompter, *def, key, casilla, false, rowKey));
        save(window, QString::fromLatin1(name) + QLatin1Char('-') + QString::number(casilla));
    }
}

} // namespace
} // namespace qel::annexes
