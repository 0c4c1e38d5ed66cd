// Pictures of every page of the declaration form with a demo declaration loaded, for a person
// to look at: each page as the window shows it (/tmp/frm537-<page>.png) and, for the pages
// that scroll, their whole content (/tmp/frm537-<page>-full.png). Run with
//   qel_screenshots --gtest_filter='Frm537Screenshots*'
#include "catalogue/FormPages.h"
#include "declaration/commands/FormLoader.h"
#include "declaration/rules/CalculationRules.h"
#include "ui/Frm537Fixture.h"

#include <QScrollArea>
#include <QTabWidget>

namespace qel::declaration {
namespace {

const QString kRuc = QStringLiteral("20100113610");

class Frm537Screenshots : public Frm537Fixture {
protected:
    void storeDemoDeclaration() {
        store::Database& db = database.db();
        test::insertRow(db, QStringLiteral("CONT"), {},
                        {{QStringLiteral("TIP_DOC_D"), 6},
                         {QStringLiteral("DOC_ID_D"), kRuc},
                         {QStringLiteral("NOMBRE"), QStringLiteral("COMERCIAL ANDINA S.A.C.")},
                         {QStringLiteral("USUARIO"), QStringLiteral("SUPERVISOR")}});
        const store::DeclarationKey key = test::demoKey(kRuc);
        test::insertRow(db, QStringLiteral("CAB"), key,
                        {{QStringLiteral("SEMANA"), 0},
                         {QStringLiteral("ESTADO"), 0},
                         {QStringLiteral("bcolibrad"), QStringLiteral("02")},
                         {QStringLiteral("nrocheque"), QStringLiteral("00451234")}});
        const QList<std::pair<int, QString>> casillas = {// Business chart of accounts: assets, liabilities and equity.
                                                         {359, "185000"},
                                                         {361, "420000"},
                                                         {367, "18000"},
                                                         {368, "535000"},
                                                         {373, "62000"},
                                                         {382, "1250000"},
                                                         {383, "410000"},
                                                         {384, "35000"},
                                                         {401, "25000"},
                                                         {402, "48000"},
                                                         {403, "36000"},
                                                         {409, "380000"},
                                                         {410, "20000"},
                                                         {414, "1000000"},
                                                         {420, "120000"},
                                                         {421, "132490"},
                                                         {423, "297510"},
                                                         // Income statement.
                                                         {461, "3850000"},
                                                         {462, "45000"},
                                                         {464, "2610000"},
                                                         {468, "310000"},
                                                         {469, "402000"},
                                                         {472, "58000"},
                                                         {473, "6000"},
                                                         {475, "12000"},
                                                         {480, "21000"},
                                                         {490, "124490"},
                                                         // Tax, credits, debt.
                                                         {103, "35000"},
                                                         {105, "12000"},
                                                         {128, "96000"},
                                                         {130, "4500"},
                                                         {137, "1"},
                                                         // Identification and complementary information.
                                                         {207, "41234567"},
                                                         {211, "12-3456"},
                                                         {687, "01"},
                                                         {225, "01"},
                                                         {226, "09876543"},
                                                         {815, "QUISPE HUAMAN"},
                                                         {814, "ROSA ELENA"},
                                                         {817, "TORRES VEGA"},
                                                         {818, "JUAN CARLOS"},
                                                         {580, "contabilidad@andina.com.pe"},
                                                         // Answers.
                                                         {870, "2"},
                                                         {805, "0"},
                                                         {807, "1"},
                                                         {289, "1"},
                                                         {821, "0"},
                                                         {878, "1"},
                                                         {871, "1"},
                                                         {5, "1"},
                                                         {802, "0"},
                                                         {803, "0"},
                                                         {217, "0"},
                                                         {804, "0"},
                                                         {819, "0"},
                                                         {822, "0"},
                                                         {820, "0"},
                                                         {823, "0"},
                                                         {824, "0"},
                                                         {829, "1"},
                                                         {830, "0"},
                                                         {827, "0"},
                                                         {874, "0"},
                                                         {873, "0"},
                                                         {875, "0"},
                                                         {218, "0"},
                                                         {219, "0"},
                                                         {840, "0"},
                                                         {895, "0"},
                                                         {292, "0"},
                                                         {599, "C"}};
        for (const auto& [casilla, value] : casillas) {
            test::insertRow(db, QStringLiteral("DET"), key,
                            {{QStringLiteral("SEMANA"), 0},
                             {QStringLiteral("CASILLA"), QString::number(casilla)},
                             {QStringLiteral("i_valor"), value}});
        }
        const QList<QVariantMap> partners = {{{"tipo_socio", "01"},
                                              {"tipo_doc_socio", 1},
                                              {"nro_doc_socio", "41234567"},
                                              {"des_nom_razon", "QUISPE HUAMAN, ROSA ELENA"},
                                              {"fec_nac_socio", "1968-04-12"},
                                              {"cod_pais", "9589"},
                                              {"Porcentaje", 60.0},
                                              {"fec_cosnt_socio", "2001-06-01"}},
                                             {{"tipo_socio", "02"},
                                              {"tipo_doc_socio", 6},
                                              {"nro_doc_socio", "20100070970"},
                                              {"des_nom_razon", "INVERSIONES DEL SUR S.A."},
                                              {"cod_pais", "9589"},
                                              {"Porcentaje", 40.0},
                                              {"fec_cosnt_socio", "2005-01-15"}}};
        for (const QVariantMap& partner : partners) {
            test::insertRow(db, QStringLiteral("F535SOCIOS"), key, partner);
        }
        test::insertRow(db, QStringLiteral("F582ALQUILER"), key,
                        {{"tipo_doc", 6},
                         {"nro_doc", "20512345678"},
                         {"correl_pred", 1},
                         {"tip_bien", "1"},
                         {"des_bien", "LOCAL COMERCIAL"},
                         {"mto_alquiler", 48000},
                         {"cod_ubigeo", "150101"},
                         {"tip_via", "01"},
                         {"des_via", "AV. ABANCAY"},
                         {"numero", "321"}});
    }

    void save(QWidget* widget, const QString& name) {
        const QString path = QStringLiteral("/tmp/frm537-") + name + QStringLiteral(".png");
        EXPECT_TRUE(widget->grab().save(path)) << path.toStdString();
    }
};

TEST_F(Frm537Screenshots, EveryPage) {
    storeDemoDeclaration();
    DeclarationFormModel& form = makeModel();
    CalculationRules rules(form);
    FormLoader loader(form);
    form.mode = DeclarationFormModel::Mode::Modify;
    form.openRuc = kRuc;
    loader.load();
    Frm537& shown = showWindow();
    shown.resize(1024, 740);
    QApplication::processEvents();

    for (const QString& id : Frm537::pageIds()) {
        shown.showPage(id);
        QApplication::processEvents();
        save(&shown, id);
        if (auto* scroll = shown.findChild<QScrollArea*>(QStringLiteral("page_") + id)) {
            if (scroll->widget()->height() > scroll->viewport()->height()) {
                save(scroll->widget(), id + QStringLiteral("-full"));
            }
        }
    }
}

} // namespace
} // namespace qel::declaration
