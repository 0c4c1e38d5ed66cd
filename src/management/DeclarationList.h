#pragma once

#include <QList>
#include <QString>
#include <QVariantList>
#include <functional>

namespace qel::app {
class Prompter;
class StatusDisplay;
} // namespace qel::app

namespace qel::store {
class Database;
}

namespace qel::management {

// One stored declaration of the list.
struct DeclarationRow {
    QString ruc;
    QString nombre;
    QString periodo;
    QString formulario;
    int estado = 0;
};

// The declarations stored for the module's period and form code, for the list window
// FrmContAbrir: the query with the user filter, the operation of button 0 (modify or delete),
// the status bar on a row change and the position remembered after a modification.
class DeclarationList {
public:
    enum Operation { Modify = 1, Delete = 3 };

    struct Context {
        store::Database& db;
        app::Prompter& prompter;
        app::StatusDisplay* status = nullptr; // the main window's status bar, when there is one
        QString periodo;
        QString formulario;
        QString userKind; // "0" sees every taxpayer
        QString sysUser;
    };

    // Opens the declaration form (OpenDeclarationForm) with a mode and its arguments, and
    // returns when the form has closed.
    using FormOpener = std::function<void(int mode, const QVariantList& arguments)>;

    DeclarationList(Context context, int operation, FormOpener openForm = {});
    void setFormOpener(FormOpener openForm) { m_openForm = std::move(openForm); }

    int operation() const { return m_operation; }
    Context& context() { return m_context; }
    QString buttonCaption() const;
    QString labelCaption() const;
    QString windowCaption() const;
    // The text the ESTADO column shows for a stored state.
    static QString estadoText(int estado);

    // The statement of the list and its bound values.
    struct Query {
        QString sql;
        QVariantList values;
    };
    Query listQuery() const;

    // pCargadatos: reloads the rows and moves to the remembered position, if any.
    // Engine errors are thrown (store::DatabaseError).
    void pCargadatos();
    const QList<DeclarationRow>& rows() const { return m_rows; }
    bool isEmpty() const { return m_rows.isEmpty(); }

    // The selected row (-1 when the list is empty). A change writes the status bar.
    int current() const { return m_current; }
    void setCurrent(int row);

    // Button 0 (and a double click): the operation on the selected row. Answers false when
    // nothing was done (an empty list, a delete not confirmed or failed).
    bool runOperation();
    // Button 1 ("&Salir"): the status bar without a taxpayer. The window closes itself.
    void leave();

private:
    bool modify();
    bool remove();
    void showStatus(const QString& ruc, const QString& nombre);

    Context m_context;
    int m_operation;
    FormOpener m_openForm;
    QList<DeclarationRow> m_rows;
    int m_current = -1;
    int m_remembered = -1;
};

} // namespace qel::management
