#include "support/ScriptedPrompter.h"

#include <stdexcept>

using namespace Qt::StringLiterals;

namespace qel::app {

ScriptedPrompter::ScriptedPrompter(FailureHandler onFailure) : m_onFailure(std::move(onFailure)) {}

ScriptedPrompter& ScriptedPrompter::expectMessage(const QString& text, std::optional<Icon> icon,
                                                  std::optional<QString> title) {
    m_expected.append({false, text, std::move(title), icon, Button::Ok});
    return *this;
}

ScriptedPrompter& ScriptedPrompter::expectQuestion(const QString& text, Button answer, std::optional<Icon> icon,
                                                   std::optional<QString> title) {
    m_expected.append({true, text, std::move(title), icon, answer});
    return *this;
}

void ScriptedPrompter::message(const QString& text, const QString& title, Icon icon) {
    take(false, text, title, icon);
}

Button ScriptedPrompter::ask(const QString& text, const QString& title, Buttons buttons, Button defaultButton,
                             Icon icon) {
    const auto prompt = take(true, text, title, icon);
    if (!prompt) {
        return defaultButton;
    }
    if (!buttons.testFlag(prompt->answer)) {
        fail(u"answer %1 is not a button of the question \"%2\""_s.arg(buttonCaption(prompt->answer), text));
        return defaultButton;
    }
    return prompt->answer;
}

std::optional<ScriptedPrompter::Prompt> ScriptedPrompter::take(bool question, const QString& text, const QString& title,
                                                               Icon icon) {
    m_shown.append(title + u": "_s + text);
    const QString kind = question ? u"question"_s : u"message"_s;
    if (m_expected.isEmpty()) {
        fail(u"unexpected %1 \"%2\" (title \"%3\")"_s.arg(kind, text, title));
        return std::nullopt;
    }
    const Prompt expected = m_expected.takeFirst();
    if (expected.question != question || expected.text != text) {
        fail(u"expected %1 \"%2\", got %3 \"%4\""_s.arg(expected.question ? u"question"_s : u"message"_s, expected.text,
                                                        kind, text));
        return std::nullopt;
    }
    if (expected.title && *expected.title != title) {
        fail(u"prompt \"%1\": expected title \"%2\", got \"%3\""_s.arg(text, *expected.title, title));
    }
    if (expected.icon && *expected.icon != icon) {
        fail(u"prompt \"%1\": expected icon %2, got %3"_s.arg(text, iconName(*expected.icon), iconName(icon)));
    }
    return expected;
}

bool ScriptedPrompter::verify() {
    const bool allUsed = m_expected.isEmpty();
    for (const auto& left : m_expected) {
        fail(u"expected prompt never shown: \"%1\""_s.arg(left.text));
    }
    m_expected.clear();
    return allUsed;
}

void ScriptedPrompter::fail(const QString& why) {
    if (m_onFailure) {
        m_onFailure(why);
        return;
    }
    throw std::logic_error(why.toStdString());
}

} // namespace qel::app
