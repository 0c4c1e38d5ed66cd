#include "app/ui/ExposeStamp.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QWidget>
#include <QWindow>
#include <chrono>

namespace qel::app::ui {

void ExposeStamp::watch(QWidget& window) {
    const QString file = qEnvironmentVariable(kVariable);
    if (file.isEmpty() || window.windowHandle() == nullptr) {
        return;
    }
    window.windowHandle()->installEventFilter(new ExposeStamp(window, file));
}

ExposeStamp::ExposeStamp(QWidget& window, QString file) : QObject(&window), m_file(std::move(file)) {}

bool ExposeStamp::eventFilter(QObject* watched, QEvent* event) {
    auto* native = qobject_cast<QWindow*>(watched);
    if (event->type() == QEvent::Expose && native != nullptr && native->isExposed()) {
        const auto now = std::chrono::system_clock::now().time_since_epoch();
        QFile stamp(m_file);
        if (stamp.open(QIODevice::Append)) {
            const auto nanoseconds = std::chrono::duration_cast<std::chrono::nanoseconds>(now).count();
            stamp.write(QByteArray::number(static_cast<qint64>(nanoseconds)) + ' ' +
                        QByteArray::number(QCoreApplication::applicationPid()) + '\n');
        }
        native->removeEventFilter(this);
        deleteLater();
    }
    return QObject::eventFilter(watched, event);
}

} // namespace qel::app::ui
