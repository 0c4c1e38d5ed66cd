#pragma once

#include "app/PresentationModel.h"
#include "catalogue/MovementAssistantKind.h"
#include "store/DeclarationKey.h"

#include <QList>
#include <QString>
#include <array>
#include <functional>
#include <optional>

namespace qel::store {
class Database;
}

namespace qel::app {
class FormOpener;
class Prompter;
} // namespace qel::app

namespace qel::annexes {

// A movement assistant of the fixed assets without its window: the nine asset lines of one
// casilla with their columns, the closing balance of each line computed from its opening
// balance, additions and retirements, the column totals, and the save that replaces the
// casilla's movement lines and the working casillas they give. The casilla receives the total
// of the closing balances.
class MovementAssistantModel : public app::PresentationModel, private app::GridSource {
public:
    static const QString kGrid;     // "grdMovimiento"
    static const QString kCellMask; // "#,###,###,##0"
    static const QString kEditMask; // "#########0", also how amounts are stored
    static const QString kNegativeClosing;

    MovementAssistantModel(store::Database& db, app::Prompter& prompter, store::DeclarationKey key,
                           const MovementAssistantKind& kind, int casilla, bool readOnly,
                           app::FormOpener* opener = nullptr);

    const MovementAssistantKind& kind() const { return m_kind; }
    int casilla() const { return m_casilla; }
    QString caption() const; // "Asistente de Cálculo de Casilla " + casilla
    bool readOnly() const { return m_readOnly; }
    int columnCount() const { return static_cast<int>(m_kind.columns.size()); }
    QString heading(int column) const;
    bool isComputed(int column) const;

    // Reads the casilla's lines from the working table (missing lines empty).
    void load();

    // Rows 0-8 are the lines; the grid shows them from 1 and a totals row after them.
    std::optional<double> cell(int row, int column) const;
    QString cellText(int row, int column) const;
    QString editText(int row, int column) const;
    // A typed cell: separators read, an empty text empties it. Refused in read-only mode,
    // outside the lines and in the computed closing balance.
    bool setCellText(int row, int column, const QString& text);
    // A column by its 1-based number or its table column ("AdiCompMej").
    int columnIndex(const QString& nameOrNumber) const;
    double columnTotal(int column) const;
    QString totalText(int column) const;
    double total() const; // the closing balances
    QString totalText() const;

    // CmdGrabar: the lines and their casillas in one transaction; closes with the total.
    bool save();
    void close();
    // cmdImportar: the import window of the movement kind for this casilla, then the lines again.
    bool importRows();

    // PresentationModel: the grid, txtTotal, CmdGrabar, cmdCerrar and cmdImportar (when the
    // assistant imports) as a script drives them.
    QString windowName() const override { return m_kind.window; }
    QList<app::DeclaredControl> declaredControls() override;
    bool isClosed() const override { return m_closed; }
    QString result() const override { return m_result; }
    void setChangeListener(std::function<void()> listener) { m_changed = std::move(listener); }

private:
    // GridSource of the grid as a script reads it: the row's label, then its cells as shown.
    int rowCount() const override { return MovementAssistantKind::kLines; }
    QStringList rowTexts(int row) const override;
    int currentRow() const override { return m_scriptRow; }
    void setCurrentRow(int row) override { m_scriptRow = row; }
    int m_scriptRow = -1;

    using Line = QList<std::optional<double>>;
    void computeClosing(int row);
    bool lineIsEmpty(int row) const;
    void writeLines();
    void notify();

    store::Database& m_db;
    app::Prompter& m_prompter;
    store::DeclarationKey m_key;
    const MovementAssistantKind& m_kind;
    int m_casilla;
    bool m_readOnly;
    app::FormOpener* m_opener;
    std::array<Line, MovementAssistantKind::kLines> m_lines;
    bool m_closed = false;
    QString m_result;
    std::function<void()> m_changed;
};

} // namespace qel::annexes
