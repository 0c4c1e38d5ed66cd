#pragma once

#include <QList>
#include <QString>
#include <optional>

namespace qel::store {
class Database;
}

namespace qel::launcher {

// One taxpayer of the launcher (a CONT row; the document type is always 6, the RUC).
struct Taxpayer {
    QString ruc;
    QString nombre;
    int tipoIngreso = 2;
    QString usuario;

    bool operator==(const Taxpayer&) const = default;
};

// What the launcher lists about a taxpayer's declaration of the module's period.
struct TaxpayerSummary {
    Taxpayer taxpayer;
    std::optional<int> estado; // CAB.ESTADO of the declaration; none when there is no declaration
    int lastCorrel = 0;        // the last sent version, 0 when none was sent
};

// Registration and listing of the taxpayers in CONT. Every value is bound, so names such
// as D'ONOFRIO S.A. are stored as typed.
class TaxpayerRegistry {
public:
    static const QString kInvalidRuc;        // "El número de RUC no es válido."
    static const QString kAlreadyRegistered; // "El contribuyente ya se encuentra registrado."
    static const QString kNameRequired;
    static const QString kNotRegistered;

    // The income kinds offered when a taxpayer is registered: code and description.
    // Kind 2 (third-category income) is the one the annual return is made for.
    struct IncomeKind {
        int code;
        QString description;
        QString shortName; // for lists
    };
    static const QList<IncomeKind>& incomeKinds();

    explicit TaxpayerRegistry(store::Database& db) : m_db(db) {}

    // Registers a new taxpayer; the name is trimmed and upper-cased. Answers the message
    // that refuses it, or the empty text when it was stored.
    QString add(const Taxpayer& taxpayer) const;
    // Changes the name and the income kind of a registered taxpayer (the RUC and the user
    // who registered it stay). Answers as add().
    QString update(const Taxpayer& taxpayer) const;

    std::optional<Taxpayer> find(const QString& ruc) const;
    // The taxpayers a user sees: all of them for a kind "0" user, else those it registered.
    QList<Taxpayer> visibleTo(const QString& user) const;
    // The same list with each taxpayer's declaration of the period and form.
    QList<TaxpayerSummary> summariesFor(const QString& user, const QString& periodo, const QString& formulario) const;

    static QString normalisedName(const QString& name);

private:
    QString checkFields(const Taxpayer& taxpayer) const;

    store::Database& m_db;
};

} // namespace qel::launcher
