// Every casilla number that the load or the save meets has one storage, shared by the load, the
// save and the DET writer.
//
// Across the catalogues: every casilla number that a rule, a section switch, an assistant or an
// annex entry names must be one the casilla catalogue knows, or the rule silently reads an
// empty box and the save never writes what it computed. The data catalogues are walked entry
// by entry; the rules, being code, are run on a live form that records every casilla number
// they ask the form for.

#include "annexes/AssistantCatalog.h"
#include "annexes/MovementCasillas.h"
#include "catalogue/AnnexCatalog.h"
#include "catalogue/CasillaCatalog.h"
#include "catalogue/CasillaListCatalog.h"
#include "catalogue/FormControls.h"
#include "catalogue/MonthAssistantKind.h"
#include "catalogue/MovementAssistantKind.h"
#include "declaration/commands/AnnexButtons.h"
#include "declaration/commands/CasillaWindows.h"
#include "declaration/commands/FormLoader.h"
#include "declaration/model/VehicleCasillas.h"
#include "declaration/model/WorkingCasillas.h"
#include "declaration/rules/CalculationRules.h"
#include "declaration/rules/ConsistencyRules.h"
#include "declaration/rules/IdentificationRules.h"
#include "declaration/rules/SectionSwitches.h"
#include "store/ParamLayouts.h"
#include "support/FormServices.h"
#include "support/TestSupport.h"

#include <QMap>
#include <QSet>
#include <QSqlQuery>
#include <gtest/gtest.h>
#include <memory>

using namespace Qt::StringLiterals;

namespace qel {
namespace {

using declaration::CasillaCatalog;

bool known(int n) {
    return CasillaCatalog::instance().find(n) != nullptr;
}

// A box of the ITF page is stored with the ITF; a casilla a detail window owns is kept as a row
// of that window unless it is summed into a box, which must be one the form shows; a number the
// catalogue does not know is a plain box.
TEST(CasillaStorage, EveryEntryIsStoredWhereItsKindKeepsIt) {
    for (int n = 0; n < 1000; ++n) {
        const declaration::CasillaStorage& s = CasillaCatalog::instance().storage(n);
        if (s.summary != 0) {
            ASSERT_NE(CasillaCatalog::instance().find(s.summary), nullptr) << "casilla " << n;
            EXPECT_TRUE(CasillaCatalog::instance().find(s.summary)->hasBox) << "casilla " << n;
        }
        const declaration::CasillaDef* def = CasillaCatalog::instance().find(n);
        if (def != nullptr && def->kind == declaration::BoxKind::Itf) {
            EXPECT_TRUE(s.itf) << "casilla " << n << " is on the ITF page";
        }
        if (def != nullptr && !def->hasBox && !def->window.isEmpty() && s.summary == 0) {
            EXPECT_TRUE(s.windowRow) << "casilla " << n;
        }
    }
    EXPECT_EQ(CasillaCatalog::instance().storage(-1).where, declaration::Storage::Box);
    EXPECT_EQ(CasillaCatalog::instance().storage(1000).where, declaration::Storage::Box);
}

// The reference rows of the form's casillas tag the ITF ones as the catalogue stores them.
TEST(CasillaStorage, TheReferenceRowsTagTheItfCasillasOfTheCatalogue) {
    test::TempDatabase database;
    QSqlQuery rows = database.db().run(u"SELECT Argumento, Funcion FROM PARAM WHERE Numero=?"_s,
                                       {store::param_list::kCasillaWriter});
    int seen = 0;
    while (rows.next()) {
        const int n = rows.value(0).toString().mid(4).toInt();
        const QString tag = rows.value(1).toString().left(9).trimmed();
        EXPECT_EQ(tag, CasillaCatalog::instance().storage(n).itf ? u"ITF"_s : u"RENTA"_s) << "casilla " << n;
        ++seen;
    }
    EXPECT_GT(seen, 800);
}

// The first place that named each unknown number.
class Unknown {
public:
    void check(int n, const QString& where) {
        if (!known(n) && !m_where.contains(n)) {
            m_where.insert(n, where);
        }
    }
    void check(const QSet<int>& numbers, const QString& where) {
        for (const int n : numbers) {
            check(n, where);
        }
    }
    void expectNone() const {
        for (auto it = m_where.cbegin(); it != m_where.cend(); ++it) {
            ADD_FAILURE() << "casilla " << it.key() << " is not in the casilla catalogue; first asked for by "
                          << it.value().toStdString();
        }
    }

private:
    QMap<int, QString> m_where;
};

TEST(CasillaReads, EveryCasillaTheAnnexCatalogueNamesExists) {
    Unknown unknown;
    for (const annexes::AnnexSectionDef& section : annexes::AnnexCatalog::instance().sections()) {
        for (const int n : section.boxes + section.clearedBoxes) {
            unknown.check(n, "the section " + section.option);
        }
    }
    for (const annexes::CasillaListDef& list : annexes::CasillaListCatalog::lists()) {
        const QList<int> captioned = list.captions.keys();
        // Key 0 is the caption for any other casilla.
        unknown.check(QSet<int>(captioned.begin(), captioned.end()) - QSet<int>{0}, "the list window " + list.window);
    }
    unknown.expectNone();
}

// What an assistant keeps lives in the working table while the form is open; a casilla the
// catalogue does not give a working copy would never be loaded there nor saved from there.
void expectWorking(const QSet<int>& kept, const QString& where) {
    for (const int n : kept) {
        EXPECT_TRUE(declaration::WorkingCasillas::isWorking(n))
            << where.toStdString() << " keeps casilla " << n << ", which has no working copy";
    }
}

TEST(CasillaReads, EveryCasillaAnAssistantKeepsOrTotalsExists) {
    Unknown unknown;
    for (const annexes::AssistantDef& def : annexes::AssistantCatalog::instance().all()) {
        const QString where = "the assistant " + def.window;
        QSet<int> stored;
        for (const annexes::AssistantField& field : def.fields) {
            if (field.month == 0 && field.stored) {
                stored.insert(field.casilla);
            }
            if (field.openedFor != 0) {
                unknown.check(field.openedFor, where);
            }
        }
        unknown.check(stored, where);
        for (const int n : def.openedFrom) {
            unknown.check(n, where);
        }
        // Totals may also name the window's own shown-only boxes and monthly rows.
        for (const annexes::AssistantTotal& total : def.totals) {
            for (const int id : QList<int>{total.target} + total.adds + total.subtracts) {
                const annexes::AssistantField* field = def.field(id);
                if (field == nullptr) {
                    ADD_FAILURE() << where.toStdString() << " totals " << id << ", which is none of its boxes";
                } else if (field->month == 0 && field->stored) {
                    unknown.check(id, where);
                }
            }
        }
        const annexes::AssistantField* result = def.field(def.resultId);
        EXPECT_TRUE(result != nullptr || def.resultId == 0) << where.toStdString() << " hands back " << def.resultId;
        expectWorking(stored, where);
    }
    for (const annexes::MonthAssistantKind& kind : annexes::MonthAssistantKind::all()) {
        unknown.check(kind.casilla, "the month assistant " + kind.window);
    }
    for (const annexes::MovementAssistantKind& kind : annexes::MovementAssistantKind::all()) {
        const QString where = "the movement assistant " + kind.window;
        QMap<QString, double> sums;
        for (const annexes::MovementColumn& column : kind.columns) {
            sums.insert(column.column, 1);
        }
        for (const int casilla : kind.casillas) {
            unknown.check(casilla, where);
            const QList<int> kept = annexes::MovementCasillas::casillasOf(casilla, sums).keys();
            if (casilla == kind.casillas.first()) {
                EXPECT_FALSE(kept.isEmpty()) << where.toStdString() << " keeps nothing for " << casilla;
            }
            unknown.check(QSet<int>(kept.begin(), kept.end()), where);
            expectWorking(QSet<int>(kept.begin(), kept.end()), where);
        }
    }
    unknown.expectNone();
}

// The form with every rule the window attaches, driven through every answer, every box and
// every consistency rule while it records the casillas they ask for.
class CasillaReadsOfTheRules : public ::testing::Test {
protected:
    static inline const QString kRuc = u"20100113610"_s;

    void SetUp() override {
        test::registerTaxpayer(services.db, kRuc, u"COMERCIAL ANDINA S.A.C."_s);
        loader.load();
        ASSERT_TRUE(loader.chooseTaxpayer(kRuc));
        model.recordAskedCasillas(&asked);
    }
    void TearDown() override { model.recordAskedCasillas(nullptr); }

    // Runs `step` and charges every unknown number it asked for to `where`.
    template <class Step> void record(const QString& where, Step step) {
        asked.clear();
        step();
        unknown.check(asked, where);
    }

    void answerAll(int index) {
        for (const declaration::ControlDef& control : declaration::FormControls::instance().all()) {
            if (control.kind == declaration::ControlKind::OptionGroup && control.members.contains(index)) {
                record("the answer " + QString::number(index) + " to " + control.name,
                       [&] { model.clickOption(control.name, index); });
            } else if (control.kind == declaration::ControlKind::CheckBox) {
                record("the check box " + control.name, [&] { model.clickCheck(control.name); });
            } else if (control.kind == declaration::ControlKind::CheckArray) {
                for (const int member : control.members.keys()) {
                    record("the check box " + control.name, [&] { model.clickCheck(control.name, member); });
                }
            }
        }
    }

    void typeEveryBox(const QString& text) {
        for (const declaration::CasillaDef* def : CasillaCatalog::instance().boxes()) {
            record("the calculation after casilla " + QString::number(def->number), [&] {
                model.focusIn(def->number);
                model.setText(def->number, text);
                model.focusOut(def->number);
                model.clickBox(def->number);
            });
        }
    }

    void checkEveryRule() {
        const declaration::ConsistencyRules rules(model, calculation);
        for (const auto* table : {&declaration::ConsistencyRules::declarationRules(),
                                  &declaration::ConsistencyRules::identificationRules()}) {
            for (const declaration::ConsistencyRules::Rule& rule : *table) {
                record("the consistency rule " + rule.name, [&] { rules.evaluate(rule); });
                rulesThatAsked += asked.isEmpty() ? 0 : 1;
            }
        }
        record("the vehicle casillas", [&] { declaration::VehicleCasillas(model).CalculaCasVeh(); });
    }

    test::TempDatabase database;
    test::SilentServices services{database.db()};
    declaration::DeclarationFormModel model{services.context()};
    declaration::CalculationRules calculation{model};
    declaration::SectionSwitches switches{model, calculation};
    declaration::AnnexButtons annexButtons{model};
    declaration::CasillaWindows casillaWindows{model};
    declaration::IdentificationRules identification{model};
    declaration::FormLoader loader{model};
    QSet<int> asked;
    int rulesThatAsked = 0;
    Unknown unknown;
};

// Each answer opens other branches of the rules: "Si" to every question with every box filled,
// then "No", then the third choice where there is one with every box emptied again.
TEST_F(CasillaReadsOfTheRules, EveryCasillaARuleAsksForExists) {
    const QList<std::pair<int, QString>> rounds = {{1, "12"}, {0, "7"}, {2, {}}};
    for (const auto& [index, text] : rounds) {
        answerAll(index);
        typeEveryBox(text);
        checkEveryRule();
    }
    // The recording reaches the rules: a good part of them read casillas.
    EXPECT_GT(rulesThatAsked, 60);
    unknown.expectNone();
}

} // namespace
} // namespace qel
