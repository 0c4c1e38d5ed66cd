#include "app/UtilityComponent.h"

#include "app/Prompter.h"

namespace qel::app {

UtilityComponent::UtilityComponent(Prompter& prompter, store::Database* db) : m_prompter(prompter), m_db(db) {}

bool UtilityComponent::CheckRuc(const QString& ruc) {
    static const int weights[10] = {5, 4, 3, 2, 7, 6, 5, 4, 3, 2};
    if (ruc.size() != 11) {
        return false;
    }
    for (const QChar c : ruc) {
        if (!c.isDigit() || c.unicode() > '9') {
            return false;
        }
    }
    const QString prefix = ruc.left(2);
    if (prefix != QLatin1String("10") && prefix != QLatin1String("15") && prefix != QLatin1String("16") &&
        prefix != QLatin1String("17") && prefix != QLatin1String("20")) {
        return false;
    }
    int sum = 0;
    for (int i = 0; i < 10; ++i) {
        sum += (ruc.at(i).unicode() - '0') * weights[i];
    }
    int digit = 11 - (sum % 11);
    if (digit == 10) {
        digit = 0;
    } else if (digit == 11) {
        digit = 1;
    }
    return ruc.at(10).unicode() - '0' == digit;
}

} // namespace qel::app
