#include "declaration/rules/EmailRule.h"

namespace qel::declaration {

namespace {

const QStringList kNoAddress = {QStringLiteral("no_tengo_correo"), QStringLiteral("no_tengo_coreo")};
const QStringList kDomainsWithoutProvider = {QStringLiteral("com."), QStringLiteral("gob."), QStringLiteral("es."),
                                             QStringLiteral("pe.")};

bool isLowerLetter(QChar c) {
    return c >= QLatin1Char('a') && c <= QLatin1Char('z');
}

bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool startsWithAny(const QString& text, const QStringList& prefixes) {
    for (const QString& prefix : prefixes) {
        if (text.startsWith(prefix)) {
            return true;
        }
    }
    return false;
}

} // namespace

const QStringList& misspeltMailDomains() {
    static const QStringList domains = {
        QStringLiteral("hotmial.com"), QStringLiteral("hotmal.com"),  QStringLiteral("hotmai.com"),
        QStringLiteral("hotmail.con"), QStringLiteral("homail.com"),  QStringLiteral("gmial.com"),
        QStringLiteral("gamil.com"),   QStringLiteral("gmal.com"),    QStringLiteral("gmail.con"),
        QStringLiteral("yaho.com"),    QStringLiteral("yahooo.com"),  QStringLiteral("yahoo.con"),
        QStringLiteral("outlok.com"),  QStringLiteral("outllok.com"), QStringLiteral("outlook.con"),
    };
    return domains;
}

bool ValidaCorreo(const QString& address) {
    const QString text = address.trimmed().toLower();

    // A user part of at least three characters before the "@".
    const qsizetype at = text.indexOf(QLatin1Char('@'));
    if (at < 3) {
        return false;
    }
    const QString user = text.left(at);
    const QString domain = text.mid(at + 1);

    if (startsWithAny(domain, kDomainsWithoutProvider)) {
        return false;
    }
    for (const QString& none : kNoAddress) {
        if (user == none || user.startsWith(none) || user.endsWith(none)) {
            return false;
        }
    }
    if (misspeltMailDomains().contains(domain)) {
        return false;
    }

    for (const QChar c : text) {
        if (!isLowerLetter(c) && !isDigit(c) && c != QLatin1Char('@') && c != QLatin1Char('.') &&
            c != QLatin1Char('_') && c != QLatin1Char('-')) {
            return false;
        }
    }
    if (text.count(QLatin1Char('@')) != 1) {
        return false;
    }

    const qsizetype lastDot = text.lastIndexOf(QLatin1Char('.'));
    if (lastDot < 0) {
        return false;
    }
    const qsizetype ending = text.size() - lastDot - 1;
    if (ending < 2 || ending > 3) {
        return false;
    }

    for (const QChar c : domain) {
        if (!isLowerLetter(c) && c != QLatin1Char('.') && c != QLatin1Char('-')) {
            return false;
        }
    }
    return true;
}

} // namespace qel::declaration
