#pragma once

#include <QString>

namespace qel::declaration {

// What a selection list shows of an entry. Entries of the document-type lists carry their
// description in the first 70 characters and, from position 71, flags the rules read back by
// position (the number's length, data type and length type); the user reads the code and
// the description only. Other entries show as they are.
QString comboEntryShown(const QString& entry);

} // namespace qel::declaration
