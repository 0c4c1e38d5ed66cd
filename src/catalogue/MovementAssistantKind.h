#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace qel::annexes {

// One amount column of a movement assistant and how it moves the closing balance.
struct MovementColumn {
    enum class Role { Opening, Addition, Retirement, Closing, Rate };
    QString column; // of the movement table
    QString heading;
    Role role = Role::Addition;
};

// A movement assistant of the fixed assets: nine asset lines of one casilla, each with its
// opening balance, additions, retirements and the closing balance they give. FrmAnexo317A
// keeps the cost (casillas 317, 380-382), FrmAnexo328B the accumulated depreciation (328, 383).
struct MovementAssistantKind {
    static constexpr int kLines = 9;

    QString window;      // FrmAnexo317A
    QList<int> casillas; // the casillas that open it, the first being its own
    QString table;       // working table: TMPF535MOV_IME or TMPF535MOVDA_IME
    QString importKind;  // the import kind of its cmdImportar ("6", "7")
    QString title;       // the frame over the grid
    QList<MovementColumn> columns;

    // By window name (any case); nullptr when it is none of them.
    static const MovementAssistantKind* find(const QString& window);
    static const QList<MovementAssistantKind>& all();
    // The asset lines 1 to 9.
    static const QStringList& lineLabels();
    // The headings of the opening and closing balances carry the period's dates.
    QString heading(int column, const QString& periodo) const;
    int closingColumn() const;
};

} // namespace qel::annexes
