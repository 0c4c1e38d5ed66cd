#include "app/UtilityComponent.h"
#include "imports/rules/FieldChecks.h"
#include "imports/rules/KindRules.h"
#include "store/Database.h"
#include "store/ParamLookups.h"

namespace qel::imports {

namespace {

enum Field { Type, DocType, Number, Name, Birth, Country, Share, Joined };

const QString kConsolidated = QStringLiteral("5");
// The partner window's flag in the document types of PARAM 044.
constexpr int kDocTypePosition = 97;

bool naturalPerson(const QString& type) {
    return type == QStringLiteral("1") || type == QStringLiteral("3");
}

// A foreign company may come without a document; the consolidated rest never has one.
bool mayLackDocument(const QString& type) {
    return type == QStringLiteral("4") || type == kConsolidated;
}

class PartnerRules : public RecordRules {
public:
    QString check(QStringList& f, const ImportContext& context) override {
        if (m_types.isEmpty()) {
            m_types = fields::paramCodes(context.db, QStringLiteral("841"));
            m_countries = fields::paramCodes(context.db, QStringLiteral("976"));
        }
        const QString type = fields::withoutLeadingZeros(f[Type]);
        if (type.isEmpty()) {
            return QStringLiteral("El tipo de socio está en blanco");
        }
        if (!m_types.contains(type)) {
            return QStringLiteral("El tipo de socio no es válido.");
        }
        if (QString failure = checkDocumentType(f, type, context); !failure.isEmpty()) {
            return failure;
        }
        if (type == kConsolidated) {
            consolidate(f, context);
        } else if (QString failure = checkPerson(f, type, context); !failure.isEmpty()) {
            return failure;
        }
        if (f[Country].isEmpty()) {
            return QStringLiteral("Debe registrar el país de Residencia.");
        }
        if (!m_countries.contains(fields::withoutLeadingZeros(f[Country]))) {
            return QStringLiteral("El código de país es inválido.");
        }
        if (QString failure = checkShare(f, context); !failure.isEmpty()) {
            return failure;
        }
        return checkJoined(f, context);
    }

    QList<TableRow> rows(const QStringList& f, const ImportContext&) const override {
        const QString type = fields::withoutLeadingZeros(f[Type]).rightJustified(2, QLatin1Char('0'));
        const int docType = f[DocType].isEmpty() ? 0 : f[DocType].toInt();
        return {{QStringLiteral("TMPF535SOCIOS"),
                 {{QStringLiteral("tipo_socio"), type},
                  {QStringLiteral("tipo_doc_socio"), docType},
                  {QStringLiteral("nro_doc_socio"), f[Number]}},
                 {{QStringLiteral("des_nom_razon"), f[Name]},
                  {QStringLiteral("fec_nac_socio"), isoDate(f[Birth])},
                  {QStringLiteral("cod_pais"), f[Country]},
                  {QStringLiteral("Porcentaje"), f[Share].toDouble()},
                  {QStringLiteral("fec_cosnt_socio"), isoDate(f[Joined])}}}};
    }

    QString identity(const QStringList& f) const override {
        return f[DocType].leftJustified(15) + f[Number].leftJustified(20);
    }

private:
    static QVariant isoDate(const QString& text) {
        const auto parsed = fields::date(text);
        return parsed ? QVariant(parsed->toString(Qt::ISODate)) : QVariant();
    }

    QString checkDocumentType(const QStringList& f, const QString& type, const ImportContext& context) const {
        const QString docType = f[DocType];
        if (docType.isEmpty()) {
            return mayLackDocument(type) ? QString() : QStringLiteral("El tipo de documento no es válido.");
        }
        if (type == kConsolidated) {
            return QStringLiteral("No debe Registrar Tipo de documento.");
        }
        if (type == QStringLiteral("2") && fields::withoutLeadingZeros(docType) != QStringLiteral("6")) {
            return QStringLiteral(
                "El tipo de documento no es válido. Para Persona Juridica Domiciliado solo se debe registrar RUC");
        }
        if (!fields::wholeNumber(docType) ||
            !store::ParamLookups(context.db).DocTypeAllowed(docType, kDocTypePosition)) {
            return QStringLiteral("El tipo de documento no es válido.");
        }
        return {};
    }

    // Document number, name and birth date of every partner but the consolidated rest.
    static QString checkPerson(const QStringList& f, const QString& type, const ImportContext& context) {
        const QString docType = fields::withoutLeadingZeros(f[DocType]);
        if (f[Number].isEmpty() && !f[DocType].isEmpty()) {
            return QStringLiteral("El número de documento está en blanco");
        }
        if (!f[DocType].isEmpty()) {
            if (docType == QStringLiteral("6") && !app::UtilityComponent::CheckRuc(f[Number])) {
                return QStringLiteral("El número de RUC es inválido");
            }
            if (docType == QStringLiteral("1") && (f[Number].size() != 8 || !fields::wholeNumber(f[Number]))) {
                return QStringLiteral("El Número de DNI debe ser de 8 dígitos");
            }
            if (!context.utility.CheckDocumentNumber(docType.toInt(), f[Number])) {
                return QStringLiteral("El número de documento es inválido");
            }
        }
        if (f[Name].isEmpty()) {
            return QStringLiteral(" Debe registrar Razón Social o Apellidos y Nombres.");
        }
        if (naturalPerson(type) && f[Birth].isEmpty()) {
            return QStringLiteral("Debe registar la fecha de Nacimiento.");
        }
        if (!naturalPerson(type) && !f[Birth].isEmpty()) {
            return QStringLiteral("Para este Tipo de persona/documento no debe registrar la fecha de nacimiento.");
        }
        if (!f[Birth].isEmpty()) {
            const auto birth = fields::date(f[Birth]);
            if (!birth || *birth < QDate(1850, 1, 1) || *birth > QDate(2500, 1, 1)) {
                return QStringLiteral("La fecha de nacimiento no es válida.");
            }
        }
        return {};
    }

    // The consolidated rest of the partners gets the system's document, name and dates.
    static void consolidate(QStringList& f, const ImportContext& context) {
        const QString firstDay = QStringLiteral("01/01/") + context.key.periodo;
        f[DocType] = QStringLiteral("99");
        f[Number] = QStringLiteral("000000000000");
        f[Name] = QStringLiteral("CONSOLIDADO OTROS SOCIOS");
        f[Birth] = firstDay;
        f[Joined] = firstDay;
    }

    static QString checkShare(const QStringList& f, const ImportContext& context) {
        if (QString failure = fields::share(f[Share]); !failure.isEmpty()) {
            return failure;
        }
        // The shares already in the annex, the row this record replaces left out.
        store::SqlFilter others = context.key.filter();
        others.andCondition(QStringLiteral("NOT (tipo_socio IS ? AND tipo_doc_socio IS ? AND nro_doc_socio IS ?)"),
                            {fields::withoutLeadingZeros(f[Type]).rightJustified(2, QLatin1Char('0')),
                             f[DocType].isEmpty() ? 0 : f[DocType].toInt(), f[Number]});
        const double registered = context
                                      .scalar(QStringLiteral("SELECT %1 FROM TMPF535SOCIOS")
                                                      .arg(context.db.dialect().total(
                                                          context.db.dialect().realOf(QStringLiteral("Porcentaje")))) +
                                                  others.text,
                                              others.values)
                                      .toDouble();
        if (registered + f[Share].toDouble() > 100.0 + 1e-9) {
            return QStringLiteral(
                "La sumatoria de los porcentajes ingresados de  todos los socios  supera el máximo permitido.");
        }
        return {};
    }

    static QString checkJoined(const QStringList& f, const ImportContext& context) {
        if (f[Joined].isEmpty()) {
            return QStringLiteral("Debe registar la fecha en que se constituye como socio.");
        }
        const auto joined = fields::date(f[Joined]);
        if (!joined || *joined < QDate(1900, 1, 1) || *joined > QDate(fields::year(context), 12, 31)) {
            return QStringLiteral("La fecha en que se constituye como socio no es válida.");
        }
        const auto birth = fields::date(f[Birth]);
        if (birth && *joined < *birth) {
            return QStringLiteral("La Fecha en que se constituye como socio, asociado, participacionista u otro no "
                                  "puede ser menor que la fecha de nacimiento.");
        }
        return {};
    }

    QSet<QString> m_types;
    QSet<QString> m_countries;
};

} // namespace

std::unique_ptr<RecordRules> partnerRules() {
    return std::make_unique<PartnerRules>();
}

} // namespace qel::imports
