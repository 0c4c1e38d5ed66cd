#include "app/ui/GuardedApplication.h"

#include "app/UnexpectedError.h"
#include "app/ui/MessageBoxPrompter.h"
#include "store/DatabaseError.h"

#include <cstdio>
#include <exception>

namespace qel::app::ui {

GuardedApplication::GuardedApplication(int& argc, char** argv, QString title)
    : QApplication(argc, argv), m_title(std::move(title)) {
    // The menus stay in their windows on every desktop, and the first window does not wait for
    // the session bus to say whether the desktop would show them elsewhere.
    setAttribute(Qt::AA_DontUseNativeMenuBar);
}

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const store::DatabaseError& error) {
        reportUnexpected(QStringLiteral("Error Número : %1\n%2").arg(error.number()).arg(error.text()), m_title);
    } catch (const std::exception& error) {
        reportUnexpected(QString::fromUtf8(error.what()), m_title);
    } catch (...) {
        reportUnexpected(QStringLiteral("error desconocido"), m_title);
    }
    return false;
}

void GuardedApplication::reportUnexpected(const QString& what, const QString& title) {
    const QString text = unexpectedErrorText(what);
    std::fputs((text + QLatin1Char('\n')).toLocal8Bit().constData(), stderr);
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr) {
        MessageBoxPrompter prompter;
        prompter.message(text, title, Icon::Critical);
    }
}

} // namespace qel::app::ui
