// Every reader of a file another program wrote is bounded: a regular file of at most its limit
// is read, anything else is refused at once with what it is. The bytes of a text file decode as
// UTF-8 or Windows-1252, or name why they cannot.

#include "base/BoundedFile.h"
#include "base/Cp1252.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qel::app {
namespace {

// A FIFO and an oversized file are refused the same way for the import files (their own tests);
// here the limit's edge and the other kinds of file.
TEST(BoundedFile, OnlyARegularFileWithinItsLimitIsRead) {
    QTemporaryDir dir;
    const QString small = dir.filePath(u"guion.txt"_s);
    {
        QFile file(small);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("new\nsave\n");
    }
    const struct {
        QString path;
        qint64 limit;
        BoundedRead::Status status;
        const char* problem;
    } cases[] = {
        {small, 9, BoundedRead::Status::Read, ""},
        {small, 8, BoundedRead::Status::TooLarge, "El guion %1 tiene 9 bytes; no puede pasar de 8 bytes."},
        {u"/dev/zero"_s, 100, BoundedRead::Status::NotRegular, "%1 no es un archivo regular"},
        {dir.path(), 100, BoundedRead::Status::Folder, "%1 es una carpeta, no el guion."},
        {dir.filePath(u"no-existe"_s), 100, BoundedRead::Status::Missing, "No se encuentra el guion %1."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        const BoundedRead read = readBoundedFile(c.path, c.limit);
        EXPECT_EQ(read.status, c.status);
        EXPECT_EQ(read.bytes, c.status == BoundedRead::Status::Read ? QByteArray("new\nsave\n") : QByteArray());
        const QString problem = read.problem(u"el guion"_s, c.path, c.limit);
        EXPECT_TRUE(*c.problem ? problem.startsWith(QString::fromUtf8(c.problem).arg(c.path)) : problem.isEmpty())
            << problem.toStdString();
    }
    EXPECT_EQ(sizeText(1500), u"2 KB"_s);
    EXPECT_EQ(sizeText(3 * 1024 * 1024 / 2), u"1.5 MB"_s);
}

// UTF-8, Windows-1252, UTF-16, CR line ends and a stray byte are told apart the same way for
// PM000.INI and the import files (their own tests); here the edges of the two encodings.
TEST(TextFiles, DecodeAsUtf8OrWindows1252OrNameTheCause) {
    using Fault = DecodedText::Fault;
    const struct {
        const char* what;
        QByteArray bytes;
        Fault fault;
        int line;
        QString text; // checked when there is no fault
    } cases[] = {
        {"UTF-8 with its mark", QByteArray("\xef\xbb\xbf") + "A\r\n", Fault::None, 0, u"A\r\n"_s},
        {"Windows-1252 beyond Latin-1", "CAMI\xd3N\n\x80\n", Fault::None, 0, u"CAMIÓN\n€\n"_s},
        {"an overlong form is no UTF-8", "\xc3\xa9\n\xc0\xaf\n", Fault::MixedEncoding, 2, {}},
        {"a cut sequence at the end", "\xc3\xa9\n\xe2\x82", Fault::MixedEncoding, 2, {}},
        {"one final CR", "A|\r", Fault::None, 0, u"A|\r"_s},
        {"empty", "", Fault::None, 0, QString()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const DecodedText decoded = decodeTextFile(c.bytes);
        EXPECT_EQ(decoded.fault, c.fault);
        EXPECT_EQ(decoded.line, c.line);
        if (c.fault == Fault::None) {
            EXPECT_EQ(decoded.text, c.text);
        }
    }
}

} // namespace
} // namespace qel::app
