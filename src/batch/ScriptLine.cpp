#include "batch/ScriptLine.h"

#include <QRegularExpression>

namespace qel::batch {

namespace {

const QRegularExpression& blank() {
    static const QRegularExpression expression(QStringLiteral("\\s"));
    return expression;
}

} // namespace

ScriptLine ScriptLine::read(const QString& text) {
    const QString line = text.trimmed();
    if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) {
        return {};
    }
    const auto at = line.indexOf(blank());
    if (at < 0) {
        return {line, QString()};
    }
    return {line.left(at), line.mid(at + 1).trimmed()};
}

QStringList ScriptLine::splitArguments(const QString& rest, int count) {
    QStringList result;
    QString remaining = rest.trimmed();
    while (!remaining.isEmpty() && result.size() < count - 1) {
        const auto at = remaining.indexOf(blank());
        if (at < 0) {
            break;
        }
        result.append(remaining.left(at));
        remaining = remaining.mid(at).trimmed();
    }
    if (!remaining.isEmpty()) {
        result.append(remaining);
    }
    return result;
}

QStringList ScriptLine::words(const QString& rest) {
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    return rest.split(blanks, Qt::SkipEmptyParts);
}

} // namespace qel::batch
