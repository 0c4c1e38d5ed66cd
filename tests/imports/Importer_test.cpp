#include "app/UtilityComponent.h"
#include "imports/ImportFile.h"
#include "imports/ImportKind.h"
#include "imports/Importer.h"
#include "imports/SpreadsheetReader.h"
#include "imports/rules/FieldChecks.h"
#include "store/Database.h"
#include "support/ScriptedPrompter.h"
#include "support/TestSupport.h"

#include <QProcess>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace qel::imports {
namespace {

const QString kDeclarant = QStringLiteral("20100070970");

QString partner(int i, const QString& share = QStringLiteral("0.99")) {
    // DNI partners, natural persons domiciled in Peru.
    return QStringLiteral("01|1|%1|SOCIO %2|15/03/1970|9589|%3|01/02/2000|")
        .arg(QString::number(40000000 + i), QString::number(i), share);
}

QByteArray lines(const QStringList& records, const char* end = "\n") {
    return (records.join(QString::fromLatin1(end)) + QString::fromLatin1(end)).toUtf8();
}

// A movable good of a landlord: a car ("1") with its plate, unless another kind and good are given.
QString movable(const QString& docType, const QString& number, const QString& plate,
                const QString& kind = QStringLiteral("1"), const QString& good = QStringLiteral("1")) {
    return QStringLiteral("%1|%2|1200|%3|%4|%5|").arg(docType, number, kind, good, plate) +
           QString(13, QLatin1Char('|'));
}

// A building in Lima on a street and number.
QString building(const QString& number, const QString& road, const QString& streetNumber) {
    return QStringLiteral("1|%1|900|2|||150101|||01|%2|%3|").arg(number, road, streetNumber) +
           QString(7, QLatin1Char('|'));
}

// A row already in the working table, as the annex window or an earlier import left it.
struct Seed {
    QVariant tipoDoc;
    QVariant nroDoc;
    QVariant correl;
    QVariant identification;
    QString ruc = {}; // another declarant's row when set
};

class ImporterTest : public ::testing::Test {
protected:
    ImportResult run(const char* kindCode, const QByteArray& bytes, bool write = true, const QString& casilla = {}) {
        const ImportKind* kind = ImportKinds::byCode(QString::fromLatin1(kindCode));
        EXPECT_NE(kind, nullptr);
        Importer importer({database.db(), key, utility, casilla}, *kind);
        return importer.run(bytes, write);
    }
    int rows(const char* table) { return test::rowCount(database.db(), QString::fromLatin1(table), key); }

    void seed(const Seed& row) {
        store::DeclarationKey owner = key;
        if (!row.ruc.isEmpty()) {
            owner.ruc = row.ruc;
        }
        test::insertRow(database.db(), QStringLiteral("TMPF582ALQUILER"), owner,
                        {{QStringLiteral("tipo_doc"), row.tipoDoc},
                         {QStringLiteral("nro_doc"), row.nroDoc},
                         {QStringLiteral("correl_pred"), row.correl},
                         {QStringLiteral("tip_bien"), QStringLiteral("1")},
                         {QStringLiteral("des_bien"), QStringLiteral("1")},
                         {QStringLiteral("des_identificacion"), row.identification}});
    }

    // The declaration's rows as "type|number|correlative|identification", in table order.
    QStringList table() {
        QStringList rows;
        QSqlQuery query = database.db().run(
            QStringLiteral("SELECT quote(tipo_doc) || '|' || quote(nro_doc) || '|' || quote(correl_pred) || '|' || "
                           "ifnull(des_identificacion, '') || ifnull(numero, '') FROM TMPF582ALQUILER WHERE "
                           "DOC_ID_D=? ORDER BY rowid"),
            {key.ruc});
        while (query.next()) {
            rows.append(query.value(0).toString());
        }
        return rows;
    }

    test::TempDatabase database;
    store::DeclarationKey key = test::demoKey(kDeclarant);
    std::unique_ptr<app::ScriptedPrompter> prompter = test::makePrompter();
    app::UtilityComponent utility{*prompter, &database.db()};
};

// Past the 100 partners every record left is rejected with the limit as its reason: the
// counters and the report account for every line of the file.
TEST_F(ImporterTest, PartnersOverTheLimitAreCountedAsRejectedWithTheirReason) {
    QStringList file;
    for (int i = 1; i <= 150; ++i) {
        file.append(partner(i, QStringLiteral("0.5")));
    }
    const ImportResult result = run("SOCIOS", lines(file));
    EXPECT_EQ(result.limitStop, Importer::kPartnerLimit);
    EXPECT_EQ(result.added, 100);
    EXPECT_EQ(result.rejected, 50);
    EXPECT_EQ(result.counters().at(1), QStringLiteral("50  Registros Rechazados."));
    EXPECT_EQ(rows("TMPF535SOCIOS"), 100);
    const QStringList report = result.reportLines();
    ASSERT_EQ(report.size(), 50);
    for (const QString& line : report) {
        EXPECT_TRUE(line.endsWith(Importer::kPartnerLimit)) << line.toStdString();
    }
    EXPECT_TRUE(report.first().contains(QStringLiteral("40000101")));
}

// UTF-8 is read as UTF-8, a file without any multi-byte sequence as Windows-1252, and what is
// neither (the text decoder's own table has every kind), or has a line of the wrong shape, stops
// the import before anything is written, naming the cause.
TEST_F(ImporterTest, TheFilesEncodingLineEndsAndShapeAreReadOrNamed) {
    const QByteArray utf8 = "01|1|40000001|CAMI\xc3\x93N|15/03/1970|9589|40|01/02/2000|\n";
    const QByteArray ansi = "01|1|40000001|CAMI\xd3N|15/03/1970|9589|40|01/02/2000|\r\n";
    const struct {
        const char* what;
        QByteArray file;
        QString stop;
    } cases[] = {
        {"UTF-8", utf8, {}},
        {"Windows-1252", ansi, {}},
        {"UTF-16", QByteArray("\xff\xfe") + QByteArray("0\0001\0|\0"), QStringLiteral("está en UTF-16")},
        {"no final separator", lines({partner(1), QStringLiteral("01|1|40000002|SOCIO|15/03/1970|9589|1|01/02/2000")}),
         ImportFile::kMissingFinalSeparator},
        {"a field short", lines({partner(1), QStringLiteral("01|1|40000002|SOCIO|15/03/1970|9589|1|")}),
         ImportFile::kWrongFieldCount},
        {"a field over", lines({partner(1), partner(2) + QStringLiteral("X|")}), ImportFile::kWrongFieldCount},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        database.db().run(QStringLiteral("DELETE FROM TMPF535SOCIOS")).finish();
        const ImportResult result = run("SOCIOS", c.file);
        if (c.stop.isEmpty()) {
            EXPECT_EQ(result.stop, QString());
            EXPECT_EQ(result.added, 1);
            EXPECT_EQ(database.db().scalar(QStringLiteral("SELECT des_nom_razon FROM TMPF535SOCIOS")).toString(),
                      QStringLiteral("CAMIÓN"));
        } else {
            EXPECT_TRUE(result.stop.contains(c.stop)) << result.stop.toStdString();
            EXPECT_EQ(result.added + result.modified + result.rejected, 0);
            EXPECT_EQ(rows("TMPF535SOCIOS"), 0) << "nothing written";
        }
    }
}

TEST_F(ImporterTest, ASecondImportOfTheSameFileModifiesEveryRow) {
    const QByteArray file = lines({partner(1, QStringLiteral("40")), partner(2, QStringLiteral("60"))}, "\r\n");
    ASSERT_EQ(run("SOCIOS", file).added, 2);
    const ImportResult again = run("SOCIOS", file);
    EXPECT_EQ(again.added, 0);
    EXPECT_EQ(again.modified, 2);
    EXPECT_FALSE(again.clean());
    EXPECT_TRUE(again.reportLines().first().endsWith(
        QStringLiteral("Ya existe el tipo y número de documento. Se está actualizando el existente")));
    EXPECT_EQ(rows("TMPF535SOCIOS"), 2);
}

// Each record is checked field by field as the annex's window checks it, in its order; a
// record that passes is added, and what the window fills in for it is stored.
TEST_F(ImporterTest, RecordsAreCheckedAsTheirWindowChecksThem) {
    const QString vehicle = QStringLiteral("A2|ABC-123|45000|10/05/2017|1|1|0|9000|1200|3000|13200|1|0||");
    const auto with = [&vehicle](int field, const QString& value) {
        QStringList f = vehicle.split(QLatin1Char('|'));
        f[field] = value;
        return f.join(QLatin1Char('|'));
    };
    const struct {
        QStringList records;
        QStringList messages; // one per record, empty when it is added
        const char* kind = "SOCIOS";
        const char* casilla = "";
        const char* sql = nullptr; // what the added records stored
        const char* stored = nullptr;
    } cases[] = {
        {{"|1|40000001|A|15/03/1970|9589|10|01/02/2000|"}, {"El tipo de socio está en blanco"}},
        {{"07|1|40000001|A|15/03/1970|9589|10|01/02/2000|"}, {"El tipo de socio no es válido."}},
        {{"02|1|40000001|A||9589|10|01/02/2000|"},
         {"El tipo de documento no es válido. Para Persona Juridica Domiciliado solo se debe registrar RUC"}},
        {{"05|1|40000001|A||9589|10|01/02/2000|"}, {"No debe Registrar Tipo de documento."}},
        {{"01|1|4000001|A|15/03/1970|9589|10|01/02/2000|"}, {"El Número de DNI debe ser de 8 dígitos"}},
        {{"02|6|20100070971|A||9589|10|01/02/2000|"}, {"El número de RUC es inválido"}},
        {{"01|1|40000001||15/03/1970|9589|10|01/02/2000|"}, {" Debe registrar Razón Social o Apellidos y Nombres."}},
        {{"01|1|40000001|A||9589|10|01/02/2000|"}, {"Debe registar la fecha de Nacimiento."}},
        {{"02|6|20100047218|A|15/03/1970|9589|10|01/02/2000|"},
         {"Para este Tipo de persona/documento no debe registrar la fecha de nacimiento."}},
        {{"01|1|40000001|A|31/02/1970|9589|10|01/02/2000|"}, {"La fecha de nacimiento no es válida."}},
        {{"01|1|40000001|A|15/03/1970||10|01/02/2000|"}, {"Debe registrar el país de Residencia."}},
        {{"01|1|40000001|A|15/03/1970|XXXX|10|01/02/2000|"}, {"El código de país es inválido."}},
        {{"01|1|40000001|A|15/03/1970|9589|33.333|01/02/2000|"},
         {"El Porcentaje ingresado debe tener memos de 6 caracteres."}},
        {{"01|1|40000001|A|15/03/1970|9589|3.333|01/02/2000|"}, {"El Porcentaje debe tener máximo 2 decimales."}},
        {{"01|1|40000001|A|15/03/1970|9589|0|01/02/2000|"}, {"El Porcentaje no puede ser 0."}},
        {{"01|1|40000001|A|15/03/1970|9589|100.5|01/02/2000|"}, {"La cantidad ingresada supera el máximo permitido."}},
        {{"01|1|40000001|A|15/03/1970|9589|10||"}, {"Debe registar la fecha en que se constituye como socio."}},
        {{"01|1|40000001|A|15/03/1970|9589|10|01/01/2019|"},
         {"La fecha en que se constituye como socio no es válida."}},
        {{"01|1|40000001|A|15/03/1970|9589|10|01/01/1960|"},
         {"La Fecha en que se constituye como socio, asociado, participacionista u otro no puede ser menor que la "
          "fecha de nacimiento."}},
        {{with(0, {})}, {"La categoría del vehículo está en blanco."}, "U41"},
        {{with(0, "Z9")}, {"La categoría del vehículo no es válida."}, "U41"},
        {{with(1, {})}, {"El número de placa está en blanco."}, "U41"},
        {{with(1, "ABCDEFGHIJK")}, {"El número de placa no puede tener más de 10 caracteres."}, "U41"},
        {{with(2, "4500.5")}, {"El importe de costo de adquisición debe ser un numero entero."}, "U41"},
        {{with(3, "31/02/2017")}, {"La fecha de ingreso al patrimonio no es válida."}, "U41"},
        {{with(3, "01/01/2019")},
         {"La fecha de ingreso al patrimonio no puede ser posterior al 31/12 del ejercicio."},
         "U41"},
        {{with(4, "5")}, {"La condición del vehículo no es válida."}, "U41"},
        {{with(5, {})}, {"La actividad a la que está asignado el vehículo no es válida."}, "U41"},
        {{with(8, "-5")}, {"El importe de otros gastos no puede ser negativo."}, "U41"},
        {{with(11, "S")}, {"Indique si identifica el vehículo para deducir sus gastos (1 Sí, 0 No)."}, "U41"},
        {{with(12, "1")}, {"El motivo de la sustitución no es válido."}, "U41"},
        {{with(13, "2")}, {"Un vehículo que no sustituye a otro no lleva motivo de sustitución."}, "U41"},
        {{partner(1, QStringLiteral("60")), partner(2, QStringLiteral("50"))},
         {"", "La sumatoria de los porcentajes ingresados de  todos los socios  supera el máximo permitido."}},
        // Exports shipped in 2015 only, the invoice number padded.
        {{"31/12/2015|123456789012345678|1000|123|1000||", "01/01/2016|123456789012345679|1000|124|1000||",
          "15/06/2015|12345678901234567|1000|125|1000||"},
         {"", "La Fecha de embarque no es válida.",
          "La longitud del número de DAM debe ser de 18 caracteres numericos"},
         "5",
         "",
         "SELECT num_factura FROM TMPF582EXPORTA",
         "00000123"},
        // The assistant's months run from January to the next year's April.
        {{"201801|0|0|0|1500|0|0|", "201904|0|0|0|10|0|0|", "201905|0|0|0|10|0|0|", "201802|0|0|0|-1|0|0|"},
         {"", "", "El periodo no es valido", "El importe no puede ser negativo "},
         "8",
         "128",
         "SELECT sum(pago_r) FROM TMPACTA WHERE TIPO_ASIST='4'",
         "1510"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.records.join(QLatin1Char('\n')).toStdString());
        const ImportResult result = run(c.kind, lines(c.records), true, QString::fromLatin1(c.casilla));
        QStringList messages;
        for (const ImportOutcome& outcome : result.outcomes) {
            messages.append(outcome.message);
        }
        EXPECT_EQ(messages.join(u'\n').toStdString(), c.messages.join(u'\n').toStdString());
        EXPECT_EQ(result.added, c.messages.count(QString()));
        if (c.sql != nullptr) {
            EXPECT_EQ(database.db().scalar(QString::fromLatin1(c.sql)).toString(), QString::fromLatin1(c.stored));
        }
    }
    EXPECT_EQ(rows("TMPF584VEHIC"), 0);

    // A good vehicle is added; the same category and plate again replaces it.
    EXPECT_EQ(run("U41", lines({vehicle})).added, 1);
    EXPECT_EQ(run("U41", lines({with(2, QStringLiteral("50000"))})).modified, 1);
    EXPECT_EQ(rows("TMPF584VEHIC"), 1);
}

TEST_F(ImporterTest, TheConsolidatedPartnerGetsTheSystemsDocumentAndDates) {
    ASSERT_EQ(run("SOCIOS", "05|||||9589|20|31/12/2018|\n").added, 1);
    const QVariant name = database.db().scalar(QStringLiteral(
        "SELECT tipo_doc_socio || ' ' || nro_doc_socio || ' ' || des_nom_razon || ' ' || fec_cosnt_socio "
        "FROM TMPF535SOCIOS"));
    EXPECT_EQ(name.toString(), QStringLiteral("99 000000000000 CONSOLIDADO OTROS SOCIOS 2018-01-01"));
}

TEST_F(ImporterTest, AFailureInTheMiddleLeavesTheWorkingTablesAsTheyWere) {
    database.db().run(QStringLiteral("DROP TABLE TMPF582COLCAB"));
    EXPECT_ANY_THROW(run("12", "1|CONTRATO UNO|6|20100047218|SOCIO|60|1||\n"));
    EXPECT_EQ(rows("TMPF582COLDET"), 0);
}

// Test workbooks are written in the test run by python3-xlwt: `rows` is the Python code that
// fills sheet `ws` ("argv" holds the arguments after the path). False when xlwt is missing.
bool writeWorkbook(const QString& path, const QString& rows, const QStringList& arguments = {}) {
    const QString script = QStringLiteral("import sys, xlwt, datetime\nargv = sys.argv[2:]\n"
                                          "wb = xlwt.Workbook(); ws = wb.add_sheet('Socios')\n") +
                           rows + QStringLiteral("\nwb.save(sys.argv[1])\n");
    return QProcess::execute(QStringLiteral("/usr/bin/python3"),
                             QStringList{QStringLiteral("-c"), script, path} + arguments) == 0;
}

TEST_F(ImporterTest, ASpreadsheetAndItsTextTwinLoadTheSameRows) {
    QTemporaryDir folder;
    const QString book = folder.filePath(QStringLiteral("socios.xls"));
    if (!writeWorkbook(
            book,
            QStringLiteral(
                "dates = xlwt.easyxf(num_format_str='dd/mm/yyyy')\n"
                "rows = [('01','1','40000001','ANA',datetime.date(1970,3,15),'9589',40.5,datetime.date(2000,2,1)),\n"
                "        ('01','1','40000002','LUIS',datetime.date(1971,4,16),'9589',59.5,datetime.date(2001,2,1))]\n"
                "for r, row in enumerate(rows):\n"
                "    for c, v in enumerate(row):\n"
                "        ws.write(3 + r, c, v, dates if isinstance(v, datetime.date) else xlwt.Style.default_style)\n"
                "ws.write(5, 0, 'TOTAL'); ws.write(6, 0, '01')"))) {
        GTEST_SKIP() << "python3-xlwt is not installed";
    }
    const QByteArray text = "01|1|40000001|ANA|15/03/1970|9589|40.5|01/02/2000|\n"
                            "01|1|40000002|LUIS|16/04/1971|9589|59.5|01/02/2001|\n";
    const ImportKind& kind = *ImportKinds::byCode(QStringLiteral("SOCIOS"));
    const SpreadsheetReader::Result sheet = SpreadsheetReader::read(book, *SheetRange::parse(kind.sheetRange));
    ASSERT_TRUE(sheet.error.isEmpty()) << sheet.error.toStdString();
    EXPECT_EQ(sheet.lines, text);
    EXPECT_EQ(run("SOCIOS", sheet.lines).added, 2);
    EXPECT_EQ(run("SOCIOS", text).modified, 2);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 1) << "no file left beside the workbook";
}

// A damaged workbook is refused with the message. A sound one with a text cell longer than any
// field names the cell, whether the spreadsheet library reads the workbook (1,500 characters)
// or gives up on it (32,000).
TEST(SpreadsheetReader, ADamagedWorkbookOrACellTooLongIsNamed) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("libro.xls"));
    for (const QByteArray& content : {QByteArray(), QByteArray("no es un libro"),
                                      QByteArray::fromHex("d0cf11e0a1b11ae1") + QByteArray(600, '\xff')}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        const SpreadsheetReader::Result result =
            SpreadsheetReader::read(path, *SheetRange::parse(QStringLiteral("A4:H9")));
        EXPECT_EQ(result.error, SpreadsheetReader::kCannotOpen.arg(path));
        EXPECT_TRUE(result.lines.isEmpty());
    }
    for (const int characters : {1500, 32000}) {
        SCOPED_TRACE(characters);
        const QString book = folder.filePath(QStringLiteral("socios%1.xls").arg(characters));
        if (!writeWorkbook(book,
                           QStringLiteral("ws.write(3, 0, '01'); ws.write(3, 1, '1'); ws.write(3, 2, '40000001')\n"
                                          "ws.write(3, 3, 'A' * int(argv[0]))"),
                           {QString::number(characters)})) {
            GTEST_SKIP() << "python3-xlwt is not installed";
        }
        const SpreadsheetReader::Result result =
            SpreadsheetReader::read(book, *SheetRange::parse(QStringLiteral("A4:H65535")));
        EXPECT_EQ(result.error, SpreadsheetReader::longCellText(book, QStringLiteral("D4"), characters));
        EXPECT_TRUE(result.lines.isEmpty());
    }
}

// How an imported record finds the landlord's good already registered, and which number a new
// good takes: the document type compares as a number, the document number and the good's
// identification as exact text (case and spaces count), a record sees the rows written before
// it, and the numbering continues after the largest number the landlord has.
TEST_F(ImporterTest, ExistingGoodsAreFoundAndNewOnesNumbered) {
    const QString dni = QStringLiteral("40000001");
    const struct {
        const char* name;
        QList<Seed> seeds;
        QStringList file;
        const char* actions; // per record: A added, M modified
        QStringList table;
    } cases[] = {
        {"the same good is modified, another takes the next number",
         {{1, dni, 1, QStringLiteral("ABC123")}, {1, dni, 2, QStringLiteral("XYZ999")}},
         {movable("1", dni, "ABC123"), movable("01", dni, "NEW1")},
         "MA",
         {"1|'40000001'|1|ABC123", "1|'40000001'|2|XYZ999", "1|'40000001'|3|NEW1"}},
        {"a plate in another case is another good",
         {{1, dni, 1, QStringLiteral("abc123")}},
         {movable("1", dni, "ABC123")},
         "A",
         {"1|'40000001'|1|abc123", "1|'40000001'|2|ABC123"}},
        {"a stored plate with a trailing space is another good",
         {{1, dni, 1, QStringLiteral("ABC123 ")}},
         {movable("1", dni, "ABC123")},
         "A",
         {"1|'40000001'|1|ABC123 ", "1|'40000001'|2|ABC123"}},
        {"a stored number with a leading space is another landlord",
         {{1, QStringLiteral(" 40000001"), 1, QStringLiteral("ABC123")}},
         {movable("1", dni, "ABC123")},
         "A",
         {"1|' 40000001'|1|ABC123", "1|'40000001'|1|ABC123"}},
        {"a type stored as text digits and a number stored as a number are the same landlord",
         {{QStringLiteral("1"), 40000001, 1, QStringLiteral("ABC123")}},
         {movable("001", dni, "ABC123")},
         "M",
         {"1|'40000001'|1|ABC123"}},
        {"a type that is not a number is another landlord",
         {{QStringLiteral("DNI"), dni, 1, QStringLiteral("ABC123")}},
         {movable("1", dni, "ABC123")},
         "A",
         {"'DNI'|'40000001'|1|ABC123", "1|'40000001'|1|ABC123"}},
        {"a good added earlier in the file is modified by its repetition",
         {},
         {movable("1", dni, "ABC123"), movable("1", dni, "ZZZ1"), movable("1", dni, "ABC123")},
         "AAM",
         {"1|'40000001'|1|ABC123", "1|'40000001'|2|ZZZ1"}},
        {"numbering continues after the largest number, gaps kept",
         {{1, dni, 5, QStringLiteral("OLD")}, {1, QStringLiteral("40000002"), 9, QStringLiteral("OTHER")}},
         {movable("1", dni, "NEW")},
         "A",
         {"1|'40000001'|5|OLD", "1|'40000002'|9|OTHER", "1|'40000001'|6|NEW"}},
        {"numbering follows the largest number, not the last row stored",
         {{1, dni, 3, QStringLiteral("AAA")}, {1, dni, 1, QStringLiteral("BBB")}},
         {movable("1", dni, "NEW")},
         "A",
         {"1|'40000001'|3|AAA", "1|'40000001'|1|BBB", "1|'40000001'|4|NEW"}},
        {"a stored row without number is never the good found and is not counted",
         {{1, dni, QVariant(), QStringLiteral("ABC123")}},
         {movable("1", dni, "ABC123")},
         "A",
         {"1|'40000001'|NULL|ABC123", "1|'40000001'|1|ABC123"}},
        {"a stored good without identification is the good of an empty one",
         {{1, dni, 3, QVariant()}},
         {movable("1", dni, "")},
         "M",
         {"1|'40000001'|3|"}},
        {"another declarant's rows do not count",
         {{1, dni, 1, QStringLiteral("ABC123"), QStringLiteral("20100047218")}},
         {movable("1", dni, "ABC123")},
         "A",
         {"1|'40000001'|1|ABC123"}},
        {"an update rewrites every row of its number, so a twin's good is gone",
         {{1, dni, 1, QStringLiteral("AAA")}, {1, dni, 1, QStringLiteral("BBB")}},
         {movable("1", dni, "AAA"), movable("1", dni, "BBB")},
         "MA",
         {"1|'40000001'|1|AAA", "1|'40000001'|1|AAA", "1|'40000001'|2|BBB"}},
        {"a correlative that is not a number leaves the numbering to the table",
         {{1, dni, QStringLiteral("X"), QStringLiteral("ABC123")}},
         {movable("1", dni, "ABC123"), movable("1", dni, "NEW")},
         "AA",
         {"1|'40000001'|'X'|ABC123", "1|'40000001'|0|ABC123", "1|'40000001'|1|NEW"}},
        {"a building is the same good at the same ubigeo, road and number",
         {},
         {building(dni, "AV LIMA", "123"), building(dni, "AV LIMA", "123"), building(dni, "AV LIMA", "125"),
          building(dni, "av lima", "123")},
         "AMAA",
         {"1|'40000001'|1|123", "1|'40000001'|2|125", "1|'40000001'|3|123"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        database.db().run(QStringLiteral("DELETE FROM TMPF582ALQUILER"));
        for (const Seed& row : c.seeds) {
            seed(row);
        }
        const QStringList before = table();
        const ImportResult preview = run("11", lines(c.file), false);
        EXPECT_EQ(table(), before) << "a dry run writes nothing";
        const ImportResult result = run("11", lines(c.file), true);
        ASSERT_EQ(result.rejected, 0) << result.reportLines().join(QLatin1Char('\n')).toStdString();
        QString actions; // A added, M modified, R rejected
        for (const ImportOutcome& outcome : result.outcomes) {
            actions.append(QLatin1Char("AMR"[static_cast<int>(outcome.action)]));
        }
        EXPECT_EQ(actions.toStdString(), c.actions);
        EXPECT_EQ(result.counters(), preview.counters());
        EXPECT_EQ(result.reportLines(), preview.reportLines());
        EXPECT_EQ(table().join(QLatin1Char('\n')).toStdString(), c.table.join(QLatin1Char('\n')).toStdString());
    }
}

// An amount is stored as its column holds it: a number past 13 whole digits would be kept as a
// rounded floating value, and the rentals window refuses an amount that is not above zero.
TEST_F(ImporterTest, RentsBeyondTheColumnOrNotAboveZeroAreRejectedWithTheirReason) {
    const QString record = movable(QStringLiteral("1"), QStringLiteral("40000001"), QStringLiteral("ABC123"));
    const auto withRent = [&record](const char* rent) {
        return QString(record).replace(QStringLiteral("|1200|"), QLatin1Char('|') + QLatin1String(rent) + '|');
    };
    const struct {
        const char* rent;
        const char* message; // "" when added
    } cases[] = {
        {"99999999999999999999999", "El monto del alquiler no puede tener más de 13 dígitos enteros."},
        {"-5", "El monto del alquiler debe ser mayor a 0."},
        {"0", "El monto del alquiler debe ser mayor a 0."},
        {"9999999999999", ""},
        {"0000000000000001200", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rent);
        database.db().run(QStringLiteral("DELETE FROM TMPF582ALQUILER")).finish();
        const ImportResult result = run("11", lines({withRent(c.rent)}));
        ASSERT_EQ(result.outcomes.size(), 1);
        EXPECT_EQ(result.outcomes.first().message, QString::fromUtf8(c.message));
        EXPECT_EQ(result.rejected, *c.message ? 1 : 0);
        if (!*c.message) {
            const QVariant stored = database.db().scalar(QStringLiteral("SELECT mto_alquiler FROM TMPF582ALQUILER"));
            EXPECT_EQ(stored.toLongLong(), QString::fromLatin1(c.rent).toLongLong()) << "kept exactly";
        }
    }
}

// The number checks read the text by hand; they must accept exactly what these patterns accept.
TEST(ImportText, NumberChecksAcceptWhatTheirPatternsAccept) {
    const QRegularExpression whole(QStringLiteral("^-?\\d+$"));
    const QRegularExpression decimal(QStringLiteral("^-?(\\d+(\\.\\d*)?|\\.\\d+)$"));
    const char16_t* inputs[] = {u"",      u"0",     u"-0",  u"123", u"-123",   u"--1", u"+1",  u"-",    u" 1",  u"1 ",
                                u"1\n",   u"1\n\n", u"\n",  u"-\n", u"1\r",    u"1.",  u".5",  u"-.5",  u".",   u"-.",
                                u"1.2.3", u"1.5\n", u"1,5", u"١٢",  u"\uff11", u"12a", u"a12", u"0.00", u"1e5", u"\n1"};
    for (const char16_t* input : inputs) {
        const QString text = QString::fromUtf16(input);
        EXPECT_EQ(fields::wholeNumber(text), whole.match(text).hasMatch()) << text.toStdString();
        EXPECT_EQ(fields::decimalNumber(text), decimal.match(text).hasMatch()) << text.toStdString();
    }
}

TEST(ImportText, FieldsAreCutAtEachSeparatorAndTrimmed) {
    const struct {
        const char* line;
        QStringList fields;
    } cases[] = {
        {"a|b|", {"a", "b"}},
        {" a \t| b|", {"a", "b"}},
        {"||", {"", ""}},
        {" | |", {"", ""}},
        {"|", {""}},
        {"a|b", {"a"}}, // what follows the last separator is no field
        {"", {}},
    };
    for (const auto& c : cases) {
        const QStringList read = ImportFile::fieldsOf(QString::fromUtf8(c.line));
        EXPECT_EQ(read, c.fields) << c.line;
        for (const QString& field : read) {
            EXPECT_FALSE(field.isNull()) << c.line << ": an empty field is an empty text, not NULL";
        }
    }
}

// Generous: a file of 100,000 records reads whole; one past the limit stops before any record.
TEST(ImportText, AFileIsBoundedGenerously) {
    QByteArray large;
    for (int i = 0; i < 100000; ++i) {
        large += "20100070970|PROVEEDOR " + QByteArray::number(i) + " S.A.C.|1500|\r\n";
    }
    const ImportFileRead read = ImportFile::parse(large, 3);
    EXPECT_EQ(read.stop, QString());
    EXPECT_EQ(read.lines.size(), 100000);

    const ImportFileRead tooLarge = ImportFile::parse(QByteArray(ImportFile::kMaxBytes + 1, '|'), 1);
    EXPECT_TRUE(tooLarge.stop.contains(QStringLiteral("no puede pasar de 64 MB"))) << tooLarge.stop.toStdString();
    EXPECT_TRUE(tooLarge.lines.isEmpty());
}

} // namespace
} // namespace qel::imports
