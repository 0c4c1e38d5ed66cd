#include "app/ui/QtSpanish.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLocale>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTranslator>
#include <gtest/gtest.h>

namespace {

// Qt's own dialogs speak Spanish once the translations are in: the standard buttons of a
// message box and the print dialog.
TEST(QtSpanish, QtsOwnDialogsAndButtonsAreInSpanish) {
    const QLocale before;
    QTranslator* translator = qel::app::ui::installQtSpanish();
    ASSERT_NE(translator, nullptr) << "qt6-translations-l10n is not installed";

    QMessageBox box(QMessageBox::Question, QStringLiteral("Pregunta"), QStringLiteral("¿Continuar?"),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(box.button(QMessageBox::Yes)->text().remove(QLatin1Char('&')), QStringLiteral("Sí"));
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text().remove(QLatin1Char('&')), QStringLiteral("Cancelar"));

    QPrinter printer;
    QPrintDialog dialog(&printer);
    dialog.show();
    QStringList buttons;
    for (const QAbstractButton* button : dialog.findChildren<QAbstractButton*>()) {
        buttons.append(button->text().remove(QLatin1Char('&')));
    }
    for (const char* text : {"Imprimir", "Cancelar", "Páginas"}) {
        EXPECT_TRUE(buttons.contains(QString::fromUtf8(text))) << qPrintable(buttons.join(QLatin1Char('|')));
    }
    for (const char* english : {"Pages", "Off", "Long side binding", "Short side binding"}) {
        EXPECT_FALSE(buttons.contains(QString::fromUtf8(english))) << english;
    }
    // The kind of a folder in the file chooser.
    QFileSystemModel files;
    EXPECT_EQ(files.iconProvider()->type(QFileInfo(QDir::tempPath())), QStringLiteral("Carpeta"));
    dialog.hide();

    QCoreApplication::removeTranslator(translator);
    delete translator;
    QLocale::setDefault(before);
}

} // namespace
