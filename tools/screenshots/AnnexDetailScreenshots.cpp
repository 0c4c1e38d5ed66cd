// Pictures of five annex windows filled and of a contract with its participants, for a person
// to look at: /tmp/shots/12/<window>.png. Run with
//   qel_screenshots --gtest_filter='AnnexDetailScreenshots*'
#include "annexes/ui/AnnexDetailWindow.h"
#include "app/Clock.h"
#include "catalogue/AnnexCatalog.h"
#include "support/FormServices.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QTest>
#include <gtest/gtest.h>

namespace qel::annexes::ui {
namespace {

const QString kDeclarant = QStringLiteral("20100070970");

TEST(AnnexDetailScreenshots, FiveAnnexWindowsAndAContract) {
    test::TempDatabase database;
    auto prompter = test::makePrompter();
    const app::FixedClock clock{test::filingDay()};
    test::RecordingOpener opener;
    const auto open = [&](const QString& name, const QString& code) {
        app::FormRequest request;
        request.name = name;
        request.key = test::demoKey(kDeclarant);
        request.code = code;
        return std::make_unique<AnnexDetailWindow>(*AnnexCatalog::instance().window(name),
                                                   AnnexContext{database.db(), *prompter, clock, &opener}, request);
    };
    QDir().mkpath(QStringLiteral("/tmp/shots/12"));
    struct Shot {
        const char* window;
        const char* code;
        QList<std::pair<const char*, const char*>> values;
    };
    const QList<Shot> shots = {
        {"frmDetalleSocios",
         "",
         {{"tipo_socio", "02"},
          {"tipo_doc_socio", "06"},
          {"nro_doc_socio", "20100047218"},
          {"des_nom_razon", "INVERSIONES ANDINAS SAC"},
          {"fec_nac_socio", "15/03/1970"},
          {"cod_pais", "9589"},
          {"Porcentaje", "33.33"},
          {"fec_cosnt_socio", "01/02/1990"}}},
        {"frmDetalleAlquileres",
         "",
         {{"tipo_doc", "06"},
          {"nro_doc", "20100047218"},
          {"tip_bien", "2"},
          {"des_bien", "LOCAL COMERCIAL"},
          {"des_identificacion", "P11223344"},
          {"mto_alquiler", "18000"},
          {"cod_ubigeo", "150101"},
          {"tip_via", "01"},
          {"des_via", "ABANCAY"},
          {"numero", "120"},
          {"interior", "3"}}},
        {"frmDetVehiculos",
         "",
         {{"cod_categ", "A2"},
          {"des_placa", "ABC123"},
          {"mto_adq", "45000"},
          {"Fec_Ing", "01/06/2017"},
          {"cod_condicion", "1"},
          {"cod_actividad", "2"},
          {"mto_dep", "9000"},
          {"mto_com", "3200"},
          {"mto_gasto", "12200"},
          {"ind_ded_gasto", "1"},
          {"ind_sustitucion", "0"}}},
        {"frmOperacFinancieras",
         "1",
         {{"tip_documento", "06"},
          {"num_documento", "20100047218"},
          {"des_nom_razon", "BANCO DEL SUR SA"},
          {"fec_ini_contrato", "01/01/2018"},
          {"ind_plazo", "0"},
          {"fec_fin_contrato", "31/12/2019"}}},
        {"frmDetalleMermas",
         "",
         {{"ind_inf_tecnico", "1"},
          {"num_inf_tecnico", "INF2018001"},
          {"tip_documento", "06"},
          {"num_documento", "20100047218"},
          {"fec_inf_tecnico", "10/01/2018"},
          {"des_nom_razon", "PERITOS ASOCIADOS SAC"},
          {"num_colegiatura", "CIP1234"},
          {"mto_merma", "15400"}}},
    };
    for (const Shot& shot : shots) {
        auto window = open(QString::fromUtf8(shot.window), QString::fromUtf8(shot.code));
        for (const auto& [name, value] : shot.values) {
            window->model().setText(QString::fromUtf8(name), QString::fromUtf8(value));
        }
        window->show();
        QTest::qWait(50);
        window->grab().save(QStringLiteral("/tmp/shots/12/%1.png").arg(QString::fromUtf8(shot.window)));
    }
    // A contract with its participants.
    const store::DeclarationKey key = test::demoKey(kDeclarant);
    test::insertRow(database.db(), QStringLiteral("TMPF582COLCAB"), key,
                    {{QStringLiteral("cod_contrato"), QStringLiteral("1")},
                     {QStringLiteral("des_contrato"), QStringLiteral("CONSORCIO VIAL NORTE")}});
    for (const auto& [ruc, name, share] : {std::tuple{"20100047218", "CONSTRUCTORA ANDINA SAC", 60},
                                           std::tuple{"20500000016", "INGENIEROS DEL SUR SA", 40}}) {
        test::insertRow(database.db(), QStringLiteral("TMPF582COLDET"), key,
                        {{QStringLiteral("cod_contrato"), QStringLiteral("1")},
                         {QStringLiteral("tipo_doc"), 6},
                         {QStringLiteral("nro_doc"), QString::fromLatin1(ruc)},
                         {QStringLiteral("des_razon"), QString::fromLatin1(name)},
                         {QStringLiteral("por_participacion"), share},
                         {QStringLiteral("tipo"), share > 50 ? QStringLiteral("1") : QStringLiteral("2")}});
    }
    app::FormRequest request;
    request.name = QStringLiteral("frmcabEmpresarial");
    request.key = key;
    request.action = app::FormRequest::kModify;
    request.keyValues = {QStringLiteral("1")};
    AnnexDetailWindow contract(*AnnexCatalog::instance().window(request.name),
                               AnnexContext{database.db(), *prompter, clock, &opener}, request);
    contract.show();
    QTest::qWait(50);
    contract.grab().save(QStringLiteral("/tmp/shots/12/frmcabEmpresarial.png"));
}

} // namespace
} // namespace qel::annexes::ui
