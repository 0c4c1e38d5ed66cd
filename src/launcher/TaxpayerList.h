#pragma once

#include "launcher/TaxpayerRegistry.h"

#include <QFileSystemWatcher>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>
#include <optional>

namespace qel::store {
class Database;
}

namespace qel::launcher {

// The launcher's list: the taxpayers a user sees with their declaration of the module's period,
// and the one selected, which a reload keeps while it is still listed.
//
// It follows what other users and the module save and send. On the office server the save and
// the send announce the RUC they changed on the server's change channel when they commit; on a
// SQLite file the file and its journal change on disk. A burst of changes (one save writes
// thousands of rows) gives one reload shortly after its last change.
class TaxpayerList : public QObject {
    Q_OBJECT
public:
    static constexpr int kSettleMs = 300;

    TaxpayerList(store::Database& db, QString user, QString periodo, QString formulario, QObject* parent = nullptr);

    // Reloads the rows; the selection stays on its RUC, else goes to the first row (none in an
    // empty list). Engine errors are thrown (store::DatabaseError) and leave the rows as they were.
    void refresh();
    // Starts following the changes made elsewhere: each one reloads the list and emits
    // refreshed(). A reload that fails keeps the rows and the selection as they were.
    void follow();
    bool following() const { return m_following; }

    const QList<TaxpayerSummary>& rows() const { return m_rows; }
    QStringList rucs() const;
    // The selected row, -1 when none.
    int current() const;
    std::optional<TaxpayerSummary> selected() const;
    // Selects the row of a RUC; a RUC not listed leaves the selection as it was.
    void select(const QString& ruc);

signals:
    // The rows were reloaded after a change made elsewhere.
    void refreshed();

private:
    void watchFiles();
    void reloadQuietly();

    store::Database& m_db;
    QString m_user;
    QString m_periodo;
    QString m_formulario;
    QList<TaxpayerSummary> m_rows;
    QString m_selected;
    bool m_following = false;
    QFileSystemWatcher m_watcher;
    QTimer m_settle;
};

} // namespace qel::launcher
