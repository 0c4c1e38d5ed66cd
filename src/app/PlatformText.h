#pragma once

#include <QString>

namespace qel::app {

// A whole number as the platform's numeric-to-text conversion writes it in messages and
// captions: a leading blank where a negative number has its sign (588 -> " 588").
inline QString Str(qint64 number) {
    return number < 0 ? QString::number(number) : QLatin1Char(' ') + QString::number(number);
}

} // namespace qel::app
