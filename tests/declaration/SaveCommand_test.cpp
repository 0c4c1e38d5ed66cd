#include "SaveFixture.h"
#include "declaration/commands/SaveCommand.h"
#include "declaration/model/CasillaWriter.h"
#include "store/ExecuteSql.h"
#include "store/WorkingCopies.h"

namespace qel::declaration::testing {
namespace {

using namespace Qt::StringLiterals;

using Outcome = SaveCommand::Outcome;

class SaveCommandTest : public SaveTest {
protected:
    Outcome save() { return session->saving().run(); }

    QStringList storedCasillas() {
        const store::SqlFilter filter = key().filter();
        return firstColumn(db(), u"SELECT CASILLA FROM DET"_s + filter.text, filter.values);
    }
};

TEST(CasillaWriterValues, StoredAsTheFormKeepsThem) {
    for (const auto& [casilla, value, stored] :
         {std::tuple{"359", "1,234,567", "1234567"},
          {"359", "0", "0"},
          {"330", "(4,000)", "-4000"}, // either sign: the parentheses are a minus
          {"105", "(4,000)", "4000"},  // a deduction keeps its magnitude; the mask shows the sign
          {"105", "-(4,000)", "4000"},
          {"207", "00012345", "00012345"}, // identification texts as entered
          {"610", "1.50", "1.50"},
          {"015", "000123", "000123"},
          {"293", "A", "A"}, // a letter answer is no number
          {"239", "15/06/2018", "15/06/2018"},
          {"134", " 25 ", "25"}}) {
        EXPECT_EQ(CasillaWriter::storedValue(QString::fromLatin1(casilla), QString::fromUtf8(value)),
                  QString::fromUtf8(stored))
            << casilla << " " << value;
    }
    for (const char* empty : {"", "   ", "\t", "\n", "\r", "________", "__/__/____"}) {
        EXPECT_TRUE(CasillaWriter::isEmptyValue(QString::fromLatin1(empty))) << empty;
    }
}

// Empty boxes write nothing, a zero is "0", the amounts to pay are marked "05", answers are
// stored under three digits; every row written carries the check code of its own values.
TEST_F(SaveCommandTest, CasillaRowsAndCheckCodes) {
    open(0);
    makeConsistent();
    type(402, u"0"_s);
    // The ITF is declared: its box ticked, then its 15% question (the save refuses the
    // question without the box).
    ASSERT_TRUE(model().clickCheck(u"ChkITF"_s));
    answer("OptITF", 1);
    type(180, u"50"_s);
    type(181, u"7"_s);
    test::insertRow(db(), u"TMPACTA"_s, key(), fields("TIPO_ASIST=4; PER_PAG=201801; saluti=1200; cNumero=000000"));
    test::insertRow(
        db(), u"TMPF544ADICDEDUC"_s, key(),
        fields("CASILLA=103; num_correl=1; des_concepto=MULTAS D'ONOFRIO; MTO_ADIC_DEDUC=300; cNumero=000000"));
    ASSERT_EQ(save(), Outcome::Saved);

    // The value and the idcasilla of each row; none for 403.
    for (const auto& [casilla, row] : {std::pair{"359", "1000/01"},
                                       {"402", "0/01"},
                                       {"403", ""},
                                       {"468", "100/01"},
                                       {"180", "50/05"},
                                       {"181", "7/05"},
                                       {"207", "87654321/01"},
                                       {"805", "0/01"},
                                       {"870", "2/01"},
                                       {"005", "0/01"},
                                       {"801", "D'ONOFRIO S.A./01"},
                                       {"817", "PEREZ/01"}}) {
        store::SqlFilter filter = key().filter();
        filter.andEquals(u"CASILLA"_s, QString::fromLatin1(casilla));
        const QStringList rows =
            firstColumn(db(), u"SELECT i_valor || '/' || idcasilla FROM DET"_s + filter.text, filter.values);
        EXPECT_EQ(rows, *row == '\0' ? QStringList() : QStringList{QString::fromLatin1(row)}) << casilla;
    }
    EXPECT_EQ(test::wrongCheckCodes(db(), key()), QStringList());
    for (const char* table : {"CAB", "ACTA", "F535SOCIOS", "F544ADICDEDUC"}) {
        EXPECT_GT(test::rowCount(db(), QString::fromLatin1(table), key()), 0) << table;
    }
}

TEST_F(SaveCommandTest, StateAndFinalMessage) {
    for (const auto& [name, consistent, estado, formState, message, icon] :
         {std::tuple{"consistent", true, 0, 1, SaveCommand::kSavedConsistent, app::Icon::Information},
          {"inconsistent", false, 9, 3, SaveCommand::kSavedInconsistent, app::Icon::Exclamation}}) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(store::deleteDeclaration(db(), prompter, key()));
        open(0);
        makeConsistent();
        if (!consistent) {
            type(180, u"999"_s); // more than the debt of casilla 146
        }
        prompter.shown.clear();
        ASSERT_EQ(save(), Outcome::Saved);
        EXPECT_EQ(header("ESTADO || ' ' || fec_pro || ' ' || rectifica").toString(), u"%1 2019-03-15 0"_s.arg(estado));
        EXPECT_EQ(model().formState, formState);
        EXPECT_FALSE(model().dirty);
        ASSERT_FALSE(prompter.shown.isEmpty());
        EXPECT_EQ(prompter.shown.last().text, message);
        EXPECT_EQ(prompter.shown.last().icon, icon);
    }
}

// A rectification of the ITF alone stores the ITF casillas and the answers, and no income-tax
// casilla, detail or annex row survives from the declaration it replaces. An ITF box emptied
// in a second such rectification loses its stored amount; the boxes still filled keep theirs.
TEST_F(SaveCommandTest, ItfOnlyRectificationsKeepOnlyTheItf) {
    open(0);
    makeConsistent();
    type(100, u"5000"_s);
    ASSERT_EQ(save(), Outcome::Saved);
    storeCasilla(db(), key(), u"520"_s, u"80"_s);
    ASSERT_GT(test::rowCount(db(), u"F535SOCIOS"_s, key()), 0);

    for (const char* noCash : {"100", ""}) {
        SCOPED_TRACE(noCash);
        open(1);
        answer("OptRectifica", 1);
        ASSERT_EQ(model().check(u"ChkRenta"_s), 0);
        if (model().check(u"ChkITF"_s) != 1) {
            ASSERT_TRUE(model().clickCheck(u"ChkITF"_s));
        }
        model().clickOption(u"OptITF"_s, 1); // already answered on the second pass
        type(155, u"1000"_s);
        type(156, QString::fromLatin1(noCash));
        ASSERT_EQ(save(), Outcome::Saved);
        EXPECT_EQ(stored(u"155"_s), u"1000"_s);
        EXPECT_EQ(stored(u"156"_s).value_or(QString()), QString::fromLatin1(noCash));
    }
    QStringList incomeTax;
    for (const QString& casilla : storedCasillas()) {
        const int n = casilla.toInt();
        const bool itf = n == 143 || (n >= 155 && n <= 165) || n == 181 || n == 565;
        const bool answerRow = casilla.size() == 3 && FormControls::instance().answeredIn(n) != nullptr;
        const bool payment = casilla == u"599"_s || casilla == u"012"_s || casilla == u"015"_s;
        if (!itf && !answerRow && !payment) {
            incomeTax.append(casilla);
        }
    }
    EXPECT_TRUE(incomeTax.isEmpty()) << incomeTax.join(QLatin1Char(' ')).toStdString();
    EXPECT_EQ(stored(u"871"_s), u"1"_s);
    EXPECT_EQ(header("rectifica").toString(), u"1"_s);
    for (const char* table : {"F535SOCIOS", "ACTA", "F582BALANCE"}) {
        EXPECT_EQ(test::rowCount(db(), QString::fromLatin1(table), key()), 0) << table;
    }
}

// The answers that switch a section off take its detail along at the save.
TEST_F(SaveCommandTest, SectionsSwitchedOffLoseTheirRows) {
    open(0);
    makeConsistent();
    storeCasilla(db(), key(), u"252"_s, u"9"_s);
    // The assistants keep their casillas in the working table while the form is open.
    for (const char* casilla : {"CASILLA=705; i_valor=9", "CASILLA=863; i_valor=9", "CASILLA=835; i_valor=9"}) {
        test::insertRow(db(), u"TMPF584DET"_s, key(), fields(casilla));
    }
    test::insertRow(db(), u"TMPF542REOEMP"_s, key(), fields("CASILLA=278"));
    test::insertRow(db(), u"TMPF535MERMAS"_s, key(), fields("num_documento=1"));
    answer("OptArrastre2005", 1); // system B: the lines of system A go
    int gridReads = 0;
    QObject::connect(&model(), &DeclarationFormModel::gridRefreshRequested, [&gridReads] { ++gridReads; });
    ASSERT_EQ(save(), Outcome::Saved);
    for (const auto& [casilla, kept] : {std::pair{"252", false}, {"705", false}, {"835", false}, {"863", true}}) {
        EXPECT_EQ(stored(QString::fromLatin1(casilla)).has_value(), kept) << casilla;
    }
    EXPECT_EQ(test::rowCount(db(), u"TMPF542REOEMP"_s), 0);
    EXPECT_EQ(test::rowCount(db(), u"F542REOEMP"_s, key()), 0);
    EXPECT_EQ(test::rowCount(db(), u"F535MERMAS"_s, key()), 0); // its switch is off
    EXPECT_GT(gridReads, 0) << "the grids show the rows that went";
    // Saved again with nothing left to drop: the grids, which may hold thousands of rows, are
    // not read again.
    gridReads = 0;
    ASSERT_EQ(save(), Outcome::Saved);
    EXPECT_EQ(gridReads, 0);
}

TEST_F(SaveCommandTest, RefusalsWriteNothing) {
    struct Case {
        const char* name;
        std::function<void(SaveCommandTest&)> setup;
        QString message;
        QString page;
        QString focus;
    };
    const QList<Case> cases = {
        {"accountant's RUC",
         [](SaveCommandTest& t) {
             ASSERT_TRUE(t.model().chooseCombo(u"cboContador"_s, u"06"_s));
             t.type(208, u"20100113611"_s);
         },
         u"El RUC del contador no es Válido."_s, u"info.general"_s, u"208"_s},
        {"representative's DNI", [](SaveCommandTest& t) { t.type(226, u"1234567"_s); },
         u"El DNI o LE debe ser de 8 dígitos."_s, u"info.general"_s, u"226"_s},
        {"ITF balance", [](SaveCommandTest& t) { t.answer("OptITF", 1); },
         u"Debe indicar si tiene saldo por regularizar del ITF"_s, u"ident.general"_s, u"ChkITF"_s},
        {"rectified concept", [](SaveCommandTest& t) { t.answer("OptRectifica", 1); },
         u"Ingrese el concepto que está rectificando"_s, u"ident.general"_s, u"ChkRenta"_s},
        {"taxpayer", [](SaveCommandTest& t) { t.model().setComboIndex(u"CmbRuc"_s, -1); },
         u"Debe seleccionar un Contribuyente."_s, u"ident.general"_s, u"CmbRuc"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        open(0);
        makeConsistent();
        c.setup(*this);
        QStringList pages;
        QObject::connect(&model(), &DeclarationFormModel::pageRequested, &model(),
                         [&pages](const QString& page, const QString& focus) { pages.append(page + '|' + focus); });
        prompter.shown.clear();
        EXPECT_EQ(save(), Outcome::Refused);
        ASSERT_EQ(prompter.texts(), QStringList{c.message});
        EXPECT_EQ(prompter.shown.first().icon, app::Icon::Critical);
        EXPECT_EQ(pages, QStringList{c.page + '|' + c.focus});
        EXPECT_EQ(test::declarationRows(db(), key()), QStringList());
    }
}

// An engine error half-way (a permanent annex table gone) rolls the whole save back.
TEST_F(SaveCommandTest, FailureHalfWayLeavesTheDeclarationAsItWas) {
    open(0);
    makeConsistent();
    test::insertRow(db(), u"TMPACTA"_s, key(), fields("TIPO_ASIST=4; saluti=10"));
    ASSERT_EQ(save(), Outcome::Saved);
    const QByteArray before = declarationDigest(db(), key());

    type(359, u"2500"_s);
    type(100, u"700"_s);
    db().run(u"UPDATE TMPF535SOCIOS SET nro_doc_socio='00000002'"_s).finish();
    db().run(u"DELETE FROM TMPACTA"_s).finish();
    // The last annex of the save order, gone while the save runs.
    db().run(u"ALTER TABLE F572DETBAS RENAME TO F572DETBAS_GONE"_s).finish();
    model().formState = 2;
    prompter.shown.clear();

    EXPECT_EQ(save(), Outcome::Failed);
    db().run(u"ALTER TABLE F572DETBAS_GONE RENAME TO F572DETBAS"_s).finish();
    ASSERT_EQ(prompter.shown.size(), 1) << prompter.texts().join('\n').toStdString();
    EXPECT_EQ(prompter.shown.first().title, u"Error al Ejecutar Sentencia SQL"_s);
    EXPECT_TRUE(prompter.shown.first().text.contains(u"F572DETBAS"_s));
    EXPECT_EQ(declarationDigest(db(), key()), before);
    EXPECT_EQ(model().formState, 2);
    EXPECT_TRUE(model().dirty);
    EXPECT_FALSE(db().inTransaction());
}

// A sent version shown from the history registers the order number that KOLVA gave it in its
// casilla 806, with the row's check code; registered again, the row is updated.
TEST_F(SaveCommandTest, OrderNumberOfASentVersion) {
    const QVariantMap version = fields("CORREL=2");
    test::insertRow(db(), u"CAB"_s, key(), fields("SEMANA=0; ESTADO=0"));
    test::insertRow(db(), u"HCAB"_s, key(), fields("SEMANA=0; CORREL=2; ESTADO=0"));
    storeCasilla(db(), key(), u"359"_s, u"10"_s, u"HDET"_s, version);
    const QByteArray active = declarationDigest(db(), key());

    // Both numbers pass the check digit.
    for (const char* number : {"100008", "7992739875"}) {
        SCOPED_TRACE(number);
        open(1, u"2"_s);
        model().setControlText(u"TxtNumOrdenE"_s, QString::fromLatin1(number));
        model().setControlText(u"TxtNumOrdenE2"_s, QString::fromLatin1(number));
        prompter.shown.clear();
        EXPECT_EQ(save(), Outcome::OrderNumberRegistered);
        ASSERT_EQ(prompter.texts(), QStringList{SaveCommand::kOrderNumberRegistered});
        EXPECT_EQ(prompter.shown.first().title, u"Mensaje"_s);
        const store::SqlFilter sent = key().versionFilter(u"2"_s);
        EXPECT_EQ(firstColumn(db(), u"SELECT NORDEN FROM HCAB"_s + sent.text, sent.values),
                  QStringList{QString::fromLatin1(number)});
        store::SqlFilter row = sent;
        row.andEquals(u"CASILLA"_s, u"806"_s);
        EXPECT_EQ(firstColumn(db(), u"SELECT i_valor || '/' || idcasilla FROM HDET"_s + row.text, row.values),
                  QStringList{QString::fromLatin1(number) + u"/01"_s});
        EXPECT_EQ(expectCheckCodes(db(), u"DET"_s, row, store::Copy::History), 1);
    }
    EXPECT_EQ(declarationDigest(db(), key()), active); // the active declaration is untouched
}

} // namespace
} // namespace qel::declaration::testing
