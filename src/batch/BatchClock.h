#pragma once

#include "app/Clock.h"

#include <optional>

namespace qel::batch {

// The clock of a script: the system's until `today` fixes it, so that reports and dated
// rules compare exactly from one run to the next.
class BatchClock : public app::Clock {
public:
    QDateTime now() const override { return m_fixed ? *m_fixed : QDateTime::currentDateTime(); }
    void fix(const QDateTime& at) { m_fixed = at; }

private:
    std::optional<QDateTime> m_fixed;
};

} // namespace qel::batch
