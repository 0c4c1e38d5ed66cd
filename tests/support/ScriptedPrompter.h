#pragma once

#include "base/Prompter.h"

#include <QList>
#include <QStringList>
#include <functional>
#include <optional>

namespace qel::app {

// A prompter that holds the prompts a test expects, with their answers.
// A prompt that was not expected (or differs in text, title or icon) is a failure;
// so is an expectation left unused when verify() runs. Failures go to the failure
// handler (tests hand in one that reports to the test framework).
class ScriptedPrompter : public Prompter {
public:
    struct Prompt {
        bool question = false;
        QString text;
        std::optional<QString> title; // unset: any title
        std::optional<Icon> icon;     // unset: any icon
        Button answer = Button::Ok;
    };

    using FailureHandler = std::function<void(const QString&)>;

    explicit ScriptedPrompter(FailureHandler onFailure = {});

    ScriptedPrompter& expectMessage(const QString& text, std::optional<Icon> icon = std::nullopt,
                                    std::optional<QString> title = std::nullopt);
    ScriptedPrompter& expectQuestion(const QString& text, Button answer, std::optional<Icon> icon = std::nullopt,
                                     std::optional<QString> title = std::nullopt);

    void message(const QString& text, const QString& title, Icon icon) override;
    Button ask(const QString& text, const QString& title, Buttons buttons, Button defaultButton, Icon icon) override;

    // Fails for every expectation not yet used; returns true when all were used.
    bool verify();
    // Every prompt shown so far, as "TITLE: TEXT".
    const QStringList& shown() const { return m_shown; }
    int pending() const { return static_cast<int>(m_expected.size()); }

private:
    std::optional<Prompt> take(bool question, const QString& text, const QString& title, Icon icon);
    void fail(const QString& why);

    QList<Prompt> m_expected;
    QStringList m_shown;
    FailureHandler m_onFailure;
};

} // namespace qel::app
