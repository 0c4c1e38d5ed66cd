#include "annexes/TrialBalanceTable.h"
#include "app/Clock.h"
#include "imports/TrialBalanceTransfer.h"
#include "imports/TrialBalanceTransferFile.h"
#include "support/FormServices.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace qel::imports {
namespace {

using app::Icon;
using File = TrialBalanceTransferFile;
using Row = annexes::TrialBalanceRow;

const QString kRuc = QStringLiteral("20100070970");
#define kCaption TrialBalanceTransfer::kCaption

TEST(TrialBalanceTransferFileTest, EachFieldRuleGivesItsCode) {
    const File::AccountLookup chart = [](const QString& code) -> std::optional<Row::AccountClass> {
        if (code == QLatin1String("101")) {
            return Row::AccountClass::Balance;
        }
        if (code == QLatin1String("601")) {
            return Row::AccountClass::Result;
        }
        return std::nullopt;
    };
    struct Case {
        const char* line;
        const char* code;
        const char* reported;
    };
    const Case cases[] = {
        {"101|100|0|50|200|0|0|0|0|", "", "101"},
        {" 101 |||1||||||", "", "101"},
        {"zz9|1|2|3|4|5|6|7|8|", "0876", "zz9"},
        {"601|5|||||||||", "0881", "601"},
        {"601||5|1||||||", "0881", "601"},
        {"601|||1|2|3|4|5|6|", "", "601"},
        {"101|5|||1||||||", "", "101"},
        {"101|||-5||||||", "0983", "101"},
        {"101|||5a||||||", "0885", "101"},
        {"101|||123.0||||||", "0980", "101"},
        {"101|||12345678901234||||||", "0984", "101"},
        {"101|||-5.5||||||", "0980", "101"},
        {"101|||1234567890123||||||", "", "101"},
        {"101|||1|||||-7x|", "", "101"},
        {"101|||||||||", "0981", "101"},
        {"101|1|2|3|4|", "0201", "101"},
        {"101||||||||1e300|", "0984", "101"},
        // Adjustments within a currency column, but not beyond it nor summing beyond it.
        {"101|||||||922337203685477||", "", "101"},
        {"101||||||||999999999999999|", "0984", "101"},
        {"101|||||||900000000000000|-900000000000000|", "0984", "101"},
    };
    for (const Case& c : cases) {
        const File::Checked checked = File::check(QString::fromUtf8(c.line), chart);
        EXPECT_EQ(checked.error, QString::fromUtf8(c.code)) << c.line;
        EXPECT_EQ(checked.reported.trimmed(), QString::fromUtf8(c.reported)) << c.line;
    }
    const File::Checked adjustments = File::check(QStringLiteral("101|||1|||||-7x|"), chart);
    EXPECT_EQ(adjustments.row.entries[Row::AdjustmentCredit], -7 * Row::kUnit);
}

// The shape of a file (a line short or over, a missing separator) is the transfer's own test.
TEST(TrialBalanceTransferFileTest, Windows1252AndCrLfReadAsUtf8AndLf) {
    const QStringList ansi = File::lines(QByteArray("101|\xf1|||||||\r\n601||||||||x|\r\n"));
    EXPECT_EQ(ansi, (QStringList{QStringLiteral("101|ñ|||||||"), QStringLiteral("601||||||||x|")}));
    EXPECT_EQ(File::lines(QByteArray("101|\xc3\xb1|||||||\n601||||||||x|\n")), ansi);
}

class TrialBalanceTransferTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::registerTaxpayer(database.db(), kRuc, QStringLiteral("D'ONOFRIO S.A."));
        annexes::TrialBalanceTable table(database.db(), test::demoKey(kRuc), QStringLiteral("2"));
        table.rebuild();
        ASSERT_TRUE(QDir().mkpath(inputFolder()));
    }
    void TearDown() override { prompter->verify(); }

    QString inputFolder() const { return database.folder() + QStringLiteral("/entrada"); }
    QString reportFolder() const { return database.folder() + QStringLiteral("/RPT"); }
    QString reportPath() const {
        return reportFolder() + QStringLiteral("/058820100070970") + QStringLiteral("2018.Err");
    }

    TrialBalanceTransfer transfer() {
        TrialBalanceTransfer model(
            {database.db(), *prompter, clock, test::demoKey(kRuc), QStringLiteral("2"), reportFolder(), inputFolder()});
        model.setFolder(inputFolder());
        return model;
    }
    void writeFile(const QByteArray& bytes) {
        QFile file(inputFolder() + QStringLiteral("/0588201000709702018.TXT"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QString amount(const QString& code, const QString& column) {
        return database.db()
            .scalar(QStringLiteral("SELECT %1 FROM TMPF582BALANCE WHERE Codigo=?").arg(column), {code})
            .toString();
    }
    QStringList report() {
        QFile file(reportPath());
        if (!file.open(QIODevice::ReadOnly)) {
            return {};
        }
        return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    test::TempDatabase database;
    std::unique_ptr<app::ScriptedPrompter> prompter = test::makePrompter();
    app::FixedClock clock{QDateTime(QDate(2019, 3, 15), QTime(10, 5, 9))};
};

TEST_F(TrialBalanceTransferTest, CleanFileTransfersEveryLineAndLeavesNoReport) {
    ASSERT_TRUE(QDir().mkpath(reportFolder()) && QFile(reportPath()).open(QIODevice::WriteOnly)); // a stale one
    // A line is the account and its eight amounts, each followed by the separator.
    writeFile("101|100||50|200|||||\r\n601|||800|100|||||\r\n\r\n");
    prompter->expectMessage(TrialBalanceTransfer::kSuccess, Icon::Exclamation, kCaption);
    TrialBalanceTransfer model = transfer();
    EXPECT_TRUE(model.transfer());
    EXPECT_EQ(model.transferredText(), QStringLiteral(" 2 Transferidos"));
    EXPECT_EQ(model.rejectedText(), QStringLiteral(" 0 Rechazados"));
    EXPECT_FALSE(QFile::exists(reportPath()));
    EXPECT_EQ(amount(QStringLiteral("101"), QStringLiteral("saldo_acreed || ' ' || cuenta_bal_p")),
              QStringLiteral("50 50"));
    EXPECT_EQ(amount(QStringLiteral("601"), QStringLiteral("result_nat_p || ' ' || ifnull(saldos_ini_d, '')")),
              QStringLiteral("700 "));
    // Accounts the file does not name are listed with empty amounts.
    EXPECT_EQ(amount(QStringLiteral("10"), QStringLiteral("mov_ejerci_d")), QString());
}

TEST_F(TrialBalanceTransferTest, OneBadLineInThreeHundredIsTheOnlyOneReported) {
    QSqlQuery accounts = database.db().run(
        QStringLiteral("SELECT codigo FROM F544BALCUEN WHERE plan='2' AND codigo<>'89' ORDER BY codigo LIMIT 300"));
    QByteArray bytes;
    int line = 0;
    while (accounts.next()) {
        const QByteArray code = accounts.value(0).toString().toLatin1();
        const bool result = code.at(0) >= '6';
        bytes += code + (line == 150 ? "|||-5||||||\n" : result ? "|||10||||||\n" : "|5||10||||||\n");
        ++line;
    }
    ASSERT_EQ(line, 300);
    writeFile(bytes);
    TrialBalanceTransfer model = transfer();
    prompter->expectMessage(QStringLiteral("El archivo ") + QDir::toNativeSeparators(model.inputPath()) +
                                QStringLiteral(" tiene errores. Verifique los errores en: ") +
                                QDir::toNativeSeparators(reportPath()),
                            Icon::Critical, kCaption);
    EXPECT_FALSE(model.transfer());
    EXPECT_EQ(model.transferred(), 299);
    EXPECT_EQ(model.rejected(), 1);
    const QStringList lines = report();
    ASSERT_EQ(lines.size(), 7);
    EXPECT_EQ(lines.mid(0, 5), (QStringList{QStringLiteral("QEL Renta 2018"),
                                            QStringLiteral("ERRORES DE IMPORTACION - BALANCE DE COMPROBACION"),
                                            QStringLiteral("Fecha : 15/03/2019"), QStringLiteral("Hora  : 10:05:09"),
                                            QStringLiteral("CONTRIBUYENTE:  20100070970 - D'ONOFRIO S.A.")}));
    EXPECT_TRUE(lines.at(6).endsWith(QStringLiteral("      Los valores ingresados deben ser positivos")));
}

// A file of the wrong shape, one that is no regular file, or text the transfer cannot read is
// named for what it is (a FIFO is refused at once instead of waiting for a writer), and no row
// changes.
TEST_F(TrialBalanceTransferTest, AFileOfTheWrongShapeOrNoReadableTextIsNamed) {
    const QString path = inputFolder() + QStringLiteral("/0588201000709702018.TXT");
    const QString fieldCount = QStringLiteral("El archivo de importación no tiene el número de campos correctos");
    const QString fileError = QStringLiteral("Error en archivo a cargar");
    const struct {
        const char* what;
        QByteArray bytes; // empty: a FIFO
        QString message;  // %1: the file
        QString title;
    } cases[] = {
        {"a line short", "101|1||||||||\n101|1||||||\n", fieldCount, kCaption},
        {"a field over", "101|1||||||||9|\n", fieldCount, kCaption},
        {"no final separator", "101|1||||||||\n101|1||||||||9\n",
         QStringLiteral("Cada línea del archivo debe terminar con el separador |"), fileError},
        {"UTF-16",
         QByteArray("\xff\xfe"
                    "1\0"
                    "0\0"
                    "1\0|\0",
                    10),
         QStringLiteral("El archivo de transferencia %1 está en UTF-16; guárdelo en UTF-8 o en Windows-1252 (ANSI)."),
         fileError},
        {"a FIFO",
         {},
         QStringLiteral("%1 no es un archivo regular (es una tubería, un dispositivo o un socket): no se lee como el "
                        "archivo de transferencia."),
         fileError},
    };
    database.db().run(QStringLiteral("UPDATE TMPF582BALANCE SET mov_ejerci_d=77 WHERE Codigo='101'")).finish();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(path);
        if (c.bytes.isEmpty()) {
            ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else {
            writeFile(c.bytes);
        }
        TrialBalanceTransfer model = transfer();
        prompter->expectMessage(QString(c.message).replace(QStringLiteral("%1"), model.inputPath()), Icon::Critical,
                                c.title);
        EXPECT_FALSE(model.transfer());
        EXPECT_EQ(model.transferredText(), QStringLiteral("0          Registros Transferidos"));
        EXPECT_EQ(amount(QStringLiteral("101"), QStringLiteral("mov_ejerci_d")), QStringLiteral("77"));
        EXPECT_FALSE(QFile::exists(reportPath()));
        prompter->verify();
    }
}

TEST_F(TrialBalanceTransferTest, RepeatedAccountAndMissingFileAreReported) {
    writeFile("101|||1||||||\n101|||2||||||\n");
    TrialBalanceTransfer model = transfer();
    prompter->expectMessage(QStringLiteral("El archivo ") + model.inputPath() +
                            QStringLiteral(" tiene errores. Verifique los errores en: ") + reportPath());
    EXPECT_FALSE(model.transfer());
    EXPECT_EQ(amount(QStringLiteral("101"), QStringLiteral("mov_ejerci_d")), QStringLiteral("1"));
    EXPECT_TRUE(report().constLast().startsWith(QStringLiteral("101      La cuenta se encuentra registrada")));

    TrialBalanceTransfer elsewhere = transfer();
    elsewhere.setFolder(database.folder());
    prompter->expectMessage(
        QStringLiteral("En la ruta indicada, no se encuentra el archivo a transferir, verifique la ruta"),
        Icon::Critical, QStringLiteral("Error"));
    EXPECT_FALSE(elsewhere.transfer());
    elsewhere.setFolder(QString());
    prompter->expectMessage(QStringLiteral("Seleccionar directorio donde se encuentran\nlos archivos a transferir"),
                            Icon::Information, QStringLiteral("Mensaje"));
    EXPECT_FALSE(elsewhere.transfer());
}

} // namespace
} // namespace qel::imports
