#include "batch/BatchPrompter.h"

#include "store/ExecuteSql.h"

#include <utility>

namespace qel::batch {

void BatchPrompter::message(const QString& text, const QString& title, app::Icon icon) {
    if (title == store::kSqlErrorTitle) {
        m_databaseErrorShown = true;
    }
    m_out << "message " << app::iconName(icon) << " \"" << oneLine(title) << "\" \"" << oneLine(text) << "\"\n";
    m_out.flush();
}

app::Button BatchPrompter::ask(const QString& text, const QString& title, app::Buttons buttons,
                               app::Button defaultButton, app::Icon icon) {
    Q_UNUSED(icon)
    app::Button answer = defaultButton;
    if (!m_queued.isEmpty()) {
        const app::Button queuedAnswer = m_queued.takeFirst();
        if (buttons.testFlag(queuedAnswer)) {
            answer = queuedAnswer;
        } else {
            m_error = QStringLiteral("la respuesta %1 no es un botón de la pregunta \"%2\"")
                          .arg(app::buttonCaption(queuedAnswer), oneLine(text));
        }
    }
    m_out << "question \"" << oneLine(title) << "\" \"" << oneLine(text) << "\" -> " << app::buttonCaption(answer)
          << '\n';
    m_out.flush();
    return answer;
}

QString BatchPrompter::takeError() {
    return std::exchange(m_error, QString());
}

std::optional<app::Button> BatchPrompter::buttonNamed(const QString& caption) {
    for (const app::Button button : {app::Button::Yes, app::Button::No, app::Button::Cancel, app::Button::Ok}) {
        if (app::buttonCaption(button) == caption) {
            return button;
        }
    }
    return std::nullopt;
}

QString BatchPrompter::oneLine(const QString& text) {
    QString result = text;
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\\n"));
    result.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    result.replace(QLatin1Char('\r'), QStringLiteral("\\n"));
    return result;
}

} // namespace qel::batch
