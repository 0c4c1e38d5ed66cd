#pragma once

#include <QHash>
#include <QList>
#include <QString>

namespace qel::app {
class Prompter;
}

namespace qel::store {
class Database;
}

namespace qel::declaration {

// The geographic codes of the Amazonía zones, for the ubigeo picker: the zone of a code is
// the zone of its longest prefix (department, province or district) in the zone table
// (data/amazonia.csv); the names are the department, province and district lists of PARAM.
class UbigeoPicker {
public:
    struct Place {
        QString code;
        QString name;
    };
    struct Province {
        Place place;
        QList<Place> districts;
    };
    struct Department {
        Place place;
        QList<Province> provinces;
    };

    static const QString kNoValidChoice;

    explicit UbigeoPicker(store::Database& db);

    // "Ubigeo Zona 1" or "Ubigeo Zona 2".
    static QString title(const QString& zone);
    // "1", "2", or "" for a code outside both zones.
    static QString zoneOf(const QString& ubigeo);
    // The prefixes of the zone table with their zone.
    static const QHash<QString, QString>& zoneTable();

    // Every district of a zone under its province and department, ordered by code.
    QList<Department> places(const QString& zone);
    // A six-digit code of a district of the zone.
    bool isValidChoice(const QString& zone, const QString& ubigeo);
    // The picker's "&Aceptar": whether the code may be handed back; when not, the user was told
    // why (the picker's message, or the database error).
    bool confirm(const QString& zone, const QString& ubigeo, app::Prompter& prompter);

private:
    store::Database& m_db;
};

} // namespace qel::declaration
