#include "launcher/TaxpayerList.h"

#include "store/Database.h"
#include "store/DatabaseError.h"

#include <QFileInfo>
#include <QSqlDriver>

namespace qel::launcher {

TaxpayerList::TaxpayerList(store::Database& db, QString user, QString periodo, QString formulario, QObject* parent)
    : QObject(parent), m_db(db), m_user(std::move(user)), m_periodo(std::move(periodo)),
      m_formulario(std::move(formulario)) {
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleMs);
    connect(&m_settle, &QTimer::timeout, this, &TaxpayerList::reloadQuietly);
}

void TaxpayerList::refresh() {
    m_rows = TaxpayerRegistry(m_db).summariesFor(m_user, m_periodo, m_formulario);
    const QStringList listed = rucs();
    if (!listed.contains(m_selected)) {
        m_selected = listed.isEmpty() ? QString() : listed.first();
    }
}

void TaxpayerList::reloadQuietly() {
    try {
        refresh();
    } catch (const store::DatabaseError&) {
        // A change seen while the database cannot be read (a server going down, a file being
        // replaced) is not the user's doing: the list stays, and the next change or command
        // reloads it.
        return;
    }
    emit refreshed();
}

void TaxpayerList::follow() {
    if (m_following) {
        return;
    }
    m_following = true;
    if (m_db.engine() == store::Engine::PostgreSQL) {
        QSqlDriver* driver = m_db.connection().driver();
        connect(driver, &QSqlDriver::notification, this, [this](const QString& channel) {
            if (channel == store::SqlDialect::kChangeChannel) {
                m_settle.start();
            }
        });
        driver->subscribeToNotification(store::SqlDialect::kChangeChannel);
        return;
    }
    // A save writes the journal (the -wal file) and, at a checkpoint, the file itself; the
    // journal comes and goes with the connections, and its folder tells when it appears.
    const auto changed = [this] {
        watchFiles(); // a file replaced or recreated is watched again
        m_settle.start();
    };
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, changed);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, changed);
    m_watcher.addPath(QFileInfo(m_db.path()).absolutePath());
    watchFiles();
}

void TaxpayerList::watchFiles() {
    const QString file = QFileInfo(m_db.path()).absoluteFilePath();
    for (const QString& path : {file, file + QStringLiteral("-wal")}) {
        if (QFileInfo::exists(path) && !m_watcher.files().contains(path)) {
            m_watcher.addPath(path);
        }
    }
}

QStringList TaxpayerList::rucs() const {
    QStringList result;
    for (const TaxpayerSummary& row : m_rows) {
        result.append(row.taxpayer.ruc);
    }
    return result;
}

int TaxpayerList::current() const {
    return m_selected.isEmpty() ? -1 : static_cast<int>(rucs().indexOf(m_selected));
}

std::optional<TaxpayerSummary> TaxpayerList::selected() const {
    const int row = current();
    return row < 0 ? std::nullopt : std::optional<TaxpayerSummary>(m_rows.at(row));
}

void TaxpayerList::select(const QString& ruc) {
    if (rucs().contains(ruc)) {
        m_selected = ruc;
    }
}

} // namespace qel::launcher
