#include "store/ReferenceData.h"

#include "store/Database.h"

namespace qel::store {

void loadReferenceData(Database& db) {
    Q_UNUSED(db);
}

} // namespace qel::store
