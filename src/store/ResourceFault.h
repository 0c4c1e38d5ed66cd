#pragma once

#include <QString>
#include <optional>

namespace qel::store {

// A write the system refused for want of room: the disk is full (ENOSPC, or the engine's
// SQLITE_FULL, or a shared-memory file that cannot grow), or the file reached the size limit the system sets for the
// process (EFBIG). The text names that cause, for the database file `path`; nothing for any other fault, whose engine
// text stays as it is.
std::optional<QString> resourceFaultText(int engineNumber, int systemErrno, const QString& path);

} // namespace qel::store
