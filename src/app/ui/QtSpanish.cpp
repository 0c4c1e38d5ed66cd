#include "app/ui/QtSpanish.h"

#include <QCoreApplication>
#include <QHash>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace qel::app::ui {

namespace {

// The few texts of Qt's dialogs that Qt's own Spanish translation leaves in English (the kind
// of a folder in the file chooser, the page range and the two-sided printing of the print
// dialog). Asked only after Qt's translation, whatever the context that asks.
class MissingQtTexts : public QTranslator {
public:
    using QTranslator::QTranslator;
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* sourceText, const char* disambiguation = nullptr,
                      int n = -1) const override {
        Q_UNUSED(context)
        Q_UNUSED(disambiguation)
        Q_UNUSED(n)
        static const QHash<QString, QString> texts = {
            {QStringLiteral("Folder"), QStringLiteral("Carpeta")},
            {QStringLiteral("Pages"), QStringLiteral("Páginas")},
            {QStringLiteral("Off"), QStringLiteral("No")},
            {QStringLiteral("Double Sided Printing"), QStringLiteral("Impresión a doble cara")},
            {QStringLiteral("Long side binding"), QStringLiteral("Encuadernación por el lado largo")},
            {QStringLiteral("Short side binding"), QStringLiteral("Encuadernación por el lado corto")},
        };
        return texts.value(QString::fromUtf8(sourceText));
    }
};

} // namespace

QTranslator* installQtSpanish() {
    const QLocale spanish(QLocale::Spanish, QLocale::Peru);
    QLocale::setDefault(spanish);
    // Translators are asked from the last installed back: these texts only where Qt's are missing.
    QCoreApplication::installTranslator(new MissingQtTexts(QCoreApplication::instance()));
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
