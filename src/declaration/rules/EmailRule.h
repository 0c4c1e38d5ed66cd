#pragma once

#include <QString>
#include <QStringList>

namespace qel::declaration {

// The e-mail test of the identification data (the taxpayer's, the accountant's and the
// representative's addresses). The text is trimmed and lower-cased first. The rule shows
// nothing: the caller reports a rejected address.
//
// A domain that begins with a country code ("pe.", "es.") lacks the provider's name just as
// one beginning with "com." or "gob." does ("juan@pe.com"), so it is rejected too.
bool ValidaCorreo(const QString& address);

// Public mail domains as they are commonly misspelt; an address in one of them is refused.
const QStringList& misspeltMailDomains();

} // namespace qel::declaration
