#include "store/ReferenceData.h"

#include "base/ItfCasillas.h"
#include "base/Passwords.h"
#include "store/Database.h"
#include "store/DeclarationTables.h"
#include "store/ParamLayouts.h"
#include "store/ReferenceCsv.h"

#include <QFile>
#include <QHash>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <stdexcept>

// The data files are compiled into qel_core; a static library needs its resources
// registered by name, and the registration cannot live inside a namespace.
static void registerReferenceResources() {
    static const bool registered = [] {
        Q_INIT_RESOURCE(refdata);
        return true;
    }();
    Q_UNUSED(registered);
}

namespace qel::store {

namespace {

const QString kFormCode = QStringLiteral("0588");
const QString kDataFolder = QStringLiteral(":/data/");
constexpr int kLastCasilla = 899;

[[noreturn]] void fail(const QString& text) {
    throw DatabaseError(-1, text);
}

CsvTable readCsv(const QString& name) {
    registerReferenceResources();
    QFile file(kDataFolder + name);
    if (!file.open(QIODevice::ReadOnly)) {
        fail(QStringLiteral("No se encuentra el archivo de datos de referencia %1.").arg(name));
    }
    return CsvTable::parse(name, file.readAll());
}

// One INSERT prepared once and run for every row, all values bound.
class Inserter {
public:
    Inserter(Database& db, const QString& sql) : m_query(db.connection()), m_sql(sql) {
        m_query.setForwardOnly(true);
        if (!m_query.prepare(sql)) {
            throwError();
        }
    }

    void insert(const QVariantList& values) {
        for (int i = 0; i < values.size(); ++i) {
            m_query.bindValue(i, values.at(i));
        }
        if (!m_query.exec()) {
            throwError();
        }
    }

private:
    [[noreturn]] void throwError() {
        const QSqlError error = m_query.lastError();
        bool ok = false;
        const int number = error.nativeErrorCode().toInt(&ok);
        const QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
        throw DatabaseError(ok ? number : -1, text, m_sql);
    }

    QSqlQuery m_query;
    QString m_sql;
};

class ParamWriter {
public:
    explicit ParamWriter(Database& db)
        : m_insert(db, QStringLiteral("INSERT INTO PARAM (Numero, Argumento, Funcion) VALUES (?, ?, ?)")) {}

    void write(const ParamLayout& layout, const QString& argument, const QMap<QString, QString>& values) {
        static QHash<QString, QRegularExpression> patterns;
        auto pattern = patterns.find(layout.numero);
        if (pattern == patterns.end()) {
            pattern = patterns.insert(layout.numero,
                                      QRegularExpression(QRegularExpression::anchoredPattern(layout.argumentPattern)));
        }
        if (!pattern->match(argument).hasMatch()) {
            fail(QStringLiteral("Argumento no válido '%1' en la lista %2 de los datos de referencia.")
                     .arg(argument, layout.numero));
        }
        QString funcion;
        try {
            funcion = layout.compose(values);
        } catch (const std::invalid_argument& e) {
            fail(QStringLiteral("Dato de referencia no válido: %1").arg(QString::fromStdString(e.what())));
        }
        m_insert.insert({layout.numero, argument, funcion});
    }

private:
    Inserter m_insert;
};

// The document type rows list this module's contexts by position; the row carries one flag
// per position from 83 to 125.
QString moduleContextFlags(const QString& positions, const QString& argument) {
    const int count = doc_type_layout::kLastContext - doc_type_layout::kFirstModuleContext + 1;
    QString flags(count, QLatin1Char('0'));
    for (const QString& word : positions.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        bool ok = false;
        const int position = word.toInt(&ok);
        if (!ok || position < doc_type_layout::kFirstModuleContext || position > doc_type_layout::kLastContext) {
            fail(QStringLiteral("Contexto no válido '%1' del tipo de documento %2.").arg(word, argument));
        }
        flags[position - doc_type_layout::kFirstModuleContext] = QLatin1Char('1');
    }
    return flags;
}

void loadParamFiles(ParamWriter& writer) {
    for (const ParamLayout& layout : ParamLayouts::instance().layouts()) {
        if (layout.file.isEmpty()) {
            continue;
        }
        const CsvTable table = readCsv(QStringLiteral("param/") + layout.file);
        for (QMap<QString, QString> row : table.rows) {
            const QString argument = table.value(row, QStringLiteral("argumento"));
            if (layout.numero == param_list::kDocumentType) {
                row.insert(QStringLiteral("contextos_modulo"),
                           moduleContextFlags(row.take(QStringLiteral("contextos")), argument));
            }
            writer.write(layout, argument, row);
        }
    }
}

// Departments, provinces and districts from ubigeo.csv, each district with its Amazonia
// zone: the zone of the longest code prefix (department, province or district) listed in
// amazonia.csv.
void loadGeography(ParamWriter& writer) {
    const CsvTable zonesTable = readCsv(QStringLiteral("amazonia.csv"));
    QHash<QString, QString> zones;
    for (const auto& row : zonesTable.rows) {
        zones.insert(zonesTable.value(row, QStringLiteral("ubigeo")), zonesTable.value(row, QStringLiteral("zona")));
    }
    const auto zoneOf = [&zones](const QString& district) {
        for (const int length : {6, 4, 2}) {
            const auto it = zones.constFind(district.left(length));
            if (it != zones.cend()) {
                return *it;
            }
        }
        return QString();
    };

    const ParamLayout& departments = ParamLayouts::instance().layout(param_list::kDepartment);
    const ParamLayout& provinces = ParamLayouts::instance().layout(param_list::kProvince);
    const ParamLayout& districts = ParamLayouts::instance().layout(param_list::kDistrict);
    const QString name = QStringLiteral("nombre");
    const auto fitted = [](const QString& text, const ParamLayout& layout) {
        return text.left(layout.field(QStringLiteral("nombre"))->length).trimmed();
    };

    static const QRegularExpression sixDigits(QStringLiteral("^\\d{6}$"));
    const CsvTable ubigeo = readCsv(QStringLiteral("ubigeo.csv"));
    QSet<QString> seen;
    for (const auto& row : ubigeo.rows) {
        const QString code = ubigeo.value(row, QStringLiteral("ubigeo"));
        if (!sixDigits.match(code).hasMatch()) {
            continue; // a district without its code cannot be looked up
        }
        const QString department = code.left(2);
        const QString province = code.left(4);
        if (!seen.contains(department)) {
            seen.insert(department);
            writer.write(departments, department,
                         {{name, fitted(ubigeo.value(row, QStringLiteral("departamento")), departments)}});
        }
        if (!seen.contains(province)) {
            seen.insert(province);
            writer.write(provinces, province,
                         {{name, fitted(ubigeo.value(row, QStringLiteral("provincia")), provinces)}});
        }
        writer.write(districts, code,
                     {{name, fitted(ubigeo.value(row, QStringLiteral("distrito")), districts)},
                      {QStringLiteral("zona"), zoneOf(code)}});
    }
}

// One row per casilla number of the form. idcasilla "05" marks the payment casillas 180
// (income tax) and 181 (ITF); the tag tells the ITF casillas from the income-tax ones.
void loadCasillaRows(ParamWriter& writer) {
    const ParamLayout& layout = ParamLayouts::instance().layout(param_list::kCasillaWriter);
    for (int casilla = 1; casilla <= kLastCasilla; ++casilla) {
        const bool itf = app::isItfCasilla(casilla);
        const bool payment = casilla == 180 || casilla == 181;
        writer.write(layout, kFormCode + QStringLiteral("%1").arg(casilla, 3, 10, QLatin1Char('0')),
                     {{QStringLiteral("etiqueta"), itf ? QStringLiteral("ITF") : QStringLiteral("RENTA")},
                      {QStringLiteral("idcasilla"), payment ? QStringLiteral("05") : QStringLiteral("01")}});
    }
}

void loadErrors(Database& db) {
    Inserter insert(db, QStringLiteral("INSERT INTO ERROR (CodError, DescError) VALUES (?, ?)"));
    const CsvTable table = readCsv(QStringLiteral("errores.csv"));
    static const QRegularExpression fourDigits(QStringLiteral("^\\d{4}$"));
    for (const auto& row : table.rows) {
        const QString code = table.value(row, QStringLiteral("codigo"));
        if (!fourDigits.match(code).hasMatch()) {
            fail(QStringLiteral("Código de error no válido '%1' en los datos de referencia.").arg(code));
        }
        insert.insert({code, table.value(row, QStringLiteral("descripcion"))});
    }
}

void loadSentTables(Database& db) {
    Inserter insert(db, QStringLiteral("INSERT INTO envio_t (formulario, tabla_o) VALUES (?, ?)"));
    for (const QString& table : declaration_tables::sentDeclarationTables()) {
        insert.insert({kFormCode, table});
    }
    insert.insert({kFormCode, QStringLiteral("CONTROL")});
}

// The chart-of-accounts templates: accounts of elements 1 to 5 are balance accounts
// (indica "1"), the others result accounts ("2"), "00" among them.
void loadCharts(Database& db) {
    Inserter insert(db, QStringLiteral("INSERT INTO F544BALCUEN (formulario, plan, Descrip, codigo, indica) "
                                       "VALUES (?, ?, ?, ?, ?)"));
    const CsvTable table = readCsv(QStringLiteral("plan_cuentas.csv"));
    static const QRegularExpression accountCode(QStringLiteral("^\\d{2,7}$"));
    for (const auto& row : table.rows) {
        const QString code = table.value(row, QStringLiteral("codigo"));
        if (!accountCode.match(code).hasMatch()) {
            fail(QStringLiteral("Código de cuenta no válido '%1' en los datos de referencia.").arg(code));
        }
        const QChar element = code.at(0);
        const bool balance = element >= QLatin1Char('1') && element <= QLatin1Char('5');
        insert.insert({kFormCode, table.value(row, QStringLiteral("plan")),
                       table.value(row, QStringLiteral("descripcion")), code,
                       balance ? QStringLiteral("1") : QStringLiteral("2")});
    }
}

} // namespace

void loadReferenceData(Database& db) {
    if (db.scalar(QStringLiteral("SELECT count(*) FROM PARAM")).toInt() > 0) {
        fail(QStringLiteral("La base de datos ya tiene sus datos de referencia; no se vuelven a cargar."));
    }
    ParamWriter writer(db);
    loadParamFiles(writer);
    loadGeography(writer);
    loadCasillaRows(writer);
    loadErrors(db);
    loadSentTables(db);
    loadCharts(db);
}

int loadDemoUsers(Database& db) {
    // A demo account already there (or a user of that name) keeps its password.
    Inserter insert(db, db.dialect().insertKeepingExisting(
                            QStringLiteral("CLAVES"),
                            {QStringLiteral("Usuario"), QStringLiteral("Clave"), QStringLiteral("tipo")}));
    const CsvTable table = readCsv(QStringLiteral("usuarios.csv"));
    const int before = db.scalar(QStringLiteral("SELECT count(*) FROM CLAVES")).toInt();
    for (const auto& row : table.rows) {
        const QString user = table.value(row, QStringLiteral("usuario"));
        const QString hashed = app::hashDemoPassword(table.value(row, QStringLiteral("clave")));
        if (hashed.isEmpty()) {
            fail(QStringLiteral("No se pudo cifrar la contraseña del usuario %1.").arg(user));
        }
        insert.insert({user, hashed, table.value(row, QStringLiteral("tipo"))});
    }
    return db.scalar(QStringLiteral("SELECT count(*) FROM CLAVES")).toInt() - before;
}

} // namespace qel::store
