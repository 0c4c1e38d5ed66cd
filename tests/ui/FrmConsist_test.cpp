#include "app/Clock.h"
#include "declaration/InconsistencyReport.h"
#include "declaration/ui/FrmConsist.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using namespace qel;
using declaration::FrmConsist;
using declaration::InconsistencyReport;

QString writeReport(const QTemporaryDir& dir, int lines) {
    const QString path = dir.filePath(QStringLiteral("Mens.txt"));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    for (int i = 1; i <= lines; ++i) {
        file.write(QStringLiteral("Información complementaria - Inconsistencia número %1").arg(i).toUtf8() + '\n');
    }
    return path;
}

const app::FixedClock kClock{QDateTime(QDate(2019, 3, 15), QTime(9, 5, 7))};

TEST(FrmConsist, ShowsTheReportAndAcceptsIt) {
    QTemporaryDir dir;
    FrmConsist window(writeReport(dir, 2), kClock);
    const auto* box = window.findChild<QPlainTextEdit*>(QStringLiteral("txtConsist"));
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isReadOnly());
    EXPECT_EQ(box->toPlainText(), QStringLiteral("Información complementaria - Inconsistencia número 1\n"
                                                 "Información complementaria - Inconsistencia número 2"));
    window.show();
    window.grab().save(QStringLiteral("/tmp/FrmConsist.png"));

    EXPECT_EQ(window.resultText(), QString()); // closed without accepting: no mark
    window.findChild<QPushButton*>(QStringLiteral("cmdAceptar"))->click();
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_EQ(window.resultText(), QStringLiteral("A"));
}

TEST(FrmConsist, FortyLinesFillAPageAndTheFortyFirstStartsTheNext) {
    QTemporaryDir dir;
    for (const auto& [lines, pages] : {std::pair{40, 1}, std::pair{41, 2}}) {
        const InconsistencyReport report = InconsistencyReport::fromFile(writeReport(dir, lines));
        const QList<InconsistencyReport::Page> laid = report.pages(kClock.now());
        ASSERT_EQ(laid.size(), pages) << lines;

        const QList<InconsistencyReport::Item>& first = laid.first().items;
        EXPECT_EQ(first.at(0).text, QStringLiteral("15/03/2019"));
        EXPECT_EQ(first.at(1).text, QStringLiteral("INCONSISTENCIAS DETECTADAS "));
        EXPECT_EQ(first.at(2).text, QStringLiteral("09:05:07"));
        EXPECT_EQ(first.at(3).text, QStringLiteral("DECLARACIÓN PAGO ANUAL IMPUESTO A LA RENTA 3RA. CAT. 2006"));
        EXPECT_EQ(first.at(4).text, QStringLiteral("1. Información complementaria - Inconsistencia número 1"));
        EXPECT_EQ(first.at(4).y, 1000);
        EXPECT_EQ(first.at(43).y, 1000 + 39 * 270); // the fortieth line

        const QList<InconsistencyReport::Item>& last = laid.last().items;
        EXPECT_EQ(last.last().text, QStringLiteral(" Inconsistencias Detectadas : %1").arg(lines));
        if (pages == 2) {
            EXPECT_EQ(last.at(4).text, QStringLiteral("41. Información complementaria - Inconsistencia número 41"));
            EXPECT_EQ(last.at(4).y, 1000);
            EXPECT_EQ(last.last().y, 1000 + 270);
        }
    }
}

TEST(FrmConsist, SavesTheTwoPagesOfFortyOneLinesAsPdf) {
    QTemporaryDir dir;
    FrmConsist window(writeReport(dir, 41), kClock);
    const QString pdf = dir.filePath(QStringLiteral("Inconsistencias.pdf"));
    ASSERT_TRUE(window.saveAsPdf(pdf));
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString content = QString::fromLatin1(file.readAll());
    EXPECT_EQ(content.count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))), 2);
}

} // namespace
