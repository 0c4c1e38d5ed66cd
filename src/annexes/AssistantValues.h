#pragma once

#include <QMap>
#include <QString>

namespace qel::annexes {

// The values of one assistant window by field id (the casilla, or 1000 + month for a monthly
// row): whole currency units as text without separators ("" when the box is empty).
class AssistantValues {
public:
    QString text(int id) const { return m_values.value(id); }
    bool isEmpty(int id) const { return m_values.value(id).trimmed().isEmpty(); }
    double value(int id) const;
    void setText(int id, const QString& text) { m_values.insert(id, text); }
    void setValue(int id, double value);
    const QMap<int, QString>& all() const { return m_values; }

private:
    QMap<int, QString> m_values;
};

} // namespace qel::annexes
