#pragma once

#include "app/PresentationModel.h"
#include "catalogue/MonthAssistantKind.h"
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

// A month-by-month assistant without its window: sixteen months (the declared year's twelve
// and the first four of the next), one or more amount columns per month, the totals kept up
// to date on every change, and the save that replaces the assistant type's working rows. The
// total is what the casilla receives.
class MonthAssistantModel : public app::PresentationModel, private app::GridSource {
public:
    static constexpr int kRows = 16;
    static const QString kCellMask;          // "#,###,###,##0": a cell not being edited
    static const QString kEditMask;          // "#########0": a cell being edited, and stored amounts
    static const QString kTotalMask;         // "#########0"
    static const QString kNegativeTotalMask; // "(###,###,###,##0)"

    MonthAssistantModel(store::Database& db, app::Prompter& prompter, store::DeclarationKey key,
                        const MonthAssistantKind& kind, bool readOnly, app::FormOpener* opener = nullptr);

    const MonthAssistantKind& kind() const { return m_kind; }
    QString caption() const; // "Asistente de Cálculo de Casilla " + casilla
    bool readOnly() const { return m_readOnly; }
    int columnCount() const { return static_cast<int>(m_kind.columns.size()); }

    // Reads the rows of the assistant's type from the working table (missing months empty).
    void load();

    // Rows are 0-based here; the grid shows them from 1.
    QString monthLabel(int row) const; // "03 - 2018"
    QString monthKey(int row) const;   // per_pag "201803"
    std::optional<double> cell(int row, int column) const;
    QString cellText(int row, int column) const; // display mask, "" when empty
    QString editText(int row, int column) const; // edit mask, "" when empty
    // A typed cell: separators and parentheses read, an empty text empties the cell. Refused
    // (false) in read-only mode or outside the grid. The totals follow at once.
    bool setCellText(int row, int column, const QString& text);
    // A column named by its 1-based number or by its TMPACTA column ("saluti", "pago_r").
    int columnIndex(const QString& nameOrNumber) const;

    double rowTotal(int row) const;
    QString rowTotalText(int row) const; // "" for a month without amounts
    double total() const;
    QString totalText() const;

    // CmdGrabar: replaces the type's rows in one transaction and closes with the total.
    bool save();
    // cmdCerrar: closes without saving and without a result.
    void close();
    // cmdImportar: the text import of the assistant's kind, then the rows read again.
    bool importRows();

    // PresentationModel: the grid, txtTotal, CmdGrabar, cmdCerrar and cmdImportar (when the
    // assistant imports) as a script drives them.
    QString windowName() const override { return m_kind.window; }
    QList<app::DeclaredControl> declaredControls() override;
    bool isClosed() const override { return m_closed; }
    QString result() const override { return m_result; }

    // Called after every change of a cell or of the whole grid (load, import).
    void setChangeListener(std::function<void()> listener) { m_changed = std::move(listener); }

private:
    // GridSource of the grid as a script reads it: the row's label, then its cells as shown.
    int rowCount() const override { return kRows; }
    QStringList rowTexts(int row) const override;
    int currentRow() const override { return m_scriptRow; }
    void setCurrentRow(int row) override { m_scriptRow = row; }
    int m_scriptRow = -1;

    using Row = QList<std::optional<double>>;
    bool rowIsEmpty(int row) const;
    void ensureHeader();
    void writeRows();
    void notify();

    store::Database& m_db;
    app::Prompter& m_prompter;
    store::DeclarationKey m_key;
    const MonthAssistantKind& m_kind;
    bool m_readOnly;
    app::FormOpener* m_opener;
    std::array<Row, kRows> m_rows;
    bool m_closed = false;
    QString m_result;
    std::function<void()> m_changed;
};

} // namespace qel::annexes
