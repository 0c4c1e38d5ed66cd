#include "app/UtilityComponent.h"
#include "imports/rules/FieldChecks.h"
#include "imports/rules/KindRules.h"

#include <QRegularExpression>

namespace qel::imports {

namespace {

enum Field { DocType, Number, Names, Company, Paternal, Maternal, Given, Balance };

const QString kConsolidated = QStringLiteral("99");
const QString kConsolidatedNumber = QStringLiteral("000000000000");
constexpr int kMaxNameLength = 20;

// Counterpart balances of one financial-statement casilla.
class BalanceRules : public RecordRules {
public:
    QString check(QStringList& f, const ImportContext& context) override {
        if (m_docTypes.isEmpty()) {
            m_docTypes = fields::paramCodes(context.db, QStringLiteral("044"));
        }
        const QString type = fields::withoutLeadingZeros(f[DocType]);
        if (type.isEmpty()) {
            return QStringLiteral("El tipo de documento está en blanco");
        }
        if (type != kConsolidated && !m_docTypes.contains(type)) {
            return QStringLiteral("El tipo de documento no es válido.");
        }
        if (type == kConsolidated) {
            if (f[Names] != QStringLiteral("0")) {
                return QStringLiteral("Para CONSOLIDADOS (Tipo 99) registrar 0 en el tercer campo");
            }
            if (!f[Paternal].isEmpty() || !f[Maternal].isEmpty() || !f[Given].isEmpty()) {
                return QStringLiteral("Registrar 0 ya que para CONSOLIDADOS no se registran Nombres y Apellidos");
            }
            f[Number] = kConsolidatedNumber;
        } else if (QString failure = checkCounterpart(f, type, context); !failure.isEmpty()) {
            return failure;
        }
        return checkBalance(f[Balance], context);
    }

    QList<TableRow> rows(const QStringList& f, const ImportContext& context) const override {
        const bool names = f[Names] == QStringLiteral("1");
        const QString shown =
            names ? f[Paternal] + QLatin1Char(' ') + f[Maternal] + QStringLiteral(", ") + f[Given] : f[Company];
        return {{QStringLiteral("TMPF535CASEF"),
                 {{QStringLiteral("SEMANA"), 0},
                  {QStringLiteral("CASILLA"), context.casilla},
                  {QStringLiteral("tipo_doc"), fields::withoutLeadingZeros(f[DocType]).toInt()},
                  {QStringLiteral("nro_doc"), f[Number]}},
                 {{QStringLiteral("tipo_des"), f[Names]},
                  {QStringLiteral("des_razon"), f[Company]},
                  {QStringLiteral("des_apellido_p"), f[Paternal]},
                  {QStringLiteral("des_apellido_m"), f[Maternal]},
                  {QStringLiteral("des_nombres"), f[Given]},
                  {QStringLiteral("des_nom_razon"), shown},
                  {QStringLiteral("saldo"), f[Balance]}}}};
    }

    QString identity(const QStringList& f) const override {
        return f[DocType].leftJustified(15) + f[Number].leftJustified(20);
    }

private:
    static QString checkCounterpart(const QStringList& f, const QString& type, const ImportContext& context) {
        if (f[Number].isEmpty()) {
            return QStringLiteral("El número de documento está en blanco");
        }
        if (type == QStringLiteral("6") && !app::UtilityComponent::CheckRuc(f[Number])) {
            return QStringLiteral("El número de RUC es inválido");
        }
        if (!context.utility.CheckDocumentNumber(type.toInt(), f[Number])) {
            return QStringLiteral("El número de documento es inválido");
        }
        if (type == QStringLiteral("6") && f[Number] == context.key.ruc) {
            return QStringLiteral("El RUC no puede ser igual al RUC del Contribuyente.");
        }
        if (f[Names] != QStringLiteral("1") && f[Names] != QStringLiteral("0")) {
            return QStringLiteral("Debe registrar 1 o 0 según vaya a consignar : 1=Nombres  0=Razón Social");
        }
        if (f[Names] == QStringLiteral("0") && type != QStringLiteral("6")) {
            return QStringLiteral(
                "Si el tipo de documento es diferente de RUC debe registrar por lo menos Apellido Paterno y Nombres.");
        }
        if (f[Names] == QStringLiteral("0") && f[Company].isEmpty()) {
            return QStringLiteral("Si indicó 0 debe registrar Razón Social.");
        }
        if (f[Names] == QStringLiteral("1")) {
            if (f[Paternal].isEmpty()) {
                return QStringLiteral("Si indicó 1 debe registrar por lo menos Apellido Paterno y Nombres.");
            }
            if (f[Given].isEmpty()) {
                return QStringLiteral("Debe consignar Nombres");
            }
            for (const int name : {Paternal, Maternal, Given}) {
                if (f[name].size() > kMaxNameLength) {
                    return QStringLiteral("Apellidos y Nombres no pueden exceder de 20 caracteres");
                }
            }
        }
        return {};
    }

    static QString checkBalance(const QString& balance, const ImportContext& context) {
        static const QRegularExpression twelveDigits(QStringLiteral("^\\d{1,12}$"));
        if (balance.isEmpty()) {
            return QStringLiteral("Debe registar el Saldo. Numérico de hasta 12 posiciones sin Decimales ni comas");
        }
        if (!twelveDigits.match(balance).hasMatch()) {
            return QStringLiteral("El Saldo debe ser Numérico de hasta 12 posiciones sin Decimales ni comas");
        }
        if (balance.toLongLong() == 0) {
            return QStringLiteral("El Saldo no puede ser 0");
        }
        if (static_cast<double>(balance.toLongLong()) <= 3 * fields::uit(context)) {
            return QStringLiteral("El Saldo debe ser Mayor a 3 UIT");
        }
        return {};
    }

    QSet<QString> m_docTypes;
};

} // namespace

std::unique_ptr<RecordRules> balanceRules() {
    return std::make_unique<BalanceRules>();
}

} // namespace qel::imports
