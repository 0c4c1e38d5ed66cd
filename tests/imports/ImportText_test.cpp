#include "imports/ImportFile.h"
#include "imports/rules/FieldChecks.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace qel::imports {
namespace {

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
        EXPECT_EQ(read.join(QLatin1Char(',')).toStdString(), c.fields.join(QLatin1Char(',')).toStdString()) << c.line;
        EXPECT_EQ(read.size(), c.fields.size()) << c.line;
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
