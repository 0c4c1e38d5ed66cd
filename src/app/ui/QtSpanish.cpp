#include "app/ui/QtSpanish.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace qel::app::ui {

QTranslator* installQtSpanish() {
    const QLocale spanish(QLocale::Spanish, QLocale::Peru);
    QLocale::setDefault(spanish);
    // Owned by the application; a missing translation leaves Qt's texts in English, nothing worse.
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(spanish, QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator);
        return translator;
    }
    qWarning("Qt's Spanish translations (qtbase_es.qm) were not found: Qt's dialogs stay in English");
    delete translator;
    return nullptr;
}

} // namespace qel::app::ui
