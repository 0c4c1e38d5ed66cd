#pragma once

#include "management/SentVersionRow.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <functional>
#include <optional>

namespace qel::app {
class Prompter;
class StatusDisplay;
} // namespace qel::app

namespace qel::store {
class Database;
struct DeclarationKey;
} // namespace qel::store

namespace qel::management {

// The declarations already sent, one row per version, for the list window FrmContAbrirEnv:
// the query with the user filter, the operation of button 0 (register the order number,
// delete the version or recover it), "&Visualizar", the status bar on a row change and the
// position remembered while another window is open.
class SentDeclarationList {
public:
    enum class Operation { RegisterOrderNumber, DeleteVersion, Recover };

    struct Context {
        store::Database& db;
        app::Prompter& prompter;
        app::StatusDisplay* status = nullptr; // the main window's status bar, when there is one
        QString periodo;
        QString formulario;
        QString userKind; // "0" sees every taxpayer
        QString sysUser;
        int listMode = 1;        // 1 register the order number, 3 delete
        bool recovering = false; // "Recuperar Declaración" opened the list
    };

    // Opens the declaration form (OpenDeclarationForm) with a mode and its arguments, and
    // returns when the form has closed.
    using FormOpener = std::function<void(int mode, const QVariantList& arguments)>;
    // Opens the recovery window on a version, and returns when it has closed.
    using RecoveryOpener = std::function<void(const SentVersionRow& version)>;

    explicit SentDeclarationList(Context context);
    void setFormOpener(FormOpener openForm) { m_openForm = std::move(openForm); }
    void setRecoveryOpener(RecoveryOpener openRecovery) { m_openRecovery = std::move(openRecovery); }

    Operation operation() const;
    Context& context() { return m_context; }
    QString buttonCaption() const;
    QString labelCaption() const;
    QString windowCaption() const;
    static const QString kFrameCaption; // "Declaraciones Enviadas"
    static const QString kDeleteQuestion;
    // The grid's column captions, in the order of the query's columns.
    static QStringList columnCaptions();

    // The statement of the list and its bound values.
    struct Query {
        QString sql;
        QVariantList values;
    };
    Query listQuery() const;

    // Reloads the rows and moves to the remembered position, if any. Engine errors are
    // thrown (store::DatabaseError).
    void pCargadatos();
    const QList<SentVersionRow>& rows() const { return m_rows; }
    bool isEmpty() const { return m_rows.isEmpty(); }
    // The text of a cell as the grid shows it (column as in columnCaptions()).
    QString cell(int row, int column) const;

    // The selected row (-1 when the list is empty). A change writes the status bar.
    int current() const { return m_current; }
    void setCurrent(int row);

    // Button 0 (and a double click): the operation on the selected row. Answers false when
    // nothing was done (an empty list, a delete not confirmed or failed).
    bool runOperation();
    // Button 2 ("&Visualizar"): the selected version in the declaration form.
    bool view();
    // Button 1 ("&Salir"): the status bar without a taxpayer. The window closes itself.
    void leave();

    // What the declaration form is opened with on a sent version (RUC, name, true, correlative,
    // control text), or nothing when the taxpayer has no such version. Engine errors are thrown.
    static std::optional<QVariantList> versionArguments(store::Database& db, const store::DeclarationKey& key,
                                                        const QString& correl);

private:
    bool openVersion();
    bool deleteVersion();
    bool recover();
    void showStatus(const QString& ruc, const QString& nombre);

    Context m_context;
    FormOpener m_openForm;
    RecoveryOpener m_openRecovery;
    QList<SentVersionRow> m_rows;
    int m_current = -1;
    int m_remembered = -1;
};

} // namespace qel::management
