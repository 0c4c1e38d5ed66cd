#include "FormFixture.h"
#include "ScriptFixture.h"
#include "catalogue/CasillaCatalog.h"
#include "catalogue/FormControls.h"
#include "declaration/model/DeclarationFormModel.h"
#include "declaration/model/PaymentChoices.h"
#include "store/DeclarationTables.h"
#include "store/TableCatalog.h"

// Nothing typed is lost: for every control of the form and every kind of casilla storage, a
// value is set, saved, the form closed and opened again, the value read back and saved again;
// every permanent table of the declaration must then hold exactly what the first save left.
// The values come from the catalogues, one save and reopen per kind of storage.

namespace qel::declaration {
namespace {

using namespace Qt::StringLiterals;

using batch::BatchRunner;

const QString kRuc = u"20100070970"_s;
// Names of the form that are no values of the declaration: the taxpayer choice and its name,
// the order number of a sent version and the computed loss total.
const QStringList kNotValues = {u"CmbRuc"_s, u"TxtRazon"_s, u"TxtNumOrdenE"_s, u"TxtNumOrdenE2"_s, u"TxtTotalSaldo"_s};

// A value each kind of text box accepts, within its length.
QString sampleText(const ControlDef& def) {
    static const std::map<TextRule, QString> samples = {{TextRule::Names, u"QUISPE ROJAS"_s},
                                                        {TextRule::Registry, u"LIMA-07"_s},
                                                        {TextRule::Digits, u"4251234"_s},
                                                        {TextRule::Email, u"conta@empresa.pe"_s},
                                                        {TextRule::Free, u"9876543"_s}};
    const QString text = samples.at(def.textRule);
    return def.maxLength > 0 ? text.left(def.maxLength) : text;
}

QString sampleBox(const CasillaDef& def) {
    switch (def.value) {
    case ValueClass::Text:
        return def.number == 208 || def.number == 226 ? u"20100070970"_s : u"41234567"_s;
    case ValueClass::Count:
        return QString::number(1 + def.number % 9);
    default:
        return QString::number(1000 + def.number);
    }
}

// What a user sees of a control, in one line.
QString shown(const DeclarationFormModel& model, const ControlDef& def) {
    const ControlState& state = model.control(def.name);
    switch (def.kind) {
    case ControlKind::ComboBox:
        return model.comboCode(def.name);
    case ControlKind::TextBox:
    case ControlKind::DateBox:
        return state.text;
    case ControlKind::CheckArray: {
        QString values;
        for (auto it = def.members.cbegin(); it != def.members.cend(); ++it) {
            values += QString::number(state.memberValues.value(it.key(), 0));
        }
        return values;
    }
    default:
        return QString::number(state.value);
    }
}

// The lines of `lines` that `within` lacks.
QStringList missingFrom(const QStringList& within, QStringList lines) {
    lines.removeIf([&within](const QString& line) { return within.contains(line); });
    return lines;
}

bool isValueControl(const ControlDef& def) {
    switch (def.kind) {
    case ControlKind::OptionGroup:
    case ControlKind::CheckBox:
    case ControlKind::CheckArray:
    case ControlKind::ComboBox:
    case ControlKind::TextBox:
    case ControlKind::DateBox:
        return !kNotValues.contains(def.name);
    default:
        return false;
    }
}

class RoundTripTest : public ::testing::Test {
protected:
    void run(const QString& script) { session.runDone(script); }
    DeclarationFormModel& form() { return session.form(); }
    store::Database& db() { return session.database.db(); }

    // The command that sets a control to a value other than its own, or empty when none applies.
    QString setCommand(const ControlDef& def) {
        const ControlState& state = form().control(def.name);
        switch (def.kind) {
        case ControlKind::OptionGroup:
            return def.members.isEmpty() || state.value == def.members.lastKey()
                       ? QString()
                       : u"click %1 %2"_s.arg(def.name).arg(def.members.lastKey());
        case ControlKind::CheckBox:
            return state.value == 1 ? QString() : u"click %1"_s.arg(def.name);
        case ControlKind::CheckArray: {
            QStringList clicks;
            for (auto it = def.members.cbegin(); it != def.members.cend(); ++it) {
                if (state.memberValues.value(it.key(), 0) != 1) {
                    clicks.append(u"click %1 %2"_s.arg(def.name).arg(it.key()));
                }
            }
            return clicks.join(QLatin1Char('\n'));
        }
        case ControlKind::ComboBox:
            return state.items.isEmpty() || form().comboCode(def.name) == state.items.last().code
                       ? QString()
                       : u"choose %1 %2"_s.arg(def.name, state.items.last().code);
        case ControlKind::TextBox:
            return state.text.isEmpty() ? u"text %1 %2"_s.arg(def.name, sampleText(def)) : QString();
        case ControlKind::DateBox:
            return u"text %1 15/03/2018"_s.arg(def.name);
        default:
            return {};
        }
    }

    // Every enabled value control set; a control that an answer enables is set on a later pass.
    void setEveryControl() {
        for (int pass = 0; pass < 4; ++pass) {
            QStringList script;
            for (const ControlDef& def : FormControls::instance().all()) {
                if (isValueControl(def) && form().hasControl(def.name) && form().control(def.name).enabled &&
                    form().control(def.name).visible) {
                    const QString command = setCommand(def);
                    if (!command.isEmpty()) {
                        script.append(command);
                    }
                }
            }
            if (script.isEmpty()) {
                return;
            }
            run(script.join(QLatin1Char('\n')));
        }
    }

    void typeEveryEntryBox() {
        QStringList script;
        for (const CasillaDef* def : form().casillas().boxes()) {
            const BoxState& box = form().box(def->number);
            if (def->kind == BoxKind::Entry && box.enabled && !box.locked && box.text.isEmpty()) {
                script.append(u"type %1 %2"_s.arg(def->number).arg(sampleBox(*def)));
            }
        }
        run(script.join(QLatin1Char('\n')));
    }

    // What the form shows: every value control and every box.
    QStringList formShows() {
        QStringList lines;
        for (const ControlDef& def : FormControls::instance().all()) {
            if (isValueControl(def) && form().hasControl(def.name)) {
                lines.append(def.name + u" = "_s + shown(form(), def));
            }
        }
        for (const CasillaDef* def : form().casillas().boxes()) {
            lines.append(u"txtValor(%1) = %2"_s.arg(def->number).arg(form().text(def->number)));
        }
        const PaymentState& payment = form().payment();
        lines.append(u"payment = "_s + payment.kind + QLatin1Char('/') + payment.bank + QLatin1Char('/') +
                     payment.cheque);
        return lines;
    }

    QStringList storedRows() { return test::declarationRows(db(), test::demoKey(kRuc)); }

    int state() {
        const store::SqlFilter where = test::demoKey(kRuc).filter();
        return db().scalar(u"SELECT estado FROM CAB"_s + where.text, where.values).toInt();
    }

    void expectSame(const QStringList& was, const QStringList& is, const char* what) {
        const QStringList lost = missingFrom(is, was);
        const QStringList gained = missingFrom(was, is);
        EXPECT_TRUE(lost.isEmpty() && gained.isEmpty()) << what << "\nbefore:\n  " << lost.join(u"\n  "_s).toStdString()
                                                        << "\nafter:\n  " << gained.join(u"\n  "_s).toStdString();
    }

    // Saved, closed, opened again: what the form shows must come back, and a second save must
    // store what the first one stored.
    void expectRoundTrip() {
        const QStringList shownBefore = formShows();
        run(u"save"_s);
        const QStringList firstSave = storedRows();
        const int firstState = state();
        run(u"close\nopen %1"_s.arg(kRuc));
        expectSame(shownBefore, formShows(), "what the form shows after opening again");
        run(u"save"_s);
        expectSame(firstSave, storedRows(), "the stored rows after a second save");
        EXPECT_EQ(state(), firstState);
        run(u"save\nclose"_s);
        expectSame(firstSave, storedRows(), "the stored rows after saving twice in one form");
    }

    testing::ScriptSession session{test::kSupervisor, kRuc, u"EMPRESA DE PRUEBA S.A.C."_s};
};

// Every answer, identification control and entry box set, and the payment by cheque.
TEST_F(RoundTripTest, EveryControlEntryBoxAndThePayment) {
    run(u"today 31/03/2019\nnew\ntaxpayer "_s + kRuc);
    setEveryControl();
    typeEveryEntryBox();
    const QList<ComboItem> banks = payment::banks(db());
    ASSERT_FALSE(banks.isEmpty());
    run(u"click optCheque\nchoose cboBanco %1\ntext txtNroCheque 000123456"_s.arg(banks.last().code));
    EXPECT_EQ(form().payment().cheque, u"000123456"_s);
    expectRoundTrip();
}

// Casillas without a box (kept by detail windows and assistants, or left in DET only) come
// back from DET as they were stored, whatever their kind of storage.
TEST_F(RoundTripTest, EveryCasillaWithoutBoxIsKeptAsStored) {
    const CasillaCatalog& casillas = CasillaCatalog::instance();
    QStringList seeded;
    // The summary casillas that keep their details alive.
    QList<int> numbers = {128, 476, 486};
    for (const CasillaDef& def : casillas.all()) {
        // The order number of a sent version, the payment's values and the casillas the rules
        // compute without a box (151, 114, 500) are not kept as read.
        static const QList<int> kNotKept = {806, 599, 12, 15, 114, 151, 500};
        if (!def.hasBox && FormControls::instance().answeredIn(def.number) == nullptr &&
            !kNotKept.contains(def.number)) {
            numbers.append(def.number);
        }
    }
    run(u"today 31/03/2019\nnew\ntaxpayer %1\nclick OptITF 0\nclick OptPlan 1\nsave\nclose"_s.arg(kRuc));
    for (const int n : numbers) {
        const QString value = casillas.storage(n).text ? u"X%1"_s.arg(n) : QString::number(100 + n);
        store::SqlFilter where = test::demoKey(kRuc).filter();
        where.andCondition(u"CAST(CASILLA AS INTEGER)=?"_s, {n});
        db().run(u"DELETE FROM DET"_s + where.text, where.values).finish();
        testing::storeCasilla(db(), test::demoKey(kRuc), QString::number(n), value, u"DET"_s,
                              {{u"idcasilla"_s, u"01"_s}});
        seeded.append(u"%1=%2"_s.arg(n).arg(value));
    }
    run(u"open %1\nsave\nclose"_s.arg(kRuc));
    const store::SqlFilter where = test::demoKey(kRuc).filter();
    const QStringList stored = testing::firstColumn(
        db(), u"SELECT CAST(CASILLA AS INTEGER) || '=' || i_valor FROM DET"_s + where.text, where.values);
    EXPECT_EQ(missingFrom(stored, seeded), QStringList());
}

// The window of casilla 127 hands back its three parts with the total: all four are stored
// and come back.
TEST_F(RoundTripTest, PriorYearBalancePartsAreStored) {
    run(u"today 31/03/2019\nnew\ntaxpayer %1\nclick OptITF 0\nclick OptPlan 1\n"
        "window frmAnexo127 202=5000;203=1000;204=500;127=3500\nclick txtValor(127)\nsave"_s.arg(kRuc));
    const auto stored = [this] {
        QStringList values;
        for (const int n : {127, 202, 203, 204}) {
            store::SqlFilter where = test::demoKey(kRuc).filter();
            where.andCondition(u"CAST(CASILLA AS INTEGER)=?"_s, {n});
            values.append(db().scalar(u"SELECT i_valor FROM DET"_s + where.text, where.values).toString());
        }
        return values.join(QLatin1Char(' '));
    };
    EXPECT_EQ(stored(), u"3500 5000 1000 500"_s);
    run(u"close\nopen %1"_s.arg(kRuc));
    const auto& kept = form().keptCasillas;
    EXPECT_EQ(kept.value(202) + u' ' + kept.value(203) + u' ' + kept.value(204), u"5000 1000 500"_s);
    run(u"window frmAnexo127 202=;203=;204=;127=\nclick txtValor(127)\nsave\nclose"_s);
    EXPECT_EQ(stored(), u"   "_s);
}

} // namespace
} // namespace qel::declaration
