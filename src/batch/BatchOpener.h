#pragma once

#include "app/FormOpener.h"

#include <QHash>
#include <QList>
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
// answers the empty text.
class BatchOpener : public app::FormOpener {
public:
    explicit BatchOpener(QTextStream& out) : m_out(out) {}

    QString open(const app::FormRequest& request) override;
    bool knows(const QString& name) const override;

    void queue(const QString& name, const QString& result) { m_results[name].append(result); }
    // Runs a window of a registered model and answers its result; nullopt when none is registered.
    using Runner = std::function<std::optional<QString>(const app::FormRequest&)>;
    void setRunner(Runner runner) { m_runner = std::move(runner); }

private:
    QTextStream& m_out;
    Runner m_runner;
    QHash<QString, QList<QString>> m_results;
};

} // namespace qel::batch
