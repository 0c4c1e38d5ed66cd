#pragma once

#include "app/FormOpener.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QTextStream>
#include <functional>
#include <optional>

namespace qel::batch {

// The form launcher of the batch mode. Each request prints
//   window NAME ACTION CASILLA
// (CASILLA "-" when the request names none) and answers the result the script queued for
// that window with `window NAME RESULT`; when none is queued, the window runs for real
// through the runner (the script's next lines drive it), and a window without a model
// answers the empty text. A window held back runs only at the opening the script released it
// for; at any other it answers the empty text, as scripts written before it had a model expect.
class BatchOpener : public app::FormOpener {
public:
    explicit BatchOpener(QTextStream& out) : m_out(out) {}

    QString open(const app::FormRequest& request) override;
    bool knows(const QString& name) const override;

    void queue(const QString& name, const QString& result) { m_results[name].append(result); }
    // Runs a window of a registered model and answers its result; nullopt when none is registered.
    using Runner = std::function<std::optional<QString>(const app::FormRequest&)>;
    void setRunner(Runner runner) { m_runner = std::move(runner); }
    void holdBack(const QString& name) { m_heldBack.insert(name); }
    void releaseOnce(const QString& name) { m_released.insert(name); }

private:
    QTextStream& m_out;
    Runner m_runner;
    QHash<QString, QList<QString>> m_results;
    QSet<QString> m_heldBack;
    QSet<QString> m_released; // held-back windows that run at their next opening
};

} // namespace qel::batch
