#include "app/Clock.h"
#include "launcher/DeclarationSender.h"
#include "launcher/LauncherFixtures.h"
#include "management/SentVersionsFixture.h"
#include "store/RowCheckCode.h"
#include "store/TableCatalog.h"
#include "support/TestSupport.h"

#include <QRegularExpression>
#include <QSqlQuery>
#include <QSqlRecord>
#include <gtest/gtest.h>

using namespace qel;
using launcher::DeclarationSender;

namespace {

const QString kRuc = "20512345671";
const store::DeclarationKey kKey = test::demoKey(kRuc);
const store::DeclarationKey kOther = test::demoKey("20601112222");
const QDateTime kSentAt(QDate(2019, 3, 15), QTime(10, 30, 5), Qt::UTC);

// A declaration with a row in every table it is sent with, every column filled; names with
// quotes travel too.
void storeDeclaration(store::Database& db, const store::DeclarationKey& key, int estado) {
    test::addActiveDeclaration(db, key, "D'ONOFRIO " + key.ruc);
    db.run("UPDATE CAB SET ESTADO=? WHERE DOC_ID_D=?", {estado, key.ruc}).finish();
}

// The rows of the history copies of every sent table but `skipped`.
int historyRows(store::Database& db, const QString& skipped = {}) {
    int rows = 0;
    for (const QString& table : store::declaration_tables::sentDeclarationTables()) {
        rows +=
            table == skipped ? 0 : test::rowCount(db, store::TableCatalog::physicalName(table, store::Copy::History));
    }
    return rows;
}

class DeclarationSenderTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::ensureSentTables(m_temp.db());
        storeDeclaration(m_temp.db(), kOther, 0);
    }

    DeclarationSender::Result send(const store::DeclarationKey& key = kKey) {
        return DeclarationSender(m_temp.db(), *m_prompter, m_clock).send(key);
    }
    QString sentMessage(int correl) const {
        return QString("Declaración enviada: RUC %1, correlativo %2, control %3")
            .arg(kRuc)
            .arg(correl)
            .arg(DeclarationSender::controlNumber(kRuc, kSentAt, correl));
    }

    test::TempDatabase m_temp;
    std::unique_ptr<app::ScriptedPrompter> m_prompter = test::makePrompter();
    app::FixedClock m_clock{kSentAt};
};

} // namespace

TEST_F(DeclarationSenderTest, AnInconsistentDeclarationIsNotSent) {
    storeDeclaration(m_temp.db(), kKey, 9);
    m_prompter->expectMessage(QStringLiteral("La declaración tiene inconsistencias (estado 9). Grábela sin "
                                             "inconsistencias en el módulo antes de enviarla."),
                              app::Icon::Exclamation, DeclarationSender::kTitle);
    EXPECT_FALSE(send().sent);

    EXPECT_EQ(historyRows(m_temp.db()), 0);
    m_prompter->verify();
}

TEST_F(DeclarationSenderTest, EachSendCopiesEveryTableAsTheNextNumberedVersion) {
    storeDeclaration(m_temp.db(), kKey, 0);
    const QStringList tables = store::declaration_tables::sentDeclarationTables();

    for (int correl = 1; correl <= 2; ++correl) {
        m_prompter->expectMessage(sentMessage(correl), app::Icon::Information, DeclarationSender::kTitle);
        const auto result = send();
        ASSERT_TRUE(result.sent);
        EXPECT_EQ(result.correl, QString::number(correl));
        EXPECT_EQ(result.control, DeclarationSender::controlNumber(kRuc, kSentAt, correl));
        for (const QString& table : tables) {
            const QString history = store::TableCatalog::physicalName(table, store::Copy::History);
            EXPECT_EQ(test::rowCount(m_temp.db(), history, kKey), correl) << history.toStdString();
        }
    }
    m_prompter->verify();
    EXPECT_EQ(historyRows(m_temp.db()), 2 * static_cast<int>(tables.size())); // nothing of the other taxpayer

    // Every column of the declaration's rows reached the version, by name, and each history row
    // carries the check code of its own values.
    for (const QString& table : tables) {
        SCOPED_TRACE(table.toStdString());
        const store::TableLayout source = store::TableCatalog::instance().layout(table, store::Copy::Permanent);
        const store::TableLayout history = store::TableCatalog::instance().layout(table, store::Copy::History);
        QStringList columns = source.columnNames();
        columns.removeAll(store::TableCatalog::kCheckColumn);
        EXPECT_EQ(test::tableRows(m_temp.db(), history.name, columns, kKey.versionFilter("2")),
                  test::tableRows(m_temp.db(), source.name, columns, kKey.filter()));
        // The catalogue's columns: the server adds one of its own after the check code.
        QSqlQuery rows = m_temp.db().run(
            QString("SELECT %1 FROM %2").arg(history.columnNames().join(QLatin1Char(',')), history.name));
        while (rows.next()) {
            QVariantList values;
            for (int i = 0; i < rows.record().count(); ++i) {
                values.append(rows.value(i));
            }
            EXPECT_NE(values.last().toString(), "000000");
            EXPECT_EQ(values.last().toString(), store::RowCheckCode(values, history.columnTypes(), history.keyCount));
        }
    }
    const QString control = DeclarationSender::controlNumber(kRuc, kSentAt, 2);
    EXPECT_EQ(test::tableRows(m_temp.db(), "HCAB", {"FEC_ENV", "CONTROL", "coalesce(NORDEN, 'NULL')"},
                              kKey.versionFilter("2")),
              QStringList{"2019-03-15|" + control + "|"});
    EXPECT_EQ(test::tableRows(m_temp.db(), "HDET", {"ESTADO"}, kKey.versionFilter("1")), QStringList{"0"});
}

TEST_F(DeclarationSenderTest, TheCorrelativeFollowsTheHighestNumberNotTheHighestText) {
    storeDeclaration(m_temp.db(), kKey, 0);
    for (const char* correl : {"9", "10"}) {
        test::insertRow(m_temp.db(), "HCAB", kKey, {{"SEMANA", 0}, {"CORREL", QString::fromLatin1(correl)}});
    }
    m_prompter->expectMessage(sentMessage(11));
    EXPECT_EQ(send().correl, "11");
    m_prompter->verify();
}

TEST_F(DeclarationSenderTest, AFailureHalfWayLeavesNoPartOfTheVersion) {
    storeDeclaration(m_temp.db(), kKey, 0);
    const QString lastTable = store::declaration_tables::sentDeclarationTables().last();
    m_temp.db().run("DROP TABLE H" + lastTable).finish();
    auto recorder = std::make_unique<app::ScriptedPrompter>([](const QString&) {});

    const auto result = DeclarationSender(m_temp.db(), *recorder, m_clock).send(kKey);

    EXPECT_FALSE(result.sent);
    ASSERT_EQ(recorder->shown().size(), 1);
    EXPECT_TRUE(recorder->shown().first().startsWith("Error al Ejecutar Sentencia SQL: "))
        << recorder->shown().first().toStdString();
    EXPECT_EQ(historyRows(m_temp.db(), lastTable), 0);
}

TEST(DeclarationSenderControl, TheControlNumberHasTenDigitsAndChangesWithEachVersion) {
    const QStringList controls = {DeclarationSender::controlNumber(kRuc, kSentAt, 1),
                                  DeclarationSender::controlNumber(kRuc, kSentAt, 2),
                                  DeclarationSender::controlNumber(kRuc, kSentAt.addSecs(1), 1),
                                  DeclarationSender::controlNumber("20601112222", kSentAt, 1)};
    for (const QString& control : controls) {
        EXPECT_TRUE(QRegularExpression("^[0-9]{10}$").match(control).hasMatch()) << control.toStdString();
        EXPECT_EQ(controls.count(control), 1) << control.toStdString();
    }
}
