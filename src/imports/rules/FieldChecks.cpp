#include "imports/rules/FieldChecks.h"

#include "app/UtilityComponent.h"
#include "imports/RecordRules.h"
#include "store/Database.h"
#include "store/ParamLookups.h"

#include <QRegularExpression>
#include <QSqlQuery>
#include <algorithm>

namespace qel::imports::fields {

std::optional<QDate> date(const QString& text) {
    static const QRegularExpression form(QStringLiteral("^(\\d{2})/(\\d{2})/(\\d{4})$"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    const QDate parsed(match.captured(3).toInt(), match.captured(2).toInt(), match.captured(1).toInt());
    return parsed.isValid() ? std::optional<QDate>(parsed) : std::nullopt;
}

namespace {

// The number checks run on several fields of every record of a file, so they read the text
// by hand instead of through a pattern: ASCII digits only, and a single line break at the very
// end let through, as an end-of-text anchor lets it through.
QStringView withoutSign(const QString& text) {
    QStringView rest(text);
    if (rest.endsWith(u'\n')) {
        rest.chop(1);
    }
    if (rest.startsWith(u'-')) {
        rest = rest.sliced(1);
    }
    return rest;
}

bool digitsOnly(QStringView text) {
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

} // namespace

bool wholeNumber(const QString& text) {
    const QStringView digits = withoutSign(text);
    return !digits.isEmpty() && digitsOnly(digits);
}

bool amountFits(const QString& text) {
    QStringView whole = withoutSign(text);
    if (const qsizetype point = whole.indexOf(u'.'); point >= 0) {
        whole = whole.first(point);
    }
    while (whole.startsWith(u'0')) {
        whole = whole.sliced(1);
    }
    return whole.size() <= kMaxAmountDigits;
}

QString tooManyDigits(const QString& what) {
    return QStringLiteral("%1 no puede tener más de %2 dígitos enteros.").arg(what).arg(kMaxAmountDigits);
}

// Digits with a point among or after them, or a point followed by digits.
bool decimalNumber(const QString& text) {
    const QStringView number = withoutSign(text);
    const qsizetype point = number.indexOf(u'.');
    if (point < 0) {
        return !number.isEmpty() && digitsOnly(number);
    }
    const QStringView whole = number.first(point);
    const QStringView fraction = number.sliced(point + 1);
    return (!whole.isEmpty() || !fraction.isEmpty()) && digitsOnly(whole) && digitsOnly(fraction);
}

int decimals(const QString& text) {
    const auto point = text.indexOf(QLatin1Char('.'));
    return point < 0 ? 0 : static_cast<int>(text.size() - point - 1);
}

QString withoutLeadingZeros(const QString& code) {
    QString trimmed = code.trimmed();
    while (trimmed.size() > 1 && trimmed.startsWith(QLatin1Char('0'))) {
        trimmed.remove(0, 1);
    }
    return trimmed;
}

QSet<QString> paramCodes(store::Database& db, const QString& numero) {
    QSet<QString> codes;
    QSqlQuery rows = db.run(QStringLiteral("SELECT Argumento FROM PARAM WHERE Numero=?"), {numero});
    while (rows.next()) {
        codes.insert(withoutLeadingZeros(rows.value(0).toString()));
    }
    return codes;
}

int year(const ImportContext& context) {
    return context.key.periodo.toInt();
}

double uit(const ImportContext& context) {
    return store::ParamLookups(context.db).UitForYear(context.key.periodo).toDouble();
}

QString document(const QString& type, const QString& number, const ImportContext& context) {
    if (type.isEmpty()) {
        return QStringLiteral("El tipo de documento está en blanco");
    }
    if (number.isEmpty()) {
        return QStringLiteral("El número de documento está en blanco");
    }
    const QString code = withoutLeadingZeros(type);
    if (code == QStringLiteral("6") && !app::UtilityComponent::CheckRuc(number)) {
        return QStringLiteral("El número de RUC es inválido");
    }
    if (code == QStringLiteral("1") && (number.size() != 8 || !wholeNumber(number))) {
        return QStringLiteral("El Número de DNI debe ser de 8 dígitos");
    }
    if (!wholeNumber(code) || !context.checkDocumentNumber(code.toInt(), number)) {
        return QStringLiteral("El número de documento es inválido");
    }
    return {};
}

QString share(const QString& text) {
    if (text.isEmpty()) {
        return QStringLiteral("Debe registrar el Porcentaje de participación.");
    }
    if (text.size() >= 6) {
        return QStringLiteral("El Porcentaje ingresado debe tener memos de 6 caracteres.");
    }
    if (!decimalNumber(text) || decimals(text) > 2) {
        return QStringLiteral("El Porcentaje debe tener máximo 2 decimales.");
    }
    const double value = text.toDouble();
    if (value < 0) {
        return QStringLiteral("El Porcentaje no puede ser negativo.");
    }
    if (value == 0) {
        return QStringLiteral("El Porcentaje no puede ser 0.");
    }
    if (value > 100) {
        return QStringLiteral("La cantidad ingresada supera el máximo permitido.");
    }
    return {};
}

} // namespace qel::imports::fields
