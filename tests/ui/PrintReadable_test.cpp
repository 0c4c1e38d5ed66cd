// What a taxpayer reads on the printed copy of each demo return: every casilla with a value on
// the page of its form page, every annex row, the trial balance's accounts with amounts by
// their full codes in code order, and never a table or a column name of the database.
#include "batch/BatchFixture.h"
#include "catalogue/CasillaCatalog.h"
#include "declaration/FormFixture.h"
#include "printing/AnnexSections.h"
#include "printing/DeclarationLayout.h"
#include "printing/DeclarationReport.h"
#include "printing/ReportDocument.h"
#include "printing/ReportPainter.h"
#include "store/TableCatalog.h"
#include "ui/WindowDriver.h"

namespace qel::printing {
namespace {

using L = DeclarationLayout;
using declaration::testing::fields;
using declaration::testing::storeCasilla;

// One row in every annex table, every column filled, and the loss compensation of casilla 108:
// each section prints under its title with every column under a caption.
void fillEveryAnnex(store::Database& db, const store::DeclarationKey& key) {
    const QVariantMap casillas = fields("F535MOV_IME=380; F535MOVDA_IME=383; F544ADICDEDUC=103; F540DISLEG=461");
    const QMap<store::ColumnType, QVariant> kSamples = {{store::ColumnType::Integer, 1},
                                                        {store::ColumnType::Double, 12.5},
                                                        {store::ColumnType::Currency, QStringLiteral("4321")},
                                                        {store::ColumnType::Date, QStringLiteral("2018-05-31")}};
    // The assistants' own keys.
    const QHash<QString, QVariantMap> extras = {
        {QStringLiteral("F572DETBAS"), fields("CAS_ADI=103; CAS_DET=522; per_mes=05")},
        {QStringLiteral("ACTA"), fields("TIPO_ASIST=4; PER_PAG=201805")}};
    for (const store::TableDef& table : store::TableCatalog::instance().tables()) {
        if (!table.declaration || !table.permanent || !table.history || table.name == QLatin1String("CAB") ||
            table.name == QLatin1String("DET") || table.name == QLatin1String("F582BALANCE")) {
            continue;
        }
        db.run(QStringLiteral("DELETE FROM ") + table.name + QStringLiteral(" WHERE DOC_ID_D=?"), {key.ruc}).finish();
        QVariantMap row;
        for (qsizetype c = 4; c < table.columns.size(); ++c) {
            const store::ColumnDef& column = table.columns.at(c);
            if (column.name == store::TableCatalog::kCheckColumn) {
                continue;
            }
            row.insert(column.name, column.type == store::ColumnType::Text ? QVariant(QStringLiteral("Texto%1").arg(c))
                                                                           : kSamples.value(column.type));
        }
        for (const char* name : {"CASILLA", "Casilla"}) {
            if (row.contains(QString::fromLatin1(name))) {
                row.insert(QString::fromLatin1(name), casillas.value(table.name, QStringLiteral("278")));
            }
        }
        row.insert(extras.value(table.name));
        test::insertRow(db, table.name, key, row);
    }
    db.run(QStringLiteral("DELETE FROM DET WHERE DOC_ID_D=? AND CASILLA IN ('833','108')"), {key.ruc}).finish();
    for (const char* casilla : {"833", "108"}) {
        storeCasilla(db, key, QString::fromLatin1(casilla), 5000);
    }
}

struct Case {
    const char* file;
    bool everyAnnex = false;
};

class PrintReadable : public test::BatchTest, public ::testing::WithParamInterface<Case> {};

TEST_P(PrintReadable, ThePrintedCopyShowsWhatTheReturnHolds) {
    const QString script = test::demoReturnScript(QString::fromLatin1(GetParam().file));
    const QString ruc = QRegularExpression(QStringLiteral("^taxpayer (\\d+)"), QRegularExpression::MultilineOption)
                            .match(script)
                            .captured(1);
    test::registerTaxpayer(db(), ruc, QStringLiteral("CONTRIBUYENTE DE PRUEBA S.A.C."), test::kContador);
    QTemporaryDir dir;
    ASSERT_TRUE(runs(script + QStringLiteral("\nsave\nclose\n"), reportsIn(dir.filePath(QStringLiteral("RPT")))));
    const store::DeclarationKey key = test::demoKey(ruc);

    // Amounts on some accounts of the trial balance, codes of every length among them.
    const QString some = QStringLiteral("SELECT Codigo FROM (SELECT Codigo, row_number() OVER (ORDER BY Descrip) AS n "
                                        "FROM F582BALANCE WHERE DOC_ID_D=?) AS t WHERE n % 37 = 6");
    db().run(QStringLiteral(
                 "UPDATE F582BALANCE SET saldos_ini_d=1000, result_nat_g=7 WHERE DOC_ID_D=? AND Codigo IN (") +
                 some + u')',
             {ruc, ruc})
        .finish();
    const QStringList codes = declaration::testing::firstColumn(
        db(), QStringLiteral("SELECT trim(Codigo) FROM (") + some + QStringLiteral(") AS c ORDER BY 1"), {ruc});
    ASSERT_GE(codes.size(), 5);
    if (GetParam().everyAnnex) {
        fillEveryAnnex(db(), key);
    }

    const DeclarationReport report(db(), key);
    const ReportWriter writer = report.write(true, QDateTime(QDate(2019, 3, 15), QTime(10, 0)));
    const ReportDocument document = ReportDocument::fromCommands(writer.commands());
    const QString pdf = dir.filePath(QStringLiteral("copia.pdf"));
    ASSERT_TRUE(ReportPainter::writePdf(pdf, document, 0, document.pageCount() - 1));
    QStringList pages =
        test::runTool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")}).split(u'\f');
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty()) {
        pages.removeLast();
    }
    ASSERT_EQ(pages.size(), writer.pageCount());
    QStringList simple;
    for (const QString& page : pages) {
        simple.append(page.simplified());
    }

    // Every casilla with a value: its number followed by the value on a page of its form page.
    int checked = 0;
    for (int p = 0; p < L::pages().size(); ++p) {
        const QString title = L::pages().at(p).title.simplified();
        QString text;
        for (const QString& page : simple) {
            if (page.contains(title)) {
                text += page + QLatin1Char('\n');
            }
        }
        ASSERT_FALSE(text.isEmpty()) << title.toStdString();
        for (const declaration::CasillaDef* casilla : L::casillasOf(p, 0)) {
            const QString value = report.printedValue(casilla->number).simplified();
            const int chart = report.value(870).trimmed().toInt();
            if (value.isEmpty() || (casilla->chart != 0 && casilla->chart != chart)) {
                continue;
            }
            ++checked;
            // A long word (an e-mail) wraps in its cell: its beginning stands beside the number.
            const QString shown =
                QString::number(casilla->number) + QLatin1Char(' ') + value.section(u' ', 0, 0).left(16);
            EXPECT_TRUE(text.contains(shown)) << GetParam().file << ": casilla " << casilla->number << " \""
                                              << value.toStdString() << "\" not on " << title.toStdString();
        }
    }

    EXPECT_GT(checked, 30) << "the return was saved with its casillas";

    // Every annex row: each word of each of its cells.
    const QString whole = simple.join(QLatin1Char('\n'));
    for (const AnnexSection& section : AnnexSections::read(db(), key, std::nullopt)) {
        EXPECT_TRUE(whole.contains(section.title.simplified())) << section.title.toStdString();
        for (const QStringList& row : section.rows) {
            for (const QString& cell : row) {
                for (const QString& word : cell.split(u' ', Qt::SkipEmptyParts)) {
                    EXPECT_TRUE(whole.contains(word))
                        << GetParam().file << ": " << section.title.toStdString() << ": " << word.toStdString();
                }
            }
        }
    }

    // The trial balance: the accounts with amounts, by full code, in code order, in both bands.
    for (const QString& band : {QStringLiteral("(1 de 2)"), QStringLiteral("(2 de 2)")}) {
        QStringList listed;
        for (const QString& page : pages) {
            if (!page.contains(QStringLiteral("BALANCE DE COMPROBACION")) || !page.contains(band)) {
                continue;
            }
            const QRegularExpression account(QStringLiteral("^\\s*(\\d{2,})\\s+\\S"),
                                             QRegularExpression::MultilineOption);
            for (auto match = account.globalMatch(page); match.hasNext();) {
                listed.append(match.next().captured(1));
            }
        }
        EXPECT_EQ(listed, codes) << GetParam().file << " " << band.toStdString();
    }

    if (GetParam().everyAnnex) {
        for (const QString& title :
             {QStringLiteral(
                  "V.- ASISTENTE DE LA CASILLA 108 (Pérdida Tributaria compensable de ejercicios anteriores)"),
              QStringLiteral("DETALLE DE LA CASILLA 103 - EXCESO DE GASTOS RECREATIVOS"),
              QStringLiteral("INVERSIONES EN EL EXTERIOR"), QStringLiteral("CONCESIONES MINERAS"),
              QStringLiteral("CONTRATOS DE HIDROCARBUROS"), QStringLiteral("FIDEICOMISOS"),
              QStringLiteral("ASISTENTE DE LA CASILLA 380"), QStringLiteral("ASISTENTE DE LA CASILLA 383")}) {
            EXPECT_TRUE(whole.contains(title)) << title.toStdString();
        }
        EXPECT_FALSE(whole.contains(QStringLiteral("DETALLE DEL ANEXO")));
    }
    // No name of the database: no table, and no column that a caption should have named.
    for (const store::TableDef& table : store::TableCatalog::instance().tables()) {
        if (table.name.contains(QRegularExpression(QStringLiteral("^F\\d")))) { // the annex tables
            EXPECT_FALSE(whole.contains(table.name)) << GetParam().file << ": " << table.name.toStdString();
        }
        for (const store::ColumnDef& column : table.columns) {
            if (column.name.contains(u'_') && column.name.size() > 4) {
                QString raw = column.name.toUpper();
                EXPECT_FALSE(whole.contains(column.name, Qt::CaseInsensitive))
                    << GetParam().file << ": " << column.name.toStdString();
                EXPECT_FALSE(whole.contains(raw.replace(u'_', u' '))) << GetParam().file << ": " << raw.toStdString();
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(DemoReturns, PrintReadable,
                         ::testing::Values(Case{"a_general_utilidad.txt"}, Case{"b_mype_menor_15uit.txt"},
                                           Case{"c_mype_mayor_15uit.txt"}, Case{"d_perdida_arrastre.txt"},
                                           Case{"e_exonerada.txt"}, Case{"f_amazonia_zona2.txt"}, Case{"g_itf.txt"},
                                           Case{"h_compensa_perdidas.txt"}, Case{"i_asistentes.txt"},
                                           Case{"i_asistentes.txt", true}),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             return QString::fromLatin1(info.param.file).section(u'.', 0, 0).toStdString() +
                                    (info.param.everyAnnex ? "_every_annex" : "");
                         });

} // namespace
} // namespace qel::printing
