#include "imports/rules/FieldChecks.h"
#include "imports/rules/KindRules.h"

#include <QRegularExpression>

namespace qel::imports {

namespace {

struct AmountColumn {
    QString column; // the working-table column; empty: checked, not kept
    QString label;  // how the error report names it
    bool percentage = false;
};

// The amounts of an assistant's line: numeric, not negative, a rate at most 100.
QString checkAmounts(const QStringList& f, int first, const QList<AmountColumn>& columns) {
    for (int i = 0; i < columns.size(); ++i) {
        const QString& text = f.at(first + i);
        const AmountColumn& column = columns.at(i);
        if (text.isEmpty()) {
            continue; // an empty amount is a zero, as in the assistant's grid
        }
        if (column.percentage) {
            if (!fields::decimalNumber(text) || text.toDouble() > 100) {
                return QStringLiteral("El porcentaje debe ser numérico menor o igual a 100");
            }
        } else if (!fields::decimalNumber(text) || !fields::amountFits(text)) {
            return QStringLiteral("El importe ") + column.label + QStringLiteral(" no es valido.");
        }
        if (text.toDouble() < 0) {
            return QStringLiteral("El importe no puede ser negativo ");
        }
    }
    return {};
}

ColumnValues amountValues(const QStringList& f, int first, const QList<AmountColumn>& columns) {
    ColumnValues values;
    for (int i = 0; i < columns.size(); ++i) {
        if (!columns.at(i).column.isEmpty()) {
            values.append({columns.at(i).column, f.at(first + i)});
        }
    }
    return values;
}

QString casillaIdentity(const QStringList& f) {
    return f.first().leftJustified(14) + f.mid(1, 3).join(QLatin1Char(' ')).leftJustified(12);
}

// The lines 1 to 9 of the movement of real-estate investments or of their depreciation.
class MovementRules : public RecordRules {
public:
    explicit MovementRules(bool depreciation) : m_depreciation(depreciation) {
        const QString common[] = {QStringLiteral("saldoini"), QStringLiteral("Saldo inicial")};
        m_columns.append({common[0], common[1]});
        if (depreciation) {
            m_columns += {{QStringLiteral("AdiDepEjer"), QStringLiteral("Depreciación del ejercicio")},
                          {QStringLiteral("AdiDepRevVol"), QStringLiteral("Depreciación de la revaluación voluntaria")},
                          {QStringLiteral("AdiOtras"), QStringLiteral("Otras adiciones")},
                          {QStringLiteral("RetVentas"), QStringLiteral("Retiros por ventas")},
                          {QStringLiteral("RetOtros"), QStringLiteral("Otros retiros")},
                          {QStringLiteral("AjuAdiciones"), QStringLiteral("Ajustes por adiciones")},
                          {QStringLiteral("AjuRetiros"), QStringLiteral("Ajustes por retiros")},
                          {QStringLiteral("saldofin"), QStringLiteral("Saldo final")},
                          {QStringLiteral("porc_dep"), QStringLiteral("Porcentaje de depreciación"), true}};
        } else {
            m_columns += {{QStringLiteral("AdiCompMej"), QStringLiteral("Adiciones por compras y mejoras")},
                          {QStringLiteral("AdiAportes"), QStringLiteral("Adiciones por aportes")},
                          {QStringLiteral("AdiCosto"), QStringLiteral("Adiciones al costo")},
                          {QStringLiteral("AdiIncMayorVal"), QStringLiteral("Incremento por mayor valor")},
                          {QStringLiteral("AdiIncRevVol"), QStringLiteral("Incremento por revaluación voluntaria")},
                          {QStringLiteral("AdiOtras"), QStringLiteral("Otras adiciones")},
                          {QStringLiteral("RetVentas"), QStringLiteral("Retiros por ventas")},
                          {QStringLiteral("RetOtros"), QStringLiteral("Otros retiros")},
                          {QStringLiteral("saldofin"), QStringLiteral("Saldo final")}};
        }
    }

    QString check(QStringList& f, const ImportContext&) override {
        static const QRegularExpression line(QStringLiteral("^[1-9]$"));
        if (!line.match(f.first()).hasMatch()) {
            return QStringLiteral("El valor del primer campo debe ser >=1 y <=9");
        }
        return checkAmounts(f, 1, m_columns);
    }

    QList<TableRow> rows(const QStringList& f, const ImportContext& context) const override {
        const QString table = m_depreciation ? QStringLiteral("TMPF535MOVDA_IME") : QStringLiteral("TMPF535MOV_IME");
        return {{table,
                 {{QStringLiteral("CASILLA"), context.casilla}, {QStringLiteral("num_fila"), f.first().toInt()}},
                 amountValues(f, 1, m_columns)}};
    }

    QString identity(const QStringList& f) const override { return casillaIdentity(f); }
    QString modifiedMessage() const override {
        return QStringLiteral("Ya existe la línea. Se está actualizando la existente");
    }

private:
    bool m_depreciation;
    QList<AmountColumn> m_columns;
};

// The months of an assistant: the period (yyyymm) of the year or of the first four months of
// the next one, then its amounts.
class MonthRules : public RecordRules {
public:
    MonthRules(QString type, QList<AmountColumn> columns) : m_type(std::move(type)), m_columns(std::move(columns)) {}

    QString check(QStringList& f, const ImportContext& context) override {
        if (!validMonth(f.first(), fields::year(context))) {
            return QStringLiteral("El periodo no es valido");
        }
        return checkAmounts(f, 1, m_columns);
    }

    QList<TableRow> rows(const QStringList& f, const ImportContext&) const override {
        return {{QStringLiteral("TMPACTA"),
                 {{QStringLiteral("TIPO_ASIST"), m_type}, {QStringLiteral("PER_PAG"), f.first()}},
                 amountValues(f, 1, m_columns)}};
    }

    QString identity(const QStringList& f) const override { return casillaIdentity(f); }
    QString modifiedMessage() const override {
        return QStringLiteral("Ya existe el periodo. Se está actualizando el existente");
    }

private:
    static bool validMonth(const QString& period, int year) {
        static const QRegularExpression form(QStringLiteral("^(\\d{4})(\\d{2})$"));
        const QRegularExpressionMatch match = form.match(period);
        if (!match.hasMatch()) {
            return false;
        }
        const int y = match.captured(1).toInt();
        const int m = match.captured(2).toInt();
        return (y == year && m >= 1 && m <= 12) || (y == year + 1 && m >= 1 && m <= 4);
    }

    QString m_type;
    QList<AmountColumn> m_columns;
};

} // namespace

std::unique_ptr<RecordRules> movementRules(bool depreciation) {
    return std::make_unique<MovementRules>(depreciation);
}

std::unique_ptr<RecordRules> monthRules(const QString& assistantType, const QStringList& amountColumns,
                                        int ignoredAmounts) {
    static const QHash<QString, QString> labels{
        {QStringLiteral("saluti"), QStringLiteral("Aplicación del saldo a favor")},
        {QStringLiteral("compen"), QStringLiteral("Compensaciones")},
        {QStringLiteral("otrcre"), QStringLiteral("Otros créditos")},
        {QStringLiteral("pago_r"), QStringLiteral("Pagos")},
        {QStringLiteral("pago_iean"), QStringLiteral("Compensación con el ITAN")},
        {QStringLiteral("pago_iean_r"), QStringLiteral("Compensación por ley")}};
    QList<AmountColumn> columns;
    for (const QString& column : amountColumns) {
        columns.append({column, amountColumns.size() == 1 ? QStringLiteral("Pago") : labels.value(column, column)});
    }
    for (int i = 0; i < ignoredAmounts; ++i) {
        columns.append({QString(), QStringLiteral("Intereses")});
    }
    return std::make_unique<MonthRules>(assistantType, columns);
}

} // namespace qel::imports
