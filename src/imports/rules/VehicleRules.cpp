#include "imports/rules/FieldChecks.h"
#include "imports/rules/KindRules.h"

#include <QSet>
#include <initializer_list>
#include <utility>

namespace qel::imports {

namespace {

// The vehicles of categories A2, A3, A4, B1.3 and B1.4: one record per vehicle, its fields in
// the order of the vehicle window (frmDetVehiculos). A vehicle is found again by its category
// and plate; a record for one already detailed replaces it.
class VehicleRules : public RecordRules {
    enum Field {
        Category,
        Plate,
        Cost,
        Entered,
        Condition,
        Activity,
        Rent,
        Depreciation,
        Other,
        Fuel,
        Expenses,
        Deducts,
        Substitutes,
        Reason
    };

public:
    void begin(const ImportContext& context) override {
        m_categories = fields::paramCodes(context.db, QStringLiteral("967"));
    }

    QString check(QStringList& f, const ImportContext& context) override {
        f[Category] = f[Category].toUpper();
        f[Plate] = f[Plate].toUpper();
        if (f[Category].isEmpty()) {
            return QStringLiteral("La categoría del vehículo está en blanco.");
        }
        if (!m_categories.contains(fields::withoutLeadingZeros(f[Category]))) {
            return QStringLiteral("La categoría del vehículo no es válida.");
        }
        if (f[Plate].isEmpty()) {
            return QStringLiteral("El número de placa está en blanco.");
        }
        if (f[Plate].size() > 10) {
            return QStringLiteral("El número de placa no puede tener más de 10 caracteres.");
        }
        if (const QString message = amount(f[Cost], QStringLiteral("costo de adquisición")); !message.isEmpty()) {
            return message;
        }
        if (f[Entered].isEmpty()) {
            return QStringLiteral("La fecha de ingreso al patrimonio está en blanco.");
        }
        const auto entered = fields::date(f[Entered]);
        if (!entered) {
            return QStringLiteral("La fecha de ingreso al patrimonio no es válida.");
        }
        if (*entered > QDate(fields::year(context), 12, 31)) {
            return QStringLiteral("La fecha de ingreso al patrimonio no puede ser posterior al 31/12 del ejercicio.");
        }
        if (!oneOf(f[Condition], {"1", "2", "3", "4"})) {
            return QStringLiteral("La condición del vehículo no es válida.");
        }
        if (!oneOf(f[Activity], {"1", "2", "3"})) {
            return QStringLiteral("La actividad a la que está asignado el vehículo no es válida.");
        }
        for (const auto& [field, what] :
             {std::pair{Rent, "alquiler"}, std::pair{Depreciation, "depreciación"}, std::pair{Other, "otros gastos"},
              std::pair{Fuel, "combustible"}, std::pair{Expenses, "gastos del vehículo"}}) {
            if (const QString message = amount(f[field], QString::fromUtf8(what)); !message.isEmpty()) {
                return message;
            }
        }
        if (!oneOf(f[Deducts], {"0", "1"})) {
            return QStringLiteral("Indique si identifica el vehículo para deducir sus gastos (1 Sí, 0 No).");
        }
        if (!oneOf(f[Substitutes], {"0", "1"})) {
            return QStringLiteral("Indique si el vehículo sustituye a otro (1 Sí, 0 No).");
        }
        if (f[Substitutes] == QStringLiteral("1") && !oneOf(f[Reason], {"1", "2", "3"})) {
            return QStringLiteral("El motivo de la sustitución no es válido.");
        }
        if (f[Substitutes] == QStringLiteral("0") && !f[Reason].isEmpty()) {
            return QStringLiteral("Un vehículo que no sustituye a otro no lleva motivo de sustitución.");
        }
        return {};
    }

    QList<TableRow> rows(const QStringList& f, const ImportContext&) const override {
        const auto whole = [](const QString& text) { return text.isEmpty() ? QVariant() : QVariant(text); };
        return {{QStringLiteral("TMPF584VEHIC"),
                 {{QStringLiteral("cod_categ"), f[Category]}, {QStringLiteral("des_placa"), f[Plate]}},
                 {{QStringLiteral("mto_adq"), whole(f[Cost])},
                  {QStringLiteral("Fec_Ing"), fields::date(f[Entered])->toString(Qt::ISODate)},
                  {QStringLiteral("cod_condicion"), f[Condition]},
                  {QStringLiteral("cod_actividad"), f[Activity]},
                  {QStringLiteral("mto_alquiler"), whole(f[Rent])},
                  {QStringLiteral("mto_dep"), whole(f[Depreciation])},
                  {QStringLiteral("mto_otros"), whole(f[Other])},
                  {QStringLiteral("mto_com"), whole(f[Fuel])},
                  {QStringLiteral("mto_gasto"), whole(f[Expenses])},
                  {QStringLiteral("ind_ded_gasto"), f[Deducts]},
                  {QStringLiteral("ind_sustitucion"), f[Substitutes]},
                  {QStringLiteral("cod_motivo"), whole(f[Reason])}}}};
    }

    QString identity(const QStringList& f) const override {
        return f[Category].leftJustified(11) + f[Plate].leftJustified(12);
    }

    QString modifiedMessage() const override {
        return QStringLiteral("Ya existe la categoría y placa. Se está actualizando el existente");
    }

private:
    static bool oneOf(const QString& value, std::initializer_list<const char*> codes) {
        for (const char* code : codes) {
            if (value == QLatin1String(code)) {
                return true;
            }
        }
        return false;
    }

    // An amount may be left empty; written, it is a whole number not below zero.
    static QString amount(const QString& text, const QString& what) {
        if (text.isEmpty()) {
            return {};
        }
        if (!fields::wholeNumber(text)) {
            return QStringLiteral("El importe de %1 debe ser un numero entero.").arg(what);
        }
        if (text.toLongLong() < 0) {
            return QStringLiteral("El importe de %1 no puede ser negativo.").arg(what);
        }
        return {};
    }

    QSet<QString> m_categories;
};

} // namespace

std::unique_ptr<RecordRules> vehicleRules() {
    return std::make_unique<VehicleRules>();
}

} // namespace qel::imports
