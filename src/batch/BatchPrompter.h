#pragma once

#include "base/Prompter.h"

#include <QList>
#include <QString>
#include <QTextStream>
#include <optional>

namespace qel::batch {

// The prompter of the batch mode: prints every message box and question, and answers each
// question with the answer the script queued for it, or with its default button.
//   message ICON "TITLE" "TEXT"
//   question "TITLE" "TEXT" -> ANSWER
// Line breaks of the texts are written as \n.
class BatchPrompter : public app::Prompter {
public:
    explicit BatchPrompter(QTextStream& out) : m_out(out) {}

    void message(const QString& text, const QString& title, app::Icon icon) override;
    app::Button ask(const QString& text, const QString& title, app::Buttons buttons, app::Button defaultButton,
                    app::Icon icon) override;

    // Queues the answer to the next question.
    void queue(app::Button answer) { m_queued.append(answer); }
    int queued() const { return static_cast<int>(m_queued.size()); }
    // A queued answer that was not one of the question's buttons; empty when none. Reading
    // it clears it.
    QString takeError();
    // An engine error was shown (a save, a delete or another write that failed).
    bool databaseErrorShown() const { return m_databaseErrorShown; }

    // "Si", "No", "Cancelar", "Aceptar" as the script writes them.
    static std::optional<app::Button> buttonNamed(const QString& caption);
    // A text on one line: line breaks written as \n.
    static QString oneLine(const QString& text);

private:
    QTextStream& m_out;
    QList<app::Button> m_queued;
    QString m_error;
    bool m_databaseErrorShown = false;
};

} // namespace qel::batch
