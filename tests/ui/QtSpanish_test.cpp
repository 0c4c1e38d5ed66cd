#include "app/ui/QtSpanish.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
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
    EXPECT_TRUE(buttons.contains(QStringLiteral("Imprimir"))) << qPrintable(buttons.join(QLatin1Char('|')));
    EXPECT_TRUE(buttons.contains(QStringLiteral("Cancelar"))) << qPrintable(buttons.join(QLatin1Char('|')));
    QDir().mkpath(QStringLiteral("/tmp/shots/20"));
    dialog.grab().save(QStringLiteral("/tmp/shots/20/print_dialog_spanish.png"));
    dialog.hide();

    QCoreApplication::removeTranslator(translator);
    delete translator;
    QLocale::setDefault(before);
}

} // namespace
