#include "app/ui/FormLauncher.h"

#include "app/ui/ArrowCursorScope.h"
#include "app/ui/FormResult.h"
#include "base/Prompter.h"

#include <QWidget>
#include <QtGlobal>

namespace qel::app::ui {

namespace {

QString keyOf(const QString& name) {
    return name.trimmed().toLower();
}

} // namespace

FormLauncher::FormLauncher(Prompter& prompter) : m_prompter(prompter) {}

void FormLauncher::registerForm(const QString& name, Factory factory) {
    m_factories.insert(keyOf(name), std::move(factory));
}

bool FormLauncher::isRegistered(const QString& name) const {
    return m_factories.contains(keyOf(name));
}

QDialog* FormLauncher::openInstance(const QString& name) const {
    return m_open.value(keyOf(name)).data();
}

void FormLauncher::close(const QString& name) {
    // Only a window shown beside its caller can be open here: a modal one ends before its
    // caller goes on.
    const QPointer<QDialog> window = m_open.value(keyOf(name));
    if (window && window->property("qelModeless").toBool()) {
        m_open.remove(keyOf(name));
        window->close(); // deleted on close
    }
}

QString FormLauncher::open(const FormRequest& request) {
    const QString key = keyOf(request.name);
    const auto factory = m_factories.constFind(key);
    if (factory == m_factories.constEnd()) {
        qCritical("FormLauncher: no window is registered under the name \"%s\"", qUtf8Printable(request.name));
        m_prompter.message(
            QStringLiteral("Error interno del módulo: la ventana \"%1\" no está registrada.").arg(request.name),
            QStringLiteral("Error"), Icon::Critical);
        return {};
    }

    // A fresh window each time: whatever is left of the previous one goes first.
    if (const QPointer<QDialog> previous = m_open.take(key)) {
        previous->hide();
        delete previous.data();
    }
    std::unique_ptr<QDialog> window = (*factory)(request);
    if (!window) {
        return {};
    }
    if (window->parentWidget() == nullptr) {
        if (auto* parent = qobject_cast<QWidget*>(request.parent.data())) {
            window->setParent(parent, window->windowFlags() | Qt::Dialog);
        }
    }
    const QPointer<QDialog> guard(window.get());
    m_open.insert(key, guard);
    // A window that works beside the one that opened it (the inconsistency report beside the
    // form) is shown without blocking; it has no result to hand back.
    if (window->property("qelModeless").toBool()) {
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->show();
        (void)window.release();
        return {};
    }
    window->setWindowModality(Qt::ApplicationModal);
    {
        const ArrowCursorScope arrow;
        window->exec();
    }
    if (!guard) {
        (void)window.release(); // destroyed with its parent while it was open
        return {};
    }
    m_open.remove(key);
    QString result;
    if (const auto* source = dynamic_cast<const FormResult*>(window.get())) {
        result = source->resultText();
    }
    return result;
}

} // namespace qel::app::ui
