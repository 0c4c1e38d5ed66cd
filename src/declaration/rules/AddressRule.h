#pragma once

#include <QString>

namespace qel::declaration {

// The postal-address test shared by the identification page and the annex windows that
// record addresses (rents, non-domiciled beneficiaries, the rents import). Each part is
// trimmed; the first rule that applies gives its message. Empty: the address is consistent.
QString ValidaDireccion(const QString& number, const QString& kilometre, const QString& block,
                        const QString& department, const QString& interior, const QString& lot,
                        const QString& reference);

} // namespace qel::declaration
