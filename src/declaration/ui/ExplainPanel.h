#pragma once

#include <QFrame>
#include <QList>
#include <utility>

class QLabel;
class QVBoxLayout;

namespace qel::declaration {

struct CasillaExplanation;

// The panel beside the pages: why the focused casilla holds its value. Each casilla the
// formula reads is a button that goes to its box.
class ExplainPanel : public QFrame {
    Q_OBJECT
public:
    explicit ExplainPanel(QWidget* parent = nullptr);

    // The explanation and the casillas it reads with their texts as their boxes show them;
    // goable: whether each has a box to go to.
    void showExplanation(const CasillaExplanation& explanation, const QList<std::pair<int, QString>>& inputs,
                         const QList<bool>& goable);
    void clear();

signals:
    void goTo(int casilla);

private:
    QLabel* m_title = nullptr;
    QLabel* m_line = nullptr;
    QLabel* m_condition = nullptr;
    QLabel* m_rows = nullptr;
    QVBoxLayout* m_inputs = nullptr;
};

} // namespace qel::declaration
