#include "SaveFixture.h"
#include "declaration/commands/SaveCommand.h"
#include "declaration/model/CasillaWriter.h"
#include "store/ExecuteSql.h"
#include "store/WorkingCopies.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace qel::declaration::testing {
namespace {

using Outcome = SaveCommand::Outcome;

class SaveCommandTest : public SaveTest {
protected:
    Outcome save() { return session->saving().run(); }

    int detRows(const QString& casilla) {
        store::SqlFilter filter = key().filter();
        filter.andEquals(QStringLiteral("CASILLA"), casilla);
        return db().scalar(QStringLiteral("SELECT count(*) FROM DET") + filter.text, filter.values).toInt();
    }
    QStringList storedCasillas() {
        const store::SqlFilter filter = key().filter();
        QSqlQuery rows = db().run(QStringLiteral("SELECT CASILLA FROM DET") + filter.text, filter.values);
        QStringList casillas;
        while (rows.next()) {
            casillas.append(rows.value(0).toString());
        }
        return casillas;
    }
};

TEST(CasillaWriterValues, StoredAsTheFormKeepsThem) {
    struct Case {
        const char* casilla;
        const char* value;
        const char* stored;
    };
    for (const Case& c : std::initializer_list<Case>{
             {"359", "1,234,567", "1234567"},
             {"359", "0", "0"},
             {"330", "(4,000)", "-4000"}, // either sign: the parentheses are a minus
             {"105", "(4,000)", "4000"},  // a deduction keeps its magnitude; the mask shows the sign
             {"105", "-(4,000)", "4000"},
             {"207", "00012345", "00012345"}, // identification texts as entered
             {"610", "1.50", "1.50"},
             {"015", "000123", "000123"},
             {"293", "A", "A"}, // a letter answer is no number
             {"239", "15/06/2018", "15/06/2018"},
             {"134", " 25 ", "25"},
         }) {
        EXPECT_EQ(CasillaWriter::storedValue(QString::fromLatin1(c.casilla), QString::fromUtf8(c.value)),
                  QString::fromUtf8(c.stored))
            << c.casilla << " " << c.value;
    }
    for (const char* empty : {"", "   ", "\t", "\n", "\r", "________", "__/__/____"}) {
        EXPECT_TRUE(CasillaWriter::isEmptyValue(QString::fromLatin1(empty))) << empty;
    }
}

// Empty boxes write nothing, a zero is "0", the amounts to pay are marked "05", answers are
// stored under three digits, and a second save leaves exactly the same rows.
TEST_F(SaveCommandTest, CasillaRowsAndSecondSave) {
    open(0);
    makeConsistent();
    type(402, QStringLiteral("0"));
    // The ITF is declared: its box ticked, then its 15% question (the save refuses the
    // question without the box).
    ASSERT_TRUE(model().clickCheck(QStringLiteral("ChkITF")));
    answer("OptITF", 1);
    type(180, QStringLiteral("50"));
    type(181, QStringLiteral("7"));
    ASSERT_EQ(save(), Outcome::Saved);

    struct Case {
        const char* casilla;
        std::optional<const char*> value; // nothing: no row
        const char* idcasilla;
    };
    for (const Case& c : std::initializer_list<Case>{
             {"359", "1000", "01"},
             {"402", "0", "01"},
             {"403", std::nullopt, ""},
             {"468", "100", "01"},
             {"180", "50", "05"},
             {"181", "7", "05"},
             {"207", "87654321", "01"},
             {"805", "0", "01"},
             {"870", "2", "01"},
             {"005", "0", "01"},
             {"801", "D'ONOFRIO S.A.", "01"},
             {"817", "PEREZ", "01"},
         }) {
        const auto value = stored(QString::fromLatin1(c.casilla));
        if (!c.value) {
            EXPECT_FALSE(value.has_value()) << c.casilla;
            continue;
        }
        EXPECT_EQ(value.value_or(QStringLiteral("<none>")), QString::fromUtf8(*c.value)) << c.casilla;
        EXPECT_EQ(stored(QString::fromLatin1(c.casilla), QStringLiteral("idcasilla")), QString::fromLatin1(c.idcasilla))
            << c.casilla;
    }

    const QByteArray first = declarationDigest(db(), key());
    const int rows = test::rowCount(db(), QStringLiteral("DET"), key());
    ASSERT_EQ(save(), Outcome::Saved);
    EXPECT_EQ(declarationDigest(db(), key()), first);
    EXPECT_EQ(test::rowCount(db(), QStringLiteral("DET"), key()), rows);
    EXPECT_EQ(storedCasillas().removeDuplicates(), 0);
}

TEST_F(SaveCommandTest, StateAndFinalMessage) {
    struct Case {
        const char* name;
        bool consistent;
        int estado;
        int formState;
        QString message;
        app::Icon icon;
    };
    for (const Case& c : {Case{"consistent", true, 0, 1, SaveCommand::kSavedConsistent, app::Icon::Information},
                          Case{"inconsistent", false, 9, 3, SaveCommand::kSavedInconsistent, app::Icon::Exclamation}}) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(store::deleteDeclaration(db(), prompter, key()));
        open(0);
        makeConsistent();
        if (!c.consistent) {
            type(180, QStringLiteral("999")); // more than the debt of casilla 146
        }
        prompter.shown.clear();
        ASSERT_EQ(save(), Outcome::Saved);
        EXPECT_EQ(header("ESTADO").toInt(), c.estado);
        EXPECT_EQ(header("fec_pro").toString(), QStringLiteral("2019-03-15"));
        EXPECT_EQ(header("rectifica").toString(), QStringLiteral("0"));
        EXPECT_EQ(model().formState, c.formState);
        EXPECT_FALSE(model().dirty);
        ASSERT_FALSE(prompter.shown.isEmpty());
        EXPECT_EQ(prompter.shown.last().text, c.message);
        EXPECT_EQ(prompter.shown.last().icon, c.icon);
    }
}

// Every row the save writes carries the check code of its own values.
TEST_F(SaveCommandTest, EveryWrittenRowCarriesItsCheckCode) {
    open(0);
    makeConsistent();
    test::insertRow(db(), QStringLiteral("TMPACTA"), key(),
                    {{QStringLiteral("TIPO_ASIST"), QStringLiteral("4")},
                     {QStringLiteral("PER_PAG"), QStringLiteral("201801")},
                     {QStringLiteral("saluti"), 1200},
                     {QStringLiteral("cNumero"), QStringLiteral("000000")}});
    test::insertRow(db(), QStringLiteral("TMPF544ADICDEDUC"), key(),
                    {{QStringLiteral("CASILLA"), QStringLiteral("103")},
                     {QStringLiteral("num_correl"), 1},
                     {QStringLiteral("des_concepto"), QStringLiteral("MULTAS D'ONOFRIO")},
                     {QStringLiteral("MTO_ADIC_DEDUC"), 300},
                     {QStringLiteral("cNumero"), QStringLiteral("000000")}});
    ASSERT_EQ(save(), Outcome::Saved);

    int checked = 0;
    for (const QString& table : savedTables()) {
        const store::TableLayout layout = store::TableCatalog::instance().layout(table, store::Copy::Permanent);
        const store::SqlFilter filter = key().filter();
        QSqlQuery rows = db().run(QStringLiteral("SELECT * FROM ") + layout.name + filter.text, filter.values);
        while (rows.next()) {
            QVariantList row;
            for (int c = 0; c < rows.record().count(); ++c) {
                row.append(rows.value(c));
            }
            EXPECT_EQ(row.last().toString(), store::RowCheckCode(row, layout.columnTypes(), layout.keyCount))
                << table.toStdString();
            ++checked;
        }
    }
    for (const char* table : {"CAB", "ACTA", "F535SOCIOS", "F544ADICDEDUC"}) {
        EXPECT_GT(test::rowCount(db(), QString::fromLatin1(table), key()), 0) << table;
    }
    EXPECT_GT(checked, 40);
}

// A rectification of the ITF alone stores the ITF casillas and the answers, and no income-tax
// casilla, detail or annex row survives from the declaration it replaces.
TEST_F(SaveCommandTest, ItfOnlyRectificationKeepsNoIncomeTaxRows) {
    open(0);
    makeConsistent();
    type(100, QStringLiteral("5000"));
    ASSERT_EQ(save(), Outcome::Saved);
    test::insertRow(db(), QStringLiteral("DET"), key(),
                    {{QStringLiteral("SEMANA"), 0},
                     {QStringLiteral("CASILLA"), QStringLiteral("520")},
                     {QStringLiteral("i_valor"), QStringLiteral("80")}});
    ASSERT_GT(test::rowCount(db(), QStringLiteral("F535SOCIOS"), key()), 0);

    open(1);
    answer("OptRectifica", 1);
    ASSERT_EQ(model().check(QStringLiteral("ChkRenta")), 0);
    ASSERT_TRUE(model().clickCheck(QStringLiteral("ChkITF")));
    answer("OptITF", 1);
    type(155, QStringLiteral("1000"));
    type(156, QStringLiteral("100"));
    ASSERT_EQ(save(), Outcome::Saved);

    QStringList incomeTax;
    for (const QString& casilla : storedCasillas()) {
        const int n = casilla.toInt();
        const bool itf = n == 143 || (n >= 155 && n <= 165) || n == 181 || n == 565;
        const bool answerRow = casilla.size() == 3 && FormControls::instance().answeredIn(n) != nullptr;
        const bool payment =
            casilla == QStringLiteral("599") || casilla == QStringLiteral("012") || casilla == QStringLiteral("015");
        if (!itf && !answerRow && !payment) {
            incomeTax.append(casilla);
        }
    }
    EXPECT_TRUE(incomeTax.isEmpty()) << incomeTax.join(QLatin1Char(' ')).toStdString();
    EXPECT_EQ(stored(QStringLiteral("155")), QStringLiteral("1000"));
    EXPECT_EQ(stored(QStringLiteral("871")), QStringLiteral("1"));
    EXPECT_EQ(header("rectifica").toString(), QStringLiteral("1"));
    for (const char* table : {"F535SOCIOS", "ACTA", "F582BALANCE"}) {
        EXPECT_EQ(test::rowCount(db(), QString::fromLatin1(table), key()), 0) << table;
    }
}

// An ITF box emptied in a second rectification of the ITF alone loses its stored amount; the
// boxes still filled keep theirs.
TEST_F(SaveCommandTest, ItfOnlyRectificationDropsTheBoxesEmptied) {
    open(0);
    makeConsistent();
    ASSERT_EQ(save(), Outcome::Saved);
    for (const char* second : {"100", ""}) {
        open(1);
        answer("OptRectifica", 1);
        if (model().check(QStringLiteral("ChkITF")) != 1) {
            ASSERT_TRUE(model().clickCheck(QStringLiteral("ChkITF")));
        }
        model().clickOption(QStringLiteral("OptITF"), 1); // already answered on the second pass
        type(155, QStringLiteral("1000"));
        type(156, QString::fromLatin1(second));
        ASSERT_EQ(save(), Outcome::Saved) << second;
        EXPECT_EQ(stored(QStringLiteral("155")), QStringLiteral("1000")) << second;
        EXPECT_EQ(stored(QStringLiteral("156")).value_or(QString()), QString::fromLatin1(second));
    }
}

// The answers that switch a section off take its detail along at the save.
TEST_F(SaveCommandTest, SectionsSwitchedOffLoseTheirRows) {
    open(0);
    makeConsistent();
    for (const int casilla : {252, 705, 863, 835}) {
        // The assistants keep their casillas in the working table while the form is open.
        const bool working = casilla != 252;
        QVariantMap row = {{QStringLiteral("CASILLA"), QString::number(casilla)},
                           {QStringLiteral("i_valor"), QStringLiteral("9")}};
        if (!working) {
            row.insert(QStringLiteral("SEMANA"), 0);
        }
        test::insertRow(db(), working ? QStringLiteral("TMPF584DET") : QStringLiteral("DET"), key(), row);
    }
    test::insertRow(db(), QStringLiteral("TMPF542REOEMP"), key(), {{QStringLiteral("CASILLA"), QStringLiteral("278")}});
    test::insertRow(db(), QStringLiteral("TMPF535MERMAS"), key(),
                    {{QStringLiteral("num_documento"), QStringLiteral("1")}});
    answer("OptArrastre2005", 1); // system B: the lines of system A go
    ASSERT_EQ(save(), Outcome::Saved);

    struct Case {
        const char* casilla;
        bool kept;
    };
    for (const Case& c : {Case{"252", false}, Case{"705", false}, Case{"835", false}, Case{"863", true}}) {
        EXPECT_EQ(stored(QString::fromLatin1(c.casilla)).has_value(), c.kept) << c.casilla;
    }
    EXPECT_EQ(test::rowCount(db(), QStringLiteral("TMPF542REOEMP")), 0);
    EXPECT_EQ(test::rowCount(db(), QStringLiteral("F542REOEMP"), key()), 0);
    EXPECT_EQ(test::rowCount(db(), QStringLiteral("F535MERMAS"), key()), 0); // its switch is off
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
             ASSERT_TRUE(t.model().chooseCombo(QStringLiteral("cboContador"), QStringLiteral("06")));
             t.type(208, QStringLiteral("20100113611"));
         },
         QStringLiteral("El RUC del contador no es Válido."), QStringLiteral("info.general"), QStringLiteral("208")},
        {"representative's DNI", [](SaveCommandTest& t) { t.type(226, QStringLiteral("1234567")); },
         QStringLiteral("El DNI o LE debe ser de 8 dígitos."), QStringLiteral("info.general"), QStringLiteral("226")},
        {"ITF balance", [](SaveCommandTest& t) { t.answer("OptITF", 1); },
         QStringLiteral("Debe indicar si tiene saldo por regularizar del ITF"), QStringLiteral("ident.general"),
         QStringLiteral("ChkITF")},
        {"rectified concept", [](SaveCommandTest& t) { t.answer("OptRectifica", 1); },
         QStringLiteral("Ingrese el concepto que está rectificando"), QStringLiteral("ident.general"),
         QStringLiteral("ChkRenta")},
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
        EXPECT_EQ(test::rowCount(db(), QStringLiteral("CAB"), key()), 0);
        EXPECT_EQ(test::rowCount(db(), QStringLiteral("DET"), key()), 0);
    }

    session.reset();
    open(0);
    model().setComboIndex(QStringLiteral("CmbRuc"), -1);
    prompter.shown.clear();
    EXPECT_EQ(save(), Outcome::Refused);
    EXPECT_EQ(prompter.texts(), QStringList{QStringLiteral("Debe seleccionar un Contribuyente.")});
}

// An engine error half-way (a permanent annex table gone) rolls the whole save back.
TEST_F(SaveCommandTest, FailureHalfWayLeavesTheDeclarationAsItWas) {
    open(0);
    makeConsistent();
    test::insertRow(db(), QStringLiteral("TMPACTA"), key(),
                    {{QStringLiteral("TIPO_ASIST"), QStringLiteral("4")}, {QStringLiteral("saluti"), 10}});
    ASSERT_EQ(save(), Outcome::Saved);
    QStringList tables = savedTables();
    tables.removeAll(QStringLiteral("F572DETBAS"));
    const QByteArray before = declarationDigest(db(), key(), tables);

    type(359, QStringLiteral("2500"));
    type(100, QStringLiteral("700"));
    db().run(QStringLiteral("UPDATE TMPF535SOCIOS SET nro_doc_socio='00000002'")).finish();
    db().run(QStringLiteral("DELETE FROM TMPACTA")).finish();
    db().run(QStringLiteral("DROP TABLE F572DETBAS")).finish(); // the last annex of the save order
    model().formState = 2;
    prompter.shown.clear();

    EXPECT_EQ(save(), Outcome::Failed);
    ASSERT_EQ(prompter.shown.size(), 1) << prompter.texts().join('\n').toStdString();
    EXPECT_EQ(prompter.shown.first().title, QStringLiteral("Error al Ejecutar Sentencia SQL"));
    EXPECT_TRUE(prompter.shown.first().text.contains(QStringLiteral("F572DETBAS")));
    EXPECT_EQ(declarationDigest(db(), key(), tables), before);
    EXPECT_EQ(model().formState, 2);
    EXPECT_TRUE(model().dirty);
    EXPECT_FALSE(db().inTransaction());
}

// A sent version shown from the history registers the order number that KOLVA gave it.
TEST_F(SaveCommandTest, OrderNumberOfASentVersion) {
    const store::DeclarationKey sent = key();
    test::insertRow(db(), QStringLiteral("CAB"), sent, {{QStringLiteral("SEMANA"), 0}, {QStringLiteral("ESTADO"), 0}});
    test::insertRow(db(), QStringLiteral("HCAB"), sent,
                    {{QStringLiteral("SEMANA"), 0},
                     {QStringLiteral("CORREL"), QStringLiteral("2")},
                     {QStringLiteral("ESTADO"), 0}});
    test::insertRow(db(), QStringLiteral("HDET"), sent,
                    {{QStringLiteral("SEMANA"), 0},
                     {QStringLiteral("CASILLA"), QStringLiteral("359")},
                     {QStringLiteral("CORREL"), QStringLiteral("2")},
                     {QStringLiteral("i_valor"), QStringLiteral("10")}});
    const QByteArray active = declarationDigest(db(), key());

    struct Case {
        const char* number;
        const char* again;
        Outcome outcome;
        QString norden; // as HCAB holds it afterwards
    };
    // 100008 and 7992739875 pass the check digit; the confirmation must repeat the number.
    for (const Case& c :
         {Case{"100008", "100009", Outcome::OrderNumberRejected, QString()},
          Case{"100008", "100008", Outcome::OrderNumberRegistered, QStringLiteral("100008")},
          Case{"7992739875", "7992739875", Outcome::OrderNumberRegistered, QStringLiteral("7992739875")}}) {
        SCOPED_TRACE(c.number);
        open(1, QStringLiteral("2"));
        model().setControlText(QStringLiteral("TxtNumOrdenE"), QString::fromLatin1(c.number));
        model().setControlText(QStringLiteral("TxtNumOrdenE2"), QString::fromLatin1(c.again));
        prompter.shown.clear();
        EXPECT_EQ(save(), c.outcome);
        ASSERT_EQ(prompter.shown.size(), 1);
        const store::SqlFilter version = sent.versionFilter(QStringLiteral("2"));
        EXPECT_EQ(
            db().scalar(QStringLiteral("SELECT ifnull(NORDEN,'') FROM HCAB") + version.text, version.values).toString(),
            c.norden);
        if (c.outcome == Outcome::OrderNumberRejected) {
            EXPECT_EQ(prompter.shown.first().text, SaveCommand::kOrderNumberRejected);
            continue;
        }
        EXPECT_EQ(prompter.shown.first().text, SaveCommand::kOrderNumberRegistered);
        EXPECT_EQ(prompter.shown.first().title, QStringLiteral("Mensaje"));
        store::SqlFilter row = version;
        row.andEquals(QStringLiteral("CASILLA"), QStringLiteral("806"));
        QSqlQuery det = db().run(QStringLiteral("SELECT * FROM HDET") + row.text, row.values);
        ASSERT_TRUE(det.next());
        const store::TableLayout layout =
            store::TableCatalog::instance().layout(QStringLiteral("DET"), store::Copy::History);
        QVariantList values;
        for (int i = 0; i < det.record().count(); ++i) {
            values.append(det.value(i));
        }
        EXPECT_EQ(det.value(QStringLiteral("i_valor")).toString(), c.norden);
        EXPECT_EQ(det.value(QStringLiteral("idcasilla")).toString(), QStringLiteral("01"));
        EXPECT_EQ(det.value(QStringLiteral("cNumero")).toString(),
                  store::RowCheckCode(values, layout.columnTypes(), layout.keyCount));
        EXPECT_FALSE(det.next()); // registered again: the row is updated, not added
    }
    EXPECT_EQ(declarationDigest(db(), key()), active); // the active declaration is untouched
}

} // namespace
} // namespace qel::declaration::testing
