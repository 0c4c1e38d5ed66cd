#include "app/UtilityComponent.h"
#include "imports/rules/FieldChecks.h"
#include "imports/rules/KindRules.h"

#include <QRegularExpression>

namespace qel::imports {

namespace {

// Representation expenses: the provider by its RUC, its name and the year's amount.
class ExpenseRules : public RecordRules {
    enum Field { DocType, Number, Name, Amount };

public:
    QString check(QStringList& f, const ImportContext& context) override {
        static const QRegularExpression nameCharacters(QStringLiteral("^[A-Za-z0-9ÑñÁÉÍÓÚáéíóúÜü .,&'\\-/()]*$"));
        if (fields::withoutLeadingZeros(f[DocType]) != QStringLiteral("6")) {
            return QStringLiteral(
                "El tipo de documento no es válido. Para Persona Juridica Domiciliado solo se debe registrar RUC");
        }
        if (f[Number].isEmpty()) {
            return QStringLiteral("El número de documento está en blanco");
        }
        if (f[Number].size() != 11 || !fields::wholeNumber(f[Number])) {
            return QStringLiteral("El número de documento es inválido");
        }
        if (!app::UtilityComponent::CheckRuc(f[Number])) {
            return QStringLiteral("El número de RUC es inválido");
        }
        if (f[Number] == context.key.ruc) {
            return QStringLiteral("El RUC no puede ser igual al RUC del Contribuyente.");
        }
        if (f[Name].isEmpty()) {
            return QStringLiteral(" Falta ingresar la Razón Social.");
        }
        if (!nameCharacters.match(f[Name]).hasMatch()) {
            return QStringLiteral("La Razón Social tiene caracteres no válidos.");
        }
        if (!fields::wholeNumber(f[Amount])) {
            return QStringLiteral("El importe de gasto debe ser un numero entero.");
        }
        if (!fields::amountFits(f[Amount])) {
            return fields::tooManyDigits(QStringLiteral("El importe de gasto"));
        }
        if (f[Amount].toLongLong() <= 0) {
            return QStringLiteral("El importe de gasto debe ser mayor a cero.");
        }
        return {};
    }

    QList<TableRow> rows(const QStringList& f, const ImportContext&) const override {
        return {{QStringLiteral("TMPF572GASREP"),
                 {{QStringLiteral("tipo_doc"), 6}, {QStringLiteral("nro_doc"), f[Number]}},
                 {{QStringLiteral("des_razon"), f[Name]}, {QStringLiteral("mto_anual"), f[Amount]}}}};
    }

    QString identity(const QStringList& f) const override {
        return f[DocType].leftJustified(15) + f[Number].leftJustified(20);
    }
};

// Exports: the shipment by its customs declaration and invoice.
class ExportRules : public RecordRules {
    enum Field { Shipped, Dam, DamAmount, Invoice, InvoiceAmount };

public:
    QString check(QStringList& f, const ImportContext&) override {
        static const QRegularExpression digits(QStringLiteral("^\\d*$"));
        if (f[Shipped].isEmpty()) {
            return QStringLiteral("La Fecha de embarque está en blanco");
        }
        const auto shipped = fields::date(f[Shipped]);
        if (!shipped || *shipped < QDate(2015, 1, 1) || *shipped > QDate(2015, 12, 31)) {
            return QStringLiteral("La Fecha de embarque no es válida.");
        }
        if (!digits.match(f[Dam]).hasMatch()) {
            return QStringLiteral("El número de DAM solo puede tener caracter numericos");
        }
        if (f[Dam].size() != 18) {
            return QStringLiteral("La longitud del número de DAM debe ser de 18 caracteres numericos");
        }
        if (!fields::wholeNumber(f[DamAmount])) {
            return QStringLiteral("El importe de la DAM debe ser un numero entero.");
        }
        if (!fields::amountFits(f[DamAmount])) {
            return fields::tooManyDigits(QStringLiteral("El importe de la DAM"));
        }
        if (f[DamAmount].toLongLong() <= 0) {
            return QStringLiteral("El importe de la DAM debe ser mayor a cero.");
        }
        if (!digits.match(f[Invoice]).hasMatch()) {
            return QStringLiteral("El número de factura solo puede tener caracteres numericos");
        }
        f[Invoice] = f[Invoice].rightJustified(8, QLatin1Char('0'));
        if (f[Invoice].size() != 8) {
            return QStringLiteral("La longitud del número de Factura debe ser de 8 caracteres numericos");
        }
        if (!fields::wholeNumber(f[InvoiceAmount])) {
            return QStringLiteral("El importe de la factura debe ser un numero entero.");
        }
        if (!fields::amountFits(f[InvoiceAmount])) {
            return fields::tooManyDigits(QStringLiteral("El importe de la factura"));
        }
        if (f[InvoiceAmount].toLongLong() <= 0) {
            return QStringLiteral("El importe de la factura debe ser mayor a cero.");
        }
        return {};
    }

    QList<TableRow> rows(const QStringList& f, const ImportContext&) const override {
        return {{QStringLiteral("TMPF582EXPORTA"),
                 {{QStringLiteral("num_dam"), f[Dam]}, {QStringLiteral("num_factura"), f[Invoice]}},
                 {{QStringLiteral("fec_embarque"), fields::date(f[Shipped])->toString(Qt::ISODate)},
                  {QStringLiteral("mto_dam"), f[DamAmount]},
                  {QStringLiteral("mto_factura"), f[InvoiceAmount]}}}};
    }

    QString identity(const QStringList& f) const override {
        return f[Shipped].leftJustified(16) + f[Dam].leftJustified(21);
    }

    QString modifiedMessage() const override {
        return QStringLiteral(" Ya existe la DAM y Factura. Se está actualizando el existente");
    }
};

} // namespace

std::unique_ptr<RecordRules> expenseRules() {
    return std::make_unique<ExpenseRules>();
}

std::unique_ptr<RecordRules> exportRules() {
    return std::make_unique<ExportRules>();
}

} // namespace qel::imports
