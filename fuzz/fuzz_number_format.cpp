// Reading what a user typed into an amount box and writing it back through every mask
// must never crash, and a whole amount read back from its display text is the same amount.
#include "base/NumberFormat.h"

#include <QString>
#include <cmath>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const double amount = qel::app::readWhole(text);
    (void)qel::app::val(text);
    (void)qel::app::parseNumber(text);
    if (!std::isfinite(amount) || std::fabs(amount) > 1e14) {
        return 0;
    }
    for (const QString& mask : {qel::app::masks::kWhole, qel::app::masks::kAmount, qel::app::masks::kSigned,
                                qel::app::masks::kCoefficient, qel::app::masks::kPercentage}) {
        const QString shown = qel::app::formatNumber(amount, mask);
        if (mask != qel::app::masks::kPercentage && qel::app::readWhole(shown) != amount) {
            std::abort();
        }
    }
    (void)qel::app::formatNumber(amount, text.left(40)); // an arbitrary mask
    return 0;
}
