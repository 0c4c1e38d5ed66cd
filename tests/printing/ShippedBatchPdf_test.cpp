// The shipped module in batch mode prints a saved return into a PDF with no window system at
// all: no platform named and no display. The PDF lands at exactly the path of `pdf` and a
// reader finds the return's text in it.
#include "app/IniFile.h"
#include "batch/BatchFixture.h"
#include "support/FormServices.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

#ifndef QEL_MODULE_PROGRAM
#error "QEL_MODULE_PROGRAM names the module program"
#endif

using namespace qel;

namespace {

const QString kRuc = u"20601000106"_s;

TEST(ShippedBatchPdf, WritesThePdfAtItsPathWithoutAnyDisplay) {
    QTemporaryDir config;
    test::TempDatabase database;
    test::registerTaxpayer(database.db(), kRuc, u"INDUSTRIAS TEXTILES DEL SUR S.A.C."_s, u"CONTADOR"_s);
    const app::IniFile ini(config.path() + u"/PM000.INI"_s);
    const QFileInfo db(database.path());
    for (const auto& [name, value] : {std::pair{"SysPath", config.path() + QLatin1Char('/')},
                                      std::pair{"DBPath", db.absolutePath() + QLatin1Char('/')},
                                      std::pair{"DBName", db.fileName()}, std::pair{"SysUser", u"CONTADOR"_s}}) {
        ini.write(app::IniFile::kOptions, QString::fromLatin1(name), value);
    }

    // A name with blanks and an accent, and no ".pdf": the file is that name and no other.
    const QString pdf = config.path() + u"/copias/Declaración anual 2018"_s;
    ASSERT_TRUE(QDir().mkpath(config.path() + u"/copias"_s));
    const QString script =
        test::demoReturnScript(u"a_general_utilidad.txt"_s) +
        u"\nsave\nclose\ntoday 15/03/2019 10:00:00\nmenu mnuImprimir\nselect grdDeclaraciones 1\n"
        "click cmdImprimir\npdf %1\nclick tlbPrevia 4\nclick tlbPrevia 5\nclick cmdSalir\n"_s.arg(pdf);
    const QString scriptPath = config.path() + u"/guion.txt"_s;
    test::writeFile(scriptPath, script.toUtf8());
    QProcess module;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY", "XAUTHORITY"}) {
        environment.remove(QString::fromLatin1(name));
    }
    environment.insert(u"QEL_CONFIG_DIR"_s, config.path());
    module.setProcessEnvironment(environment);
    module.start(QStringLiteral(QEL_MODULE_PROGRAM), {u"--batch"_s, scriptPath});
    ASSERT_TRUE(module.waitForFinished(120000));
    const QString out = QString::fromUtf8(module.readAllStandardOutput());
    const QString err = QString::fromUtf8(module.readAllStandardError());
    ASSERT_EQ(module.exitStatus(), QProcess::NormalExit) << err.toStdString();
    ASSERT_EQ(module.exitCode(), 0) << out.toStdString() << err.toStdString();
    EXPECT_TRUE(out.contains(u"Reporte se imprimió satisfactoriamente."_s)) << out.toStdString();

    EXPECT_EQ(QDir(config.path() + u"/copias"_s).entryList(QDir::Files), QStringList{QFileInfo(pdf).fileName()});
    ASSERT_GT(QFileInfo(pdf).size(), 1000);
    QProcess text;
    text.start(u"pdftotext"_s, {u"-layout"_s, pdf, u"-"_s});
    ASSERT_TRUE(text.waitForFinished(30000));
    const QString shown = QString::fromUtf8(text.readAllStandardOutput()).simplified();
    EXPECT_TRUE(shown.contains(u"INDUSTRIAS TEXTILES DEL SUR S.A.C."_s)) << shown.toStdString();
}

} // namespace
