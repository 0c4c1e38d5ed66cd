#include "declaration/model/UbigeoPicker.h"

#include "base/Prompter.h"
#include "store/DatabaseError.h"
#include "store/ExecuteSql.h"
#include "store/ParamLayouts.h"
#include "store/ParamLookups.h"

#include <QFile>
#include <QRegularExpression>

// The zone table is compiled into the core library with the reference data.
static void registerZoneData() {
    static const bool registered = [] {
        Q_INIT_RESOURCE(refdata);
        return true;
    }();
    Q_UNUSED(registered);
}

namespace qel::declaration {

const QString UbigeoPicker::kNoValidChoice = QStringLiteral("Debe seleccionar un distrito de la zona.");

namespace {

bool isDistrictCode(const QString& code) {
    static const QRegularExpression sixDigits(QStringLiteral("^\\d{6}$"));
    return sixDigits.match(code).hasMatch();
}

} // namespace

UbigeoPicker::UbigeoPicker(store::Database& db) : m_db(db) {}

QString UbigeoPicker::title(const QString& zone) {
    return QStringLiteral("Ubigeo Zona ") + zone;
}

const QHash<QString, QString>& UbigeoPicker::zoneTable() {
    static const QHash<QString, QString> table = [] {
        registerZoneData();
        QHash<QString, QString> zones;
        QFile file(QStringLiteral(":/data/amazonia.csv"));
        if (!file.open(QIODevice::ReadOnly)) {
            return zones;
        }
        const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
        for (int i = 1; i < lines.size(); ++i) { // the first line names the columns
            const QStringList fields = lines.at(i).trimmed().split(QLatin1Char(','));
            if (fields.size() >= 2 && !fields.at(0).trimmed().isEmpty()) {
                zones.insert(fields.at(0).trimmed(), fields.at(1).trimmed());
            }
        }
        return zones;
    }();
    return table;
}

QString UbigeoPicker::zoneOf(const QString& ubigeo) {
    const QString code = ubigeo.trimmed();
    for (const int length : {6, 4, 2}) {
        if (code.size() < length) {
            continue;
        }
        const auto it = zoneTable().constFind(code.left(length));
        if (it != zoneTable().cend()) {
            return *it;
        }
    }
    return {};
}

QList<UbigeoPicker::Department> UbigeoPicker::places(const QString& zone) {
    store::ParamLookups lookups(m_db);
    const auto districts = lookups.paramList(store::param_list::kDistrict, 1, 30);
    QList<Department> result;
    for (const store::ParamLookups::Item& item : districts) {
        const QString code = item.argumento.trimmed();
        if (!isDistrictCode(code) || zoneOf(code) != zone) {
            continue;
        }
        const QString department = code.left(2);
        const QString province = code.left(4);
        if (result.isEmpty() || result.last().place.code != department) {
            result.append(Department{{department, lookups.DepartmentName(code)}, {}});
        }
        QList<Province>& provinces = result.last().provinces;
        if (provinces.isEmpty() || provinces.last().place.code != province) {
            provinces.append(Province{{province, lookups.ProvinceName(code)}, {}});
        }
        provinces.last().districts.append(Place{code, item.text.trimmed()});
    }
    return result;
}

bool UbigeoPicker::isValidChoice(const QString& zone, const QString& ubigeo) {
    const QString code = ubigeo.trimmed();
    if (!isDistrictCode(code) || zoneOf(code) != zone) {
        return false;
    }
    return !store::ParamLookups(m_db).DistrictName(code).isEmpty();
}

bool UbigeoPicker::confirm(const QString& zone, const QString& ubigeo, app::Prompter& prompter) {
    try {
        if (isValidChoice(zone, ubigeo)) {
            return true;
        }
    } catch (const store::DatabaseError& error) {
        store::showDatabaseError(prompter, error);
        return false;
    }
    prompter.message(kNoValidChoice, title(zone), app::Icon::Critical);
    return false;
}

} // namespace qel::declaration
