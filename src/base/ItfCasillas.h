#pragma once

namespace qel::app {

// The casillas of the financial-transactions tax: its balance in favour (143), the ITF page
// (155-165), its amount to pay (181) and its debt (565). The reference data tags them and the
// casilla catalogue stores them apart from the income tax; 180 is the income tax's amount to pay.
constexpr bool isItfCasilla(int n) {
    return n == 143 || (n >= 155 && n <= 165) || n == 181 || n == 565;
}

} // namespace qel::app
