#include "declaration/commands/ExplainModel.h"

#include "base/NumberFormat.h"
#include "catalogue/AnnexCatalog.h"
#include "declaration/model/DeclarationFormModel.h"
#include "declaration/rules/CalculationRuleTable.h"
#include "store/Database.h"
#include "store/ParamLookups.h"
#include "store/SqlDialect.h"
#include "store/TableCatalog.h"

#include <QRegularExpression>
#include <QSqlQuery>
#include <cmath>

namespace qel::declaration {

namespace {

const QString kLossBalanceBox = QStringLiteral("TxtTotalSaldo");
constexpr int kCoefficient = 686;

// A live value as the explanation writes it: thousands separators, a minus sign for a
// negative value, the decimals a coefficient has.
QString numberShown(double value) {
    const double magnitude = std::fabs(value);
    const bool whole = std::fabs(magnitude - std::round(magnitude)) < 1e-9;
    QString text = whole ? app::formatNumber(magnitude, app::masks::kAmount)
                         : app::formatNumber(magnitude, QStringLiteral("###,###,###,##0.###0"));
    return value < 0 ? QStringLiteral("-") + text : text;
}

// The right side of a formula line.
QString rightSide(const QString& line) {
    const auto equals = line.indexOf(QLatin1Char('='));
    return equals < 0 ? line : line.mid(equals + 1).trimmed();
}

// The casillas of a rule a formula line names on its right side, in order.
QList<int> namedCasillas(const QString& expression, const CalculationRule& rule) {
    static const QRegularExpression number(QStringLiteral("(?<![0-9.])([0-9]{3})(?![0-9.])"));
    QList<int> named;
    auto it = number.globalMatch(expression);
    while (it.hasNext()) {
        const int n = it.next().captured(1).toInt();
        if ((rule.inputs.contains(n) || rule.targets.contains(n)) && !named.contains(n)) {
            named.append(n);
        }
    }
    return named;
}

// The targets a formula line writes (one, or both members of a pair).
QList<int> leftSide(const QString& line) {
    static const QRegularExpression left(QStringLiteral("^([0-9]+)(?: / ([0-9]+))? ="));
    const QRegularExpressionMatch m = left.match(line);
    QList<int> targets;
    if (m.hasMatch()) {
        targets.append(m.captured(1).toInt());
        if (!m.captured(2).isEmpty()) {
            targets.append(m.captured(2).toInt());
        }
    }
    return targets;
}

} // namespace

QString CasillaExplanation::line() const {
    if (kind == Kind::Typed) {
        return formula;
    }
    QString text = formula;
    const QString rhs = rightSide(formula);
    if (!numbers.isEmpty() && numbers != rhs) {
        text += QStringLiteral(" = ") + numbers;
    }
    if (!result.isEmpty() && result != rhs) {
        text += QStringLiteral(" = ") + result;
    }
    return text;
}

ExplainModel::ExplainModel(DeclarationFormModel& model) : m_model(model) {}

double ExplainModel::uit() const {
    if (!m_uit) {
        store::ParamLookups lookups(m_model.context().db);
        m_uit = app::val(lookups.UitForYear(m_model.context().periodo));
    }
    return *m_uit;
}

QString ExplainModel::shownText(int casilla) const {
    if (m_model.hasBox(casilla)) {
        return m_model.text(casilla);
    }
    return m_model.keptCasillas.value(casilla);
}

bool ExplainModel::canGoTo(int casilla) const {
    return m_model.hasBox(casilla);
}

double ExplainModel::number(int casilla) const {
    if (casilla == kCoefficient) {
        return app::readAmount(shownText(casilla));
    }
    return app::readWhole(shownText(casilla));
}

// The right side with each of the casillas replaced by its live value, each rate "R %" by
// its fraction, the UIT and the loss balance by their values.
QString ExplainModel::substitute(const QString& expression, const QList<int>& casillas) const {
    static const QRegularExpression token(
        QStringLiteral("(?<![0-9.])([0-9]+(?:\\.[0-9]+)?)( %)?(?![0-9.])|\\bUIT\\b|\\bsaldo\\b"));
    QString out;
    qsizetype last = 0;
    auto it = token.globalMatch(expression);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        out += expression.mid(last, m.capturedStart() - last);
        last = m.capturedEnd();
        const QString whole = m.captured(0);
        if (whole == QStringLiteral("UIT")) {
            out += numberShown(uit());
        } else if (whole == QStringLiteral("saldo")) {
            const double balance =
                m_model.hasControl(kLossBalanceBox) ? app::readWhole(m_model.controlText(kLossBalanceBox)) : 0;
            out += numberShown(balance);
        } else if (!m.captured(2).isEmpty()) {
            out += QString::number(m.captured(1).toDouble() / 100);
        } else if (m.captured(1).size() == 3 && casillas.contains(m.captured(1).toInt())) {
            out += numberShown(number(m.captured(1).toInt()));
        } else {
            out += whole;
        }
    }
    out += expression.mid(last);
    return out;
}

CasillaExplanation ExplainModel::explain(int casilla) const {
    CasillaExplanation e;
    e.casilla = casilla;
    e.feeds = CalculationRuleTable::feeds(casilla);
    const CalculationRule* rule = CalculationRuleTable::computing(casilla);
    const CasillaDef* def = m_model.casillas().find(casilla);
    const bool typedBox = m_model.hasBox(casilla) && !m_model.box(casilla).locked;

    if (rule != nullptr && !rule->assistantType.isEmpty()) {
        e.kind = CasillaExplanation::Kind::Window;
        e.window = def != nullptr ? def->window : QString();
        addWindowRows(e, rule->assistantType);
        return e;
    }
    QString line = rule != nullptr ? m_model.ruleFormulas.value(casilla) : QString();
    if (rule != nullptr && !m_model.ruleFormulas.contains(casilla)) {
        line = rule->formulaFor(casilla);
    }
    if (rule == nullptr || line.isEmpty() || (casilla == 113 && typedBox)) {
        // Typed, or a detail window's total.
        if (def != nullptr && !def->window.isEmpty() && def->kind == BoxKind::Assistant) {
            e.kind = CasillaExplanation::Kind::Window;
            e.window = def->window;
            addWindowRows(e, {});
            return e;
        }
        e.kind = CasillaExplanation::Kind::Typed;
        QStringList fed;
        for (const int n : e.feeds) {
            fed.append(QString::number(n));
        }
        e.formula = QString::number(casilla) + QStringLiteral(" = casilla digitada");
        if (!fed.isEmpty()) {
            e.formula += (fed.size() == 1 ? QStringLiteral("; alimenta la casilla ")
                                          : QStringLiteral("; alimenta las casillas ")) +
                         fed.join(QStringLiteral(", "));
        }
        e.result = shownText(casilla);
        return e;
    }
    e.kind = CasillaExplanation::Kind::Computed;
    e.formula = line;
    e.condition = rule->condition;
    const QString rhs = rightSide(line);
    e.inputs = namedCasillas(rhs, *rule);
    e.numbers = substitute(rhs, e.inputs);
    QStringList shown;
    for (const int target : leftSide(line)) {
        shown.append(shownText(target));
    }
    e.result = shown.join(QStringLiteral(" / "));
    return e;
}

// The rows of the window whose total the casilla holds: an assistant's rows of TMPACTA, or
// the count of the rows of an annex's working table.
void ExplainModel::addWindowRows(CasillaExplanation& e, const QString& assistantType) const {
    const QString window = e.window.isEmpty() ? QStringLiteral("asistente") : e.window;
    e.formula = QString::number(e.casilla) + QStringLiteral(" = total de la ventana ") + window;
    e.result = shownText(e.casilla);
    store::Database& db = m_model.context().db;
    if (!assistantType.isEmpty()) {
        // The assistant of 128 adds every column of its rows, the others their first amount.
        const QStringList columns =
            assistantType == QStringLiteral("4")
                ? QStringList{QStringLiteral("saluti"), QStringLiteral("compen"),    QStringLiteral("otrcre"),
                              QStringLiteral("pago_r"), QStringLiteral("pago_iean"), QStringLiteral("pago_iean_r")}
                : QStringList{QStringLiteral("saluti")};
        QStringList amounts;
        for (const QString& column : columns) {
            amounts.append(db.dialect().realOf(column));
        }
        QSqlQuery q = db.run(QStringLiteral("SELECT %1 FROM TMPACTA WHERE TIPO_ASIST=? ORDER BY %2")
                                 .arg(amounts.join(QStringLiteral(" + ")), db.dialect().rowOrder()),
                             {assistantType});
        int row = 0;
        double total = 0;
        while (q.next()) {
            ++row;
            total += q.value(0).toDouble();
            e.rows.append(QStringLiteral("fila %1: %2").arg(row).arg(numberShown(q.value(0).toDouble())));
        }
        if (row > 0) {
            e.numbers = numberShown(total);
            e.formula += QStringLiteral(", suma de %1 %2")
                             .arg(row)
                             .arg(row == 1 ? QStringLiteral("fila") : QStringLiteral("filas"));
        }
        return;
    }
    const annexes::AnnexDef* annex = annexes::AnnexCatalog::instance().window(e.window);
    const std::optional<store::TableLayout> layout =
        annex != nullptr ? store::TableCatalog::instance().resolve(annex->table) : std::nullopt;
    if (layout) {
        // The declaration's rows (the file is shared), of this casilla where the table keeps several.
        store::SqlFilter filter = layout->def->declaration ? m_model.key().filter() : store::SqlFilter{};
        if (layout->hasColumn(QStringLiteral("CASILLA"))) {
            filter.andCondition(QStringLiteral("CAST(CASILLA AS INTEGER)=?"), {e.casilla});
        }
        const int rows =
            db.scalar(QStringLiteral("SELECT count(*) FROM ") + layout->name + filter.text, filter.values).toInt();
        e.formula += QStringLiteral(", suma de %1 %2")
                         .arg(rows)
                         .arg(rows == 1 ? QStringLiteral("fila") : QStringLiteral("filas"));
    }
}

} // namespace qel::declaration
