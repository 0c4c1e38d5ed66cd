#include "store/DeclarationLock.h"

#include "base/Prompter.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace qel::store {

namespace {

QString keyText(const DeclarationKey& key) {
    return QStringLiteral("%1-%2-%3-%4").arg(DeclarationKey::kTipDocD).arg(key.ruc, key.periodo, key.formulario);
}

// The declaration's advisory lock number: the first eight bytes of a digest of its key and of
// the schema that holds the environment. Advisory locks belong to the whole database, and two
// environments in two schemas of one database hold declarations of the same taxpayer apart.
qint64 serverKey(const QString& schema, const DeclarationKey& key) {
    const QByteArray digest =
        QCryptographicHash::hash((schema + QLatin1Char('/') + keyText(key)).toUtf8(), QCryptographicHash::Sha256);
    qint64 value = 0;
    for (int i = 0; i < 8; ++i) {
        value = (value << 8) | static_cast<unsigned char>(digest.at(i));
    }
    return value;
}

LockHolder me(const QString& user) {
    char host[256] = {};
    ::gethostname(host, sizeof host - 1);
    return {user, QString::fromLocal8Bit(host), QDateTime::currentDateTime(), static_cast<qint64>(::getpid())};
}

QByteArray holderLine(const LockHolder& h) {
    return (h.user + QLatin1Char('\t') + h.machine + QLatin1Char('\t') + h.since.toString(Qt::ISODate) +
            QLatin1Char('\t') + QString::number(h.process) + QLatin1Char('\n'))
        .toUtf8();
}

std::optional<LockHolder> readHolder(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    const QStringList parts = QString::fromUtf8(file.read(4096)).trimmed().split(QLatin1Char('\t'));
    if (parts.size() < 4) {
        return std::nullopt;
    }
    return LockHolder{parts.at(0), parts.at(1), QDateTime::fromString(parts.at(2), Qt::ISODate),
                      parts.at(3).toLongLong()};
}

const QString kHolderTable = QStringLiteral("qel_declaration_locks");

// The table that says who holds what, made by the first lock taken on a server. Two sessions
// that make it at once may see one CREATE fail on the other's table, which then exists.
void makeHolderTable(Database& db) {
    const QString exists = QStringLiteral("SELECT to_regclass(?) IS NOT NULL");
    if (db.scalar(exists, {kHolderTable}).toBool()) {
        return;
    }
    try {
        db.run(QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (declaracion TEXT PRIMARY KEY, usuario TEXT, "
                              "equipo TEXT, desde TEXT, proceso BIGINT)")
                   .arg(kHolderTable))
            .finish();
    } catch (const DatabaseError&) {
        if (!db.scalar(exists, {kHolderTable}).toBool()) {
            throw;
        }
    }
}

} // namespace

QString LockHolder::text() const {
    return QStringLiteral("%1 en %2 desde el %3 a las %4")
        .arg(user, machine, since.toString(QStringLiteral("dd/MM/yyyy")), since.toString(QStringLiteral("HH:mm")));
}

QString DeclarationLock::heldText(const QString& ruc, const std::optional<LockHolder>& holder) {
    return QStringLiteral("La declaración del RUC %1 está abierta por %2. No se puede cambiar mientras esté abierta.")
        .arg(ruc, holder ? holder->text() : QStringLiteral("otro usuario"));
}

std::unique_ptr<DeclarationLock> DeclarationLock::forChange(Database& db, app::Prompter& prompter,
                                                            const DeclarationKey& key, const QString& user,
                                                            const QString& caption) {
    Result result = acquire(db, key, user);
    if (!result.lock) {
        prompter.message(result.error.isEmpty() ? heldText(key.ruc, result.holder) : result.error, caption,
                         app::Icon::Exclamation);
    }
    return std::move(result.lock);
}

QString DeclarationLock::lockFolder(const QString& databaseFile) {
    return databaseFile + QStringLiteral(".bloqueos");
}

DeclarationLock::Result DeclarationLock::acquire(Database& db, const DeclarationKey& key, const QString& user) {
    Result result;
    const LockHolder mine = me(user);
    if (db.engine() == Engine::PostgreSQL) {
        qint64 number = 0;
        try {
            number = serverKey(db.scalar(QStringLiteral("SELECT current_schema()")).toString(), key);
            makeHolderTable(db);
            if (!db.scalar(QStringLiteral("SELECT pg_try_advisory_lock(?)"), {number}).toBool()) {
                QSqlQuery q =
                    db.run(QStringLiteral("SELECT usuario, equipo, desde, proceso FROM %1 WHERE declaracion=?")
                               .arg(kHolderTable),
                           {keyText(key)});
                if (q.next()) {
                    result.holder =
                        LockHolder{q.value(0).toString(), q.value(1).toString(),
                                   QDateTime::fromString(q.value(2).toString(), Qt::ISODate), q.value(3).toLongLong()};
                }
                return result;
            }
            db.run(
                  QStringLiteral("INSERT INTO %1 (declaracion, usuario, equipo, desde, proceso) VALUES (?, ?, ?, ?, ?) "
                                 "ON CONFLICT (declaracion) DO UPDATE SET usuario=excluded.usuario, "
                                 "equipo=excluded.equipo, desde=excluded.desde, proceso=excluded.proceso")
                      .arg(kHolderTable),
                  {keyText(key), mine.user, mine.machine, mine.since.toString(Qt::ISODate), mine.process})
                .finish();
        } catch (const DatabaseError& error) {
            result.error = error.text();
            return result;
        }
        result.lock.reset(new DeclarationLock);
        result.lock->m_db = &db;
        result.lock->m_serverKey = number;
        return result;
    }

    const QString folder = lockFolder(db.path());
    if (!QDir().mkpath(folder)) {
        result.error = QStringLiteral("No se puede crear la carpeta de bloqueos %1.").arg(folder);
        return result;
    }
    const QString path = QDir(folder).filePath(keyText(key) + QStringLiteral(".lock"));
    const QByteArray name = QFile::encodeName(path);
    const int descriptor = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (descriptor < 0) {
        result.error = QStringLiteral("No se puede abrir el archivo de bloqueo %1.").arg(path);
        return result;
    }
    int locked = -1;
    do {
        locked = ::flock(descriptor, LOCK_EX | LOCK_NB);
    } while (locked != 0 && errno == EINTR);
    if (locked != 0) {
        ::close(descriptor);
        result.holder = readHolder(path);
        return result;
    }
    // Who holds it is only information: a line that cannot be written leaves the lock held.
    const QByteArray line = holderLine(mine);
    if (::ftruncate(descriptor, 0) == 0) {
        [[maybe_unused]] const ssize_t written =
            ::pwrite(descriptor, line.constData(), static_cast<size_t>(line.size()), 0);
    }
    result.lock.reset(new DeclarationLock);
    result.lock->m_descriptor = descriptor;
    return result;
}

DeclarationLock::~DeclarationLock() {
    if (m_descriptor >= 0) {
        ::close(m_descriptor); // closing drops the lock
    }
    if (m_db != nullptr) {
        try {
            m_db->scalar(QStringLiteral("SELECT pg_advisory_unlock(?)"), {m_serverKey});
        } catch (const DatabaseError&) {
            // A connection already gone has dropped the lock with it.
        }
    }
}

} // namespace qel::store
