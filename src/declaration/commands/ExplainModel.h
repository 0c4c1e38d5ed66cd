#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace qel::declaration {

class DeclarationFormModel;

// Why a casilla holds the number it holds.
struct CasillaExplanation {
    enum class Kind {
        Computed, // a calculation rule writes it: its formula with the live values
        Window,   // a detail window or assistant hands its total back
        Typed,    // the user types it: the casillas it feeds
    };
    int casilla = 0;
    Kind kind = Kind::Typed;
    QString formula; // "113 = 110 × 29.5 %"
    QString numbers; // "1,000,000 × 0.295": the formula's right side with the live values
    QString result;  // "295,000": what the box shows (both members of a pair, "0 / (5,000)")
    QString condition;
    QList<int> inputs; // the casillas the formula reads, in the order it names them
    QList<int> feeds;  // the casillas whose rules read this one
    QString window;    // the window that fills it
    QStringList rows;  // the rows of that window it sums ("fila 1: 1,500")

    // The one line: "113 = 110 × 29.5 % = 1,000,000 × 0.295 = 295,000".
    QString line() const;
};

// The explanation of the focused casilla, for the panel beside the pages and the batch mode's
// explain: computed from the rule declarations and the live boxes, never stored.
class ExplainModel {
public:
    explicit ExplainModel(DeclarationFormModel& model);

    CasillaExplanation explain(int casilla) const;
    // A casilla as its box shows it; a box-less casilla as the form keeps it.
    QString shownText(int casilla) const;
    // Whether the casilla has a box to go to (a click on an input in the panel).
    bool canGoTo(int casilla) const;

private:
    double number(int casilla) const;
    QString substitute(const QString& expression, const QList<int>& casillas) const;
    void addWindowRows(CasillaExplanation& explanation, const QString& assistantType) const;

    double uit() const;

    DeclarationFormModel& m_model;
    mutable std::optional<double> m_uit; // the UIT of the period, read on first use
};

} // namespace qel::declaration
