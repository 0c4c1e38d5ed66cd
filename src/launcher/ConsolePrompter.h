#pragma once

#include "base/Prompter.h"

#include <QTextStream>

namespace qel::launcher {

// The prompter of the launcher's command-line commands: information goes to standard
// output, warnings and errors to standard error; a question takes its default answer.
class ConsolePrompter : public app::Prompter {
public:
    ConsolePrompter(QTextStream& out, QTextStream& err) : m_out(out), m_err(err) {}

    void message(const QString& text, const QString& title, app::Icon icon) override;
    app::Button ask(const QString& text, const QString& title, app::Buttons buttons, app::Button defaultButton,
                    app::Icon icon) override;

private:
    QTextStream& m_out;
    QTextStream& m_err;
};

} // namespace qel::launcher
