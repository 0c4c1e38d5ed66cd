#include "launcher/ConsolePrompter.h"

namespace qel::launcher {

void ConsolePrompter::message(const QString& text, const QString& title, app::Icon icon) {
    Q_UNUSED(title);
    QTextStream& stream = icon == app::Icon::Information || icon == app::Icon::None ? m_out : m_err;
    stream << text << Qt::endl;
}

app::Button ConsolePrompter::ask(const QString& text, const QString& title, app::Buttons buttons,
                                 app::Button defaultButton, app::Icon icon) {
    Q_UNUSED(title);
    Q_UNUSED(buttons);
    Q_UNUSED(icon);
    m_out << text << QStringLiteral(" [") << app::buttonCaption(defaultButton) << QLatin1Char(']') << Qt::endl;
    return defaultButton;
}

} // namespace qel::launcher
