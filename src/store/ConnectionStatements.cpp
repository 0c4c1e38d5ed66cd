#include "store/ConnectionStatements.h"

#include "store/StatementCache.h"

#include <QHash>
#include <QMutex>
#include <memory>

namespace qel::store {

namespace {

struct Registry {
    QMutex mutex;
    QHash<const Database*, std::shared_ptr<StatementCache>> caches;
};

// Never destroyed: a database held in a static may close after every other static is gone.
Registry& registry() {
    static auto* instance = new Registry;
    return *instance;
}

} // namespace

StatementCache& connectionStatements(Database& db) {
    Registry& r = registry();
    const QMutexLocker lock(&r.mutex);
    std::shared_ptr<StatementCache>& cache = r.caches[&db];
    if (!cache) {
        cache = std::make_shared<StatementCache>(db);
    }
    return *cache;
}

void releaseConnectionStatements(const Database* db) {
    Registry& r = registry();
    const QMutexLocker lock(&r.mutex);
    r.caches.remove(db);
}

} // namespace qel::store
