#pragma once

#include "app/FormOpener.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QTextStream>

namespace qel::declaration {

// The form launcher of the batch mode: no window opens. Each request prints
//   window NAME ACTION CASILLA
// (CASILLA "-" when the request names none) and answers the result the script queued for
// that window, or the empty text.
class BatchOpener : public app::FormOpener {
public:
    explicit BatchOpener(QTextStream& out) : m_out(out) {}

    QString open(const app::FormRequest& request) override;
    bool knows(const QString& name) const override;

    void queue(const QString& name, const QString& result) { m_results[name].append(result); }

private:
    QTextStream& m_out;
    QHash<QString, QList<QString>> m_results;
};

} // namespace qel::declaration
