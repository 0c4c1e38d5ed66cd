#pragma once

#include <QString>
#include <stdexcept>

namespace qel::store {

// An engine error: its number and its text. Thrown by the query helpers; a command
// catches it at its boundary, rolls back (the transaction guard does) and shows it.
class DatabaseError : public std::runtime_error {
public:
    DatabaseError(int number, const QString& text, const QString& statement = {})
        : std::runtime_error(text.toStdString()), m_number(number), m_text(text), m_statement(statement) {}

    int number() const { return m_number; }
    const QString& text() const { return m_text; }
    const QString& statement() const { return m_statement; }

private:
    int m_number;
    QString m_text;
    QString m_statement;
};

} // namespace qel::store
