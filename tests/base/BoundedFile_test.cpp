// Every reader of a file another program wrote is bounded: a regular file of at most its limit
// is read, anything else is refused at once with what it is. The bytes of a text file decode as
// UTF-8 or Windows-1252, or name why they cannot.

#include "base/BoundedFile.h"
#include "base/Cp1252.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace qel::app {
namespace {

TEST(BoundedFile, OnlyARegularFileWithinItsLimitIsRead) {
    QTemporaryDir dir;
    const QString small = dir.filePath(QStringLiteral("guion.txt"));
    {
        QFile file(small);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("new\nsave\n");
    }
    const QString fifo = dir.filePath(QStringLiteral("tuberia"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const struct {
        QString path;
        qint64 limit;
        BoundedRead::Status status;
        const char* problem;
    } cases[] = {
        {small, 9, BoundedRead::Status::Read, ""},
        {small, 8, BoundedRead::Status::TooLarge, "El guion %1 tiene 9 bytes; no puede pasar de 8 bytes."},
        {dir.path(), 100, BoundedRead::Status::Folder, "%1 es una carpeta, no el guion."},
        {fifo, 100, BoundedRead::Status::NotRegular, "%1 no es un archivo regular"},
        {QStringLiteral("/dev/zero"), 100, BoundedRead::Status::NotRegular, "%1 no es un archivo regular"},
        {dir.filePath(QStringLiteral("no-existe")), 100, BoundedRead::Status::Missing, "No se encuentra el guion %1."},
        {QString(), 100, BoundedRead::Status::Missing, "No se encuentra el guion %1."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        QElapsedTimer timer;
        timer.start();
        const BoundedRead read = readBoundedFile(c.path, c.limit);
        EXPECT_LT(timer.elapsed(), 2000) << "nothing waits";
        EXPECT_EQ(read.status, c.status);
        EXPECT_EQ(read.bytes, c.status == BoundedRead::Status::Read ? QByteArray("new\nsave\n") : QByteArray());
        const QString problem = read.problem(QStringLiteral("el guion"), c.path, c.limit);
        const QString expected = QString::fromUtf8(c.problem).arg(c.path);
        if (expected.isEmpty()) {
            EXPECT_TRUE(problem.isEmpty()) << problem.toStdString();
        } else {
            EXPECT_TRUE(problem.startsWith(expected)) << problem.toStdString();
        }
    }
}

TEST(BoundedFile, SizesAreShownAsTheUserReadsThem) {
    EXPECT_EQ(sizeText(900), QStringLiteral("900 bytes"));
    EXPECT_EQ(sizeText(1500), QStringLiteral("2 KB"));
    EXPECT_EQ(sizeText(64 * 1024 * 1024), QStringLiteral("64 MB"));
    EXPECT_EQ(sizeText(3 * 1024 * 1024 / 2), QStringLiteral("1.5 MB"));
}

TEST(TextFiles, DecodeAsUtf8OrWindows1252OrNameTheCause) {
    using Fault = DecodedText::Fault;
    const struct {
        const char* what;
        QByteArray bytes;
        Fault fault;
        int line;
        QString text; // checked when there is no fault
    } cases[] = {
        {"UTF-8", "CAMI\xc3\x93N\n", Fault::None, 0, QStringLiteral("CAMIÓN\n")},
        {"UTF-8 with its mark",
         "\xef\xbb\xbf"
         "A\r\n",
         Fault::None, 0, QStringLiteral("A\r\n")},
        {"Windows-1252 alone", "CAMI\xd3N\n\x80\n", Fault::None, 0, QStringLiteral("CAMIÓN\n€\n")},
        {"both",
         "A\nCAMI\xc3\x93N\nPE\xd1"
         "A\nX\xff\n",
         Fault::MixedEncoding,
         3,
         {}},
        {"an overlong form is no UTF-8", "\xc3\xa9\n\xc0\xaf\n", Fault::MixedEncoding, 2, {}},
        {"a cut sequence at the end", "\xc3\xa9\n\xe2\x82", Fault::MixedEncoding, 2, {}},
        {"UTF-16 with its mark",
         QByteArray("\xff\xfe"
                    "A\0",
                    4),
         Fault::Utf16,
         0,
         {}},
        {"UTF-16 without a mark", QByteArray("\0A\0B\0C\0\n", 8), Fault::Utf16, 0, {}},
        {"CR alone", "A|\rB|\r", Fault::CrOnly, 0, {}},
        {"one final CR", "A|\r", Fault::None, 0, QStringLiteral("A|\r")},
        {"empty", "", Fault::None, 0, QString()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const DecodedText decoded = decodeTextFile(c.bytes);
        EXPECT_EQ(decoded.fault, c.fault);
        EXPECT_EQ(decoded.line, c.line);
        if (c.fault == Fault::None) {
            EXPECT_EQ(decoded.text, c.text);
            EXPECT_EQ(decoded.problem(QStringLiteral("El archivo")), QString());
        } else {
            EXPECT_TRUE(decoded.problem(QStringLiteral("El archivo")).startsWith(QStringLiteral("El archivo ")));
        }
    }
    EXPECT_TRUE(decodeTextFile("\xc3\xa9\n\xd1\n")
                    .problem(QStringLiteral("El archivo"))
                    .contains(QStringLiteral("la línea 2 tiene un byte que no es UTF-8")));
}

} // namespace
} // namespace qel::app
