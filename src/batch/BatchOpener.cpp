#include "batch/BatchOpener.h"

#include <optional>

namespace qel::batch {

namespace {

QString casillaText(int casilla) {
    return casilla > 0 ? QString::number(casilla) : QStringLiteral("-");
}

[[maybe_unused]] QString casillaText(const std::optional<int>& casilla) {
    return casilla ? casillaText(*casilla) : QStringLiteral("-");
}

} // namespace

QString BatchOpener::open(const app::FormRequest& request) {
    m_out << "window " << request.name << ' ' << request.action << ' ' << casillaText(request.casilla) << '\n';
    m_out.flush();
    auto it = m_results.find(request.name);
    if (it != m_results.end() && !it->isEmpty()) {
        return it->takeFirst();
    }
    if (m_heldBack.contains(request.name) && !m_released.remove(request.name)) {
        return {};
    }
    if (m_runner) {
        if (std::optional<QString> result = m_runner(request)) {
            return *result;
        }
    }
    return {};
}

bool BatchOpener::knows(const QString& name) const {
    Q_UNUSED(name)
    return true;
}

} // namespace qel::batch
