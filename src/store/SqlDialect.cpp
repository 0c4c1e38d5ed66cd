#include "store/SqlDialect.h"

#include <QRegularExpression>

namespace qel::store {

namespace {

// The server's functions. qel_real and qel_integer read a value as SQLite's CAST does (the
// leading number of a text, else 0); qel_check_code computes a row's check code as the SQLite
// function of the module does on the same row, from the columns' texts and the catalogue's type
// letters: key columns add their numeric value, covered columns each character's Windows-1252
// code times its position.
const char* const kServerFunctions[] = {
    R"SQL(CREATE OR REPLACE FUNCTION qel_real(v text) RETURNS double precision LANGUAGE sql IMMUTABLE AS $$
SELECT coalesce(substring(v from '^[\t\n\v\f\r ]*([+-]?([0-9]+([.][0-9]*)?|[.][0-9]+)([eE][+-]?[0-9]+)?)')::double precision, 0)
$$)SQL",
    R"SQL(CREATE OR REPLACE FUNCTION qel_real(v double precision) RETURNS double precision LANGUAGE sql IMMUTABLE AS $$
SELECT coalesce(v, 0)
$$)SQL",
    R"SQL(CREATE OR REPLACE FUNCTION qel_real(v numeric) RETURNS double precision LANGUAGE sql IMMUTABLE AS $$
SELECT coalesce(v, 0)::double precision
$$)SQL",
    R"SQL(CREATE OR REPLACE FUNCTION qel_real(v bigint) RETURNS double precision LANGUAGE sql IMMUTABLE AS $$
SELECT coalesce(v, 0)::double precision
$$)SQL",
    R"SQL(CREATE OR REPLACE FUNCTION qel_integer(v text) RETURNS bigint LANGUAGE sql IMMUTABLE AS $$
SELECT coalesce(substring(v from '^[\t\n\v\f\r ]*([+-]?[0-9]{1,18})')::bigint, 0)
$$)SQL",
    R"SQL(CREATE OR REPLACE FUNCTION qel_integer(v bigint) RETURNS bigint LANGUAGE sql IMMUTABLE AS $$
SELECT v
$$)SQL",
    R"SQL(CREATE OR REPLACE FUNCTION qel_integer(v numeric) RETURNS bigint LANGUAGE sql IMMUTABLE AS $$
SELECT trunc(v)::bigint
$$)SQL",
    R"SQL(CREATE OR REPLACE FUNCTION qel_integer(v double precision) RETURNS bigint LANGUAGE sql IMMUTABLE AS $$
SELECT trunc(v)::bigint
$$)SQL",
    // A double as the module writes it: fifteen significant digits, exponent form (1E+15)
    // beyond them or below 1E-04.
    R"SQL(CREATE OR REPLACE FUNCTION qel_number_text(x double precision) RETURNS text LANGUAGE plpgsql IMMUTABLE AS $$
DECLARE
    n numeric;
    e integer;
BEGIN
    IF x = 0 THEN
        RETURN '0';
    END IF;
    IF x = 'NaN'::double precision OR x = 'Infinity'::double precision OR x = '-Infinity'::double precision THEN
        RETURN x::text;
    END IF;
    n := x::numeric; -- fifteen significant digits
    e := floor(log(abs(n)))::integer;
    IF power(10::numeric, e) > abs(n) THEN
        e := e - 1;
    ELSIF power(10::numeric, e + 1) <= abs(n) THEN
        e := e + 1;
    END IF;
    IF e < -4 OR e >= 15 THEN
        RETURN trim_scale(n * power(10::numeric, -e))::text || 'E' || CASE WHEN e < 0 THEN '-' ELSE '+' END
               || lpad(abs(e)::text, 2, '0');
    END IF;
    RETURN trim_scale(n)::text;
END
$$)SQL",
    // The exact value of a whole double, also beyond the 53 bits a bigint conversion keeps.
    R"SQL(CREATE OR REPLACE FUNCTION qel_exact_whole(x double precision) RETURNS numeric LANGUAGE plpgsql IMMUTABLE AS $$
DECLARE
    halvings integer := 0;
BEGIN
    WHILE x >= 9007199254740992 LOOP
        x := x / 2;
        halvings := halvings + 1;
    END LOOP;
    RETURN x::bigint::numeric * power(2::numeric, halvings);
END
$$)SQL",
    R"SQL(CREATE OR REPLACE FUNCTION qel_ansi_code(c text) RETURNS integer LANGUAGE plpgsql IMMUTABLE AS $$
DECLARE
    u integer := ascii(c);
    high constant integer[] := ARRAY[8364, 0, 8218, 402, 8222, 8230, 8224, 8225, 710, 8240, 352, 8249, 338, 0, 381, 0,
                                     0, 8216, 8217, 8220, 8221, 8226, 8211, 8212, 732, 8482, 353, 8250, 339, 0, 382, 376];
BEGIN
    IF u < 128 OR (u >= 160 AND u <= 255) THEN
        RETURN u;
    END IF;
    FOR i IN 1..32 LOOP
        IF high[i] = u THEN
            RETURN 127 + i;
        END IF;
    END LOOP;
    RETURN 63;
END
$$)SQL",
    R"SQL(CREATE OR REPLACE FUNCTION qel_check_code(types text, split integer, VARIADIC vals text[]) RETURNS text
LANGUAGE plpgsql IMMUTABLE AS $$
DECLARE
    key_sum numeric := 0; -- exact, as the module's wide sum of the keys' doubles
    text_sum bigint := 0;
    kind text;
    v text;
    x double precision;
    n numeric;
    pos integer;
    u integer;
    c text;
    bytes bytea;
    -- What the module trims from a text beyond ASCII: every blank of Unicode's basic plane.
    blanks constant text := '[\t\n\v\f\r \u0085\u00A0\u1680\u2000-\u200A\u2028\u2029\u202F\u205F\u3000]';
BEGIN
    FOR i IN 1..coalesce(array_length(vals, 1), 0) LOOP
        v := vals[i];
        CONTINUE WHEN v IS NULL;
        kind := coalesce(nullif(substr(types, i, 1), ''), 'T');
        IF kind = 'D' OR (kind = 'C' AND v::numeric <> trunc(v::numeric)) THEN
            v := qel_number_text(v::double precision);
        ELSIF kind = 'C' OR kind = 'I' THEN
            v := trunc(v::numeric)::text;
        ELSIF kind = 'A' THEN
            v := btrim(v, E' \t\n\r\u000B\f');
            IF v ~ '^[0-9]{4}-[0-9]{2}-[0-9]{2}' THEN
                v := substr(v, 1, 4) || substr(v, 6, 2) || substr(v, 9, 2);
            ELSIF v ~ '^[0-9]{2}/[0-9]{2}/[0-9]{4}' THEN
                v := substr(v, 7, 4) || substr(v, 4, 2) || substr(v, 1, 2);
            ELSE
                CONTINUE;
            END IF;
            BEGIN
                PERFORM to_date(v, 'YYYYMMDD');
                CONTINUE WHEN to_char(to_date(v, 'YYYYMMDD'), 'YYYYMMDD') <> v OR substr(v, 1, 4) = '0000';
            EXCEPTION WHEN others THEN
                CONTINUE;
            END;
        ELSE
            v := btrim(v, E' \t\n\r\u000B\f');
            IF v ~ '[^\x01-\x7F]' THEN
                v := regexp_replace(v, '^' || blanks || '+|' || blanks || '+$', '', 'g');
            END IF;
        END IF;
        IF i <= split THEN
            IF v ~ '^[+-]?([0-9]+([.][0-9]*)?|[.][0-9]+)([eE][+-]?[0-9]+)?$' THEN
                x := v::double precision;
                IF x = trunc(x) THEN
                    key_sum := key_sum + sign(x)::numeric * qel_exact_whole(abs(x));
                ELSE
                    key_sum := key_sum + x::numeric;
                END IF;
            END IF;
        ELSE
            -- Most texts are ASCII alone: each character's code is then its byte, read in place.
            bytes := convert_to(v, 'UTF8');
            IF length(bytes) = length(v) THEN
                FOR pos IN 1..length(bytes) LOOP
                    text_sum := text_sum + get_byte(bytes, pos - 1) * pos;
                END LOOP;
                CONTINUE;
            END IF;
            pos := 0;
            FOREACH c IN ARRAY string_to_array(v, NULL) LOOP
                u := ascii(c);
                IF u > 65535 THEN
                    text_sum := text_sum + 63 * (pos + 1) + 63 * (pos + 2);
                    pos := pos + 2;
                ELSE
                    pos := pos + 1;
                    -- Latin-1 codes are their own Windows-1252 codes; only the rest is looked up.
                    IF u < 128 OR (u >= 160 AND u <= 255) THEN
                        text_sum := text_sum + u * pos;
                    ELSE
                        text_sum := text_sum + qel_ansi_code(c) * pos;
                    END IF;
                END IF;
            END LOOP;
        END IF;
    END LOOP;
    n := mod(round(abs(key_sum)), 1000);
    RETURN lpad(trunc(n)::text, 3, '0') || lpad(mod(text_sum, 1000)::text, 3, '0');
END
$$)SQL",
};

} // namespace

const SqlDialect& SqlDialect::of(Engine engine) {
    static const SqlDialect sqliteDialect(Engine::SQLite);
    static const SqlDialect serverDialect(Engine::PostgreSQL);
    return engine == Engine::SQLite ? sqliteDialect : serverDialect;
}

QString SqlDialect::columnType(ColumnType type) const {
    const bool server = m_engine == Engine::PostgreSQL;
    switch (type) {
    case ColumnType::Integer:
        return server ? QStringLiteral("BIGINT") : QStringLiteral("INTEGER");
    case ColumnType::Double:
        return server ? QStringLiteral("DOUBLE PRECISION") : QStringLiteral("REAL");
    case ColumnType::Currency:
        return QStringLiteral("NUMERIC");
    case ColumnType::Date:
    case ColumnType::Text:
        break;
    }
    return QStringLiteral("TEXT");
}

QString SqlDialect::rowOrder() const {
    return QStringLiteral("rowid");
}

QString SqlDialect::rowOrderColumn() const {
    return m_engine == Engine::SQLite ? QString() : QStringLiteral("rowid BIGINT GENERATED ALWAYS AS IDENTITY");
}

QString SqlDialect::realOf(const QString& expression) const {
    if (m_engine == Engine::SQLite) {
        return QStringLiteral("CAST(ifnull(%1,'') AS REAL)").arg(expression);
    }
    return QStringLiteral("qel_real(%1)").arg(expression);
}

QString SqlDialect::integerOf(const QString& expression) const {
    if (m_engine == Engine::SQLite) {
        return QStringLiteral("CAST(%1 AS INTEGER)").arg(expression);
    }
    return QStringLiteral("qel_integer(%1)").arg(expression);
}

QString SqlDialect::total(const QString& expression) const {
    if (m_engine == Engine::SQLite) {
        return QStringLiteral("total(%1)").arg(expression);
    }
    return QStringLiteral("coalesce(sum((%1)::double precision),0)").arg(expression);
}

QString SqlDialect::statement(const QString& sql) const {
    if (m_engine == Engine::SQLite || !sql.contains(QLatin1Char('?'))) {
        return sql;
    }
    static const QRegularExpression isNot(QStringLiteral("\\bIS\\s+NOT\\s+\\?"),
                                          QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression is(QStringLiteral("\\bIS\\s+\\?"), QRegularExpression::CaseInsensitiveOption);
    QString text = sql;
    text.replace(isNot, QStringLiteral("IS DISTINCT FROM ?"));
    text.replace(is, QStringLiteral("IS NOT DISTINCT FROM ?"));
    return text;
}

QString SqlDialect::checkCode(const QString& types, int split, const QStringList& columns) const {
    if (m_engine == Engine::SQLite) {
        return QStringLiteral("qel_check_code('%1',%2,%3)").arg(types).arg(split).arg(columns.join(QLatin1Char(',')));
    }
    QStringList texts;
    for (const QString& column : columns) {
        texts.append(QStringLiteral("(%1)::text").arg(column));
    }
    return QStringLiteral("qel_check_code('%1',%2,%3)").arg(types).arg(split).arg(texts.join(QLatin1Char(',')));
}

QString SqlDialect::insertKeepingExisting(const QString& table, const QStringList& columns) const {
    const QString marks = QStringList(columns.size(), QStringLiteral("?")).join(QStringLiteral(", "));
    if (m_engine == Engine::SQLite) {
        return QStringLiteral("INSERT OR IGNORE INTO %1 (%2) VALUES (%3)")
            .arg(table, columns.join(QStringLiteral(", ")), marks);
    }
    return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3) ON CONFLICT DO NOTHING")
        .arg(table, columns.join(QStringLiteral(", ")), marks);
}

QString SqlDialect::typedValue(ColumnType type) const {
    if (m_engine == Engine::SQLite) {
        return QStringLiteral("?");
    }
    return QStringLiteral("CAST(? AS %1)").arg(columnType(type));
}

QString SqlDialect::beginWrite() const {
    return m_engine == Engine::SQLite ? QStringLiteral("BEGIN IMMEDIATE") : QStringLiteral("BEGIN");
}

QString SqlDialect::lockingRead() const {
    return m_engine == Engine::SQLite ? QString() : QStringLiteral(" FOR UPDATE");
}

const QString SqlDialect::kChangeChannel = QStringLiteral("qel_declaraciones");

QString SqlDialect::changeNotice() const {
    return m_engine == Engine::SQLite ? QString() : QStringLiteral("SELECT pg_notify('%1', ?)").arg(kChangeChannel);
}

QStringList SqlDialect::functionDdl() const {
    QStringList statements;
    if (m_engine == Engine::PostgreSQL) {
        for (const char* statement : kServerFunctions) {
            statements.append(QString::fromUtf8(statement));
        }
    }
    return statements;
}

} // namespace qel::store
