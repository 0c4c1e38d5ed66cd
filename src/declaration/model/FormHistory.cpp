#include "declaration/model/FormHistory.h"

#include "store/Database.h"
#include "store/ExecuteSql.h"
#include "store/TableCatalog.h"
#include "store/WorkingCopies.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace qel::declaration {

namespace {

// The steps kept: each holds the form twice, and a long session forgets its oldest edits.
constexpr qsizetype kMaxSteps = 500;

// The working tables: the TMP copy of every table the catalogue gives one.
QStringList workingTableNames() {
    static const QStringList names = [] {
        QStringList list;
        for (const store::TableDef& def : store::TableCatalog::instance().tables()) {
            if (def.working) {
                list.append(store::TableCatalog::physicalName(def.name, store::Copy::Working));
            }
        }
        return list;
    }();
    return names;
}

// The rows of the declaration in a working table (all of a table without the key columns):
// the file is shared, and rows of another declaration are never this form's to take back.
QList<QVariantList> readRows(store::Database& db, const QString& table, const store::DeclarationKey& key) {
    QList<QVariantList> rows;
    const bool keyed = store::TableCatalog::instance().resolve(table)->def->declaration;
    const store::SqlFilter filter = keyed ? key.filter() : store::SqlFilter{};
    QSqlQuery q = db.run(QStringLiteral("SELECT * FROM ") + table + filter.text + QStringLiteral(" ORDER BY rowid"),
                         filter.values);
    const int columns = q.record().count();
    while (q.next()) {
        QVariantList row;
        row.reserve(columns);
        for (int c = 0; c < columns; ++c) {
            row.append(q.value(c));
        }
        rows.append(row);
    }
    return rows;
}

} // namespace

FormHistory::FormHistory(DeclarationFormModel& model, QObject* parent) : QObject(parent), m_model(model) {
    m_model.setEditObserver(this);
    // A declaration loaded (a new taxpayer chosen) starts a new history: its load is no step.
    connect(&m_model, &DeclarationFormModel::answersApplied, this, [this] {
        m_loaded = true;
        if (m_depth == 0) {
            clear();
        }
    });
}

FormHistory::~FormHistory() {
    m_model.setEditObserver(nullptr);
}

TableRows FormHistory::workingTables(store::Database& db, const store::DeclarationKey& key) {
    TableRows tables;
    for (const QString& name : workingTableNames()) {
        tables.insert(name, readRows(db, name, key));
    }
    return tables;
}

void FormHistory::clear() {
    m_undo.clear();
    m_redo.clear();
    m_depth = 0;
    m_inBox = false;
    m_loaded = false;
    m_tablesBefore.reset();
    emit changed();
}

// Entering a box while another one's edit is still open (a window that never said the first
// was left) ends that edit first.
void FormHistory::boxEntered() {
    if (m_inBox) {
        boxLeft();
    }
    m_inBox = true;
    begin(false);
}

void FormHistory::boxLeft() {
    if (!m_inBox) {
        return;
    }
    m_inBox = false;
    end();
}

void FormHistory::editBegins(bool withTables) {
    begin(withTables);
}

void FormHistory::editEnds() {
    end();
}

void FormHistory::begin(bool withTables) {
    if (m_depth++ == 0) {
        m_before = m_model.state();
        m_tablesBefore.reset();
    }
    // A click inside a box's edit (its assistant window) reads the tables as they still are.
    if (withTables && !m_tablesBefore) {
        m_tablesBefore = workingTables(m_model.context().db, m_model.key());
    }
}

void FormHistory::end() {
    if (m_depth == 0 || --m_depth > 0) {
        return;
    }
    if (m_loaded) {
        clear();
        return;
    }
    Step step;
    step.before = m_before;
    step.after = m_model.state();
    if (m_tablesBefore) {
        const TableRows now = workingTables(m_model.context().db, m_model.key());
        for (auto it = m_tablesBefore->cbegin(); it != m_tablesBefore->cend(); ++it) {
            const QList<QVariantList>& after = now.value(it.key());
            if (after != *it) {
                step.tablesBefore.insert(it.key(), *it);
                step.tablesAfter.insert(it.key(), after);
            }
        }
        m_tablesBefore.reset();
    }
    m_before = FormState{};
    if (step.tablesBefore.isEmpty() && sameForm(step.before, step.after)) {
        return; // entered and left without a change
    }
    m_undo.append(std::move(step));
    if (m_undo.size() > kMaxSteps) {
        m_undo.removeFirst();
    }
    m_redo.clear();
    emit changed();
}

// Ctrl+Z in a box: what was typed in it so far is a step of its own first, and the box's edit
// starts again from the form as the undo left it. Within a click (a window open) nothing is
// undone.
bool FormHistory::undo() {
    return move(m_undo, m_redo, true);
}

bool FormHistory::redo() {
    return move(m_redo, m_undo, false);
}

bool FormHistory::move(QList<Step>& from, QList<Step>& to, bool back) {
    const bool inBoxOnly = m_inBox && m_depth == 1;
    if (m_depth > (inBoxOnly ? 1 : 0)) {
        return false;
    }
    if (inBoxOnly) {
        boxLeft();
    }
    if (from.isEmpty()) {
        if (inBoxOnly) {
            boxEntered();
        }
        return false;
    }
    Step step = from.takeLast();
    if (back) {
        putBack(step.before, step.tablesBefore);
    } else {
        putBack(step.after, step.tablesAfter);
    }
    to.append(std::move(step));
    if (inBoxOnly) {
        boxEntered();
    }
    emit changed();
    return true;
}

// The tables first, in one transaction; then the form, so that the window repaints the grids
// and the boxes from what is back in place.
void FormHistory::putBack(const FormState& state, const TableRows& tables) {
    if (!tables.isEmpty()) {
        store::Database& db = m_model.context().db;
        store::runAtomically(db, m_model.context().prompter, [&] {
            for (auto it = tables.cbegin(); it != tables.cend(); ++it) {
                store::DeleteDeclarationRows(db, it.key(), m_model.key());
                for (const QVariantList& row : *it) {
                    QStringList marks;
                    for (qsizetype i = 0; i < row.size(); ++i) {
                        marks.append(QStringLiteral("?"));
                    }
                    db.run(QStringLiteral("INSERT INTO %1 VALUES (%2)").arg(it.key(), marks.join(QLatin1Char(','))),
                           row)
                        .finish();
                }
            }
        });
    }
    m_model.restoreState(state);
    if (!tables.isEmpty()) {
        m_model.refreshGrid();
    }
}

} // namespace qel::declaration
