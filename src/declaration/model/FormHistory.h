#pragma once

#include "declaration/model/DeclarationFormModel.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QVariantList>
#include <optional>

namespace qel::declaration {

// The rows of the working tables, by table: what an answer, an annex or assistant window or an
// import may change besides the boxes.
using TableRows = QHash<QString, QList<QVariantList>>;

// Undo and redo within one opening of the form, one step per edit as the user sees it: a
// casilla typed from entering its box to leaving it, with all the calculation changed; an
// answer, a check or a combo choice with what its section switch cleared; a click on an
// assistant box or an annex or import button with all the rows its windows added, changed or
// deleted. A step keeps the form's state before and after, and the working tables that
// changed. Undo puts the form back without running the rules; after a save it undoes only in
// the form, and the next save stores the result.
class FormHistory : public QObject, public EditObserver {
    Q_OBJECT
public:
    explicit FormHistory(DeclarationFormModel& model, QObject* parent = nullptr);
    ~FormHistory() override;
    FormHistory(const FormHistory&) = delete;
    FormHistory& operator=(const FormHistory&) = delete;

    bool canUndo() const { return !m_undo.isEmpty(); }
    bool canRedo() const { return !m_redo.isEmpty(); }
    bool undo();
    bool redo();
    // Forgets every step (the load of a declaration starts a new history).
    void clear();

    // The declaration's rows of every working table, row by row (ordered as stored).
    static TableRows workingTables(store::Database& db, const store::DeclarationKey& key);

    void boxEntered() override;
    void boxLeft() override;
    void editBegins(bool withTables) override;
    void editEnds() override;

signals:
    void changed(); // a step was added, undone or redone

private:
    struct Step {
        FormState before;
        FormState after;
        TableRows tablesBefore; // only the tables that changed
        TableRows tablesAfter;
    };
    void begin(bool withTables);
    void end();
    void putBack(const FormState& state, const TableRows& tables);
    bool move(QList<Step>& from, QList<Step>& to, bool back);

    DeclarationFormModel& m_model;
    QList<Step> m_undo;
    QList<Step> m_redo;
    int m_depth = 0;
    bool m_inBox = false;
    bool m_loaded = false; // a declaration was loaded during the edit
    FormState m_before;
    std::optional<TableRows> m_tablesBefore;
};

} // namespace qel::declaration
