#include "launcher/DeclarationSender.h"

#include "app/Clock.h"
#include "base/Prompter.h"
#include "store/Database.h"
#include "store/ExecuteSql.h"
#include "store/TableCatalog.h"
#include "store/WorkingCopies.h"

#include <QSqlQuery>

namespace qel::launcher {

const QString DeclarationSender::kTitle = QStringLiteral("Enviar declaración");
const QString DeclarationSender::kFormulario = QStringLiteral("0588");
const QString DeclarationSender::kPeriodo = QStringLiteral("2018");

store::DeclarationKey DeclarationSender::moduleKey(const QString& ruc) {
    return {ruc.trimmed(), kPeriodo, kFormulario};
}

namespace {

const store::TableCatalog& catalog() {
    return store::TableCatalog::instance();
}

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

QString DeclarationSender::controlNumber(const QString& ruc, const QDateTime& sentAt, int correl) {
    constexpr unsigned long long kModulus = 10'000'000'000ULL;
    const unsigned long long rucValue = ruc.trimmed().toULongLong() % kModulus;
    const auto seconds = static_cast<unsigned long long>(sentAt.toSecsSinceEpoch()) % kModulus;
    const unsigned long long value =
        (rucValue * 1'000'003ULL % kModulus + seconds * 100ULL % kModulus + static_cast<unsigned long long>(correl)) %
        kModulus;
    return QStringLiteral("%1").arg(value, 10, 10, QLatin1Char('0'));
}

QStringList DeclarationSender::sentTables(const QString& formulario) const {
    QStringList tables;
    QSqlQuery rows = m_db.run(QStringLiteral("SELECT tabla_o FROM envio_t WHERE formulario=? "
                                             "AND upper(trim(tabla_o))<>'CONTROL' ORDER BY rowid"),
                              {formulario});
    while (rows.next()) {
        tables.append(rows.value(0).toString().trimmed());
    }
    return tables;
}

int DeclarationSender::nextCorrel(const store::DeclarationKey& key) const {
    const store::SqlFilter filter = key.filter();
    return m_db.scalar(QStringLiteral("SELECT max(CAST(CORREL AS INTEGER)) FROM HCAB") + filter.text, filter.values)
               .toInt() +
           1;
}

void DeclarationSender::copyVersion(const QString& baseName, const store::DeclarationKey& key, const QString& correl,
                                    const QString& sentDate, const QString& control) const {
    const store::TableDef* def = catalog().find(baseName);
    if (def == nullptr || !def->history || !def->permanent) {
        throw store::DatabaseError(-1, QStringLiteral("La tabla %1 no tiene copia histórica.").arg(baseName));
    }
    const store::TableLayout source = catalog().layout(def->name, store::Copy::Permanent);
    const store::TableLayout history = catalog().layout(def->name, store::Copy::History);

    // The history row, column by column: what the declaration row has is copied by name;
    // the version's own columns get the version's values.
    const qsizetype covered = history.checked() ? history.columns.size() - 1 : history.columns.size();
    QStringList names;
    QStringList expressions;
    QString letters;
    QVariantList values;
    for (qsizetype i = 0; i < covered; ++i) {
        const store::ColumnDef& column = history.columns.at(i);
        names.append(column.name);
        letters.append(QLatin1Char(store::typeLetter(column.type)));
        if (source.hasColumn(column.name)) {
            expressions.append(column.name + QStringLiteral(" AS ") + column.name);
            continue;
        }
        QVariant value;
        if (sameName(column.name, store::TableCatalog::kCorrelColumn)) {
            value = correl;
        } else if (sameName(column.name, QStringLiteral("FEC_ENV"))) {
            value = sentDate;
        } else if (sameName(column.name, QStringLiteral("CONTROL"))) {
            value = control;
        } else if (sameName(column.name, QStringLiteral("NORDEN"))) {
            value = QStringLiteral(""); // empty, not NULL: KOLVA has not numbered it yet
        } else if (sameName(column.name, QStringLiteral("estado"))) {
            value = 0;
        }
        expressions.append(m_db.dialect().typedValue(column.type) + QStringLiteral(" AS ") + column.name);
        values.append(value);
    }
    QStringList target = names;
    QStringList selected = names;
    if (history.checked()) {
        // The check code of the H row, with the H split index (CORREL counts among the keys).
        target.append(store::TableCatalog::kCheckColumn);
        selected.append(m_db.dialect().checkCode(letters, history.keyCount, names));
    }
    const store::SqlFilter filter = key.filter();
    values.append(filter.values);
    m_db.run(QStringLiteral("INSERT INTO %1 (%2) SELECT %3 FROM (SELECT %4 FROM %5%6) AS sent")
                 .arg(history.name, target.join(QLatin1Char(',')), selected.join(QLatin1Char(',')),
                      expressions.join(QLatin1Char(',')), source.name, filter.text),
             values)
        .finish();
}

DeclarationSender::Result DeclarationSender::send(const store::DeclarationKey& key) const {
    Result result;
    auto tell = [&](const QString& text, app::Icon icon) {
        result.message = text;
        m_prompter.message(text, kTitle, icon);
        return result;
    };

    // Why a declaration in this state is not sent; empty when it may be.
    auto refusal = [&](const QVariant& estado) {
        if (!estado.isValid()) {
            return QStringLiteral("El contribuyente no tiene una declaración registrada para el periodo %1.")
                .arg(key.periodo);
        }
        if (estado.toInt() != 0) {
            return QStringLiteral("La declaración tiene inconsistencias (estado %1). Grábela sin inconsistencias en "
                                  "el módulo antes de enviarla.")
                .arg(estado.toInt());
        }
        return QString();
    };
    const store::SqlFilter filter = key.filter();
    const QString estadoSql = QStringLiteral("SELECT coalesce(ESTADO, 9) FROM CAB") + filter.text;
    QString refused;
    try {
        refused = refusal(m_db.scalar(estadoSql, filter.values));
    } catch (const store::DatabaseError& error) {
        store::showDatabaseError(m_prompter, error);
        result.message = error.text();
        return result;
    }
    if (!refused.isEmpty()) {
        return tell(refused, app::Icon::Exclamation);
    }

    const QDateTime now = m_clock.now();
    const QString sentDate = now.date().toString(Qt::ISODate);
    QString correl;
    QString control;
    const bool written = store::runAtomically(m_db, m_prompter, [&] {
        // The header stays locked to the end of the send: another send of the declaration waits
        // here and then reads the correlative this one took, and a save waits for the copy, so
        // that a version never mixes two saves. What it waited for may have changed the state.
        refused = refusal(m_db.scalar(estadoSql + m_db.dialect().lockingRead(), filter.values));
        if (!refused.isEmpty()) {
            return;
        }
        const QStringList tables = sentTables(key.formulario);
        if (tables.isEmpty()) {
            throw store::DatabaseError(
                -1, QStringLiteral("La tabla envio_t no lista las tablas del formulario %1.").arg(key.formulario));
        }
        const int next = nextCorrel(key);
        correl = QString::number(next);
        control = controlNumber(key.ruc, now, next);
        for (const QString& table : tables) {
            copyVersion(table, key, correl, sentDate, control);
        }
        store::announceChange(m_db, key.ruc); // the lists of other users follow the send
    });
    if (written && !refused.isEmpty()) {
        return tell(refused, app::Icon::Exclamation);
    }
    if (!written) {
        result.message = QStringLiteral("No se envió la declaración.");
        return result;
    }
    result.sent = true;
    result.correl = correl;
    result.control = control;
    return tell(QStringLiteral("Declaración enviada: RUC %1, correlativo %2, control %3").arg(key.ruc, correl, control),
                app::Icon::Information);
}

} // namespace qel::launcher
