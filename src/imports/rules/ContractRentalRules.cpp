#include "imports/rules/FieldChecks.h"
#include "imports/rules/KindRules.h"
#include "imports/rules/RentalGoods.h"
#include "store/Database.h"

#include <QRegularExpression>

namespace qel::imports {

namespace {

// Collaboration contracts: the contract (correlative and description) and one participant.
class ContractRules : public RecordRules {
    enum Field { Correlative, Description, DocType, Number, Name, Share, Role };

public:
    QString check(QStringList& f, const ImportContext& context) override {
        if (f[Correlative].isEmpty()) {
            return QStringLiteral("El correlativo esta en blanco");
        }
        if (!fields::wholeNumber(f[Correlative]) || f[Correlative].startsWith(QLatin1Char('-'))) {
            return QStringLiteral("El correlativo debe ser númerico");
        }
        if (f[Description].isEmpty()) {
            return QStringLiteral(" Debe registrar la descripción del contrato.");
        }
        // One correlative is one contract: a second description for it is a typing error.
        const QVariant known =
            context.scalar(QStringLiteral("SELECT des_contrato FROM TMPF582COLCAB") + contractFilter(f, context).text,
                           contractFilter(f, context).values);
        if (known.isValid() && known.toString().trimmed() != f[Description]) {
            return QStringLiteral(" Debe registrar correctamente la descripción del contrato.");
        }
        if (QString failure = fields::document(f[DocType], f[Number], context); !failure.isEmpty()) {
            return failure;
        }
        if (QString failure = fields::share(f[Share]); !failure.isEmpty()) {
            return failure;
        }
        store::SqlFilter others = contractFilter(f, context);
        others.andCondition(QStringLiteral("NOT (tipo_doc IS ? AND nro_doc IS ?)"),
                            {fields::withoutLeadingZeros(f[DocType]).toInt(), f[Number]});
        const double registered = context
                                      .scalar(QStringLiteral("SELECT %1 FROM TMPF582COLDET")
                                                      .arg(context.db.dialect().total(context.db.dialect().realOf(
                                                          QStringLiteral("por_participacion")))) +
                                                  others.text,
                                              others.values)
                                      .toDouble();
        if (registered + f[Share].toDouble() > 100.0 + 1e-9) {
            return QStringLiteral("La cantidad ingresada supera el máximo permitido.");
        }
        if (f[Role] != QStringLiteral("0") && f[Role] != QStringLiteral("1")) {
            return QStringLiteral("El tipo debe ser   0 Operador o 1 Participe.");
        }
        return {};
    }

    QList<TableRow> rows(const QStringList& f, const ImportContext&) const override {
        return {{QStringLiteral("TMPF582COLDET"),
                 {{QStringLiteral("cod_contrato"), f[Correlative]},
                  {QStringLiteral("tipo_doc"), fields::withoutLeadingZeros(f[DocType]).toInt()},
                  {QStringLiteral("nro_doc"), f[Number]}},
                 {{QStringLiteral("des_razon"), f[Name]},
                  {QStringLiteral("por_participacion"), f[Share].toDouble()},
                  {QStringLiteral("tipo"), f[Role]}}},
                {QStringLiteral("TMPF582COLCAB"),
                 {{QStringLiteral("cod_contrato"), f[Correlative]}},
                 {{QStringLiteral("des_contrato"), f[Description]}}}};
    }

    QString identity(const QStringList& f) const override {
        return (f[Correlative] + QLatin1Char(' ') + f[Description].left(20) + QLatin1Char(' ') + f[DocType] +
                QLatin1Char(' ') + f[Number])
            .leftJustified(52);
    }

private:
    static store::SqlFilter contractFilter(const QStringList& f, const ImportContext& context) {
        store::SqlFilter filter = context.key.filter();
        filter.andEquals(QStringLiteral("cod_contrato"), f[Correlative]);
        return filter;
    }
};

// Rentals: the landlord's document, the amount, the good and, for real estate, its address.
class RentalRules : public RecordRules {
    enum Field { DocType, Number, Amount, Kind, Good, Identification, Ubigeo };
    // The row's values in the order rows() gives them; the address follows the first four.
    enum Value {
        KindValue,
        GoodValue,
        IdentificationValue,
        AmountValue,
        UbigeoValue,
        RoadValue = UbigeoValue + 4,
        StreetNumberValue = UbigeoValue + 5
    };
    static constexpr int kAddressFields = 12;

public:
    void begin(const ImportContext& context) override { m_goods = RentalGoods::load(context.db, context.key); }

    QString check(QStringList& f, const ImportContext& context) override {
        if (QString failure = fields::document(f[DocType], f[Number], context); !failure.isEmpty()) {
            return failure;
        }
        if (!fields::wholeNumber(f[Amount])) {
            return QStringLiteral("El monto del alquiler debe ser un numero entero.");
        }
        if (!fields::amountFits(f[Amount])) {
            return fields::tooManyDigits(QStringLiteral("El monto del alquiler"));
        }
        if (f[Amount].toLongLong() <= 0) {
            return QStringLiteral("El monto del alquiler debe ser mayor a 0."); // as the rentals window says
        }
        static const QStringList kinds{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")};
        if (!kinds.contains(f[Kind])) {
            return QStringLiteral("El tipo de bien debe ser 1, 2 o 3.");
        }
        return realEstate(f) ? checkRealEstate(f, context) : checkMovable(f);
    }

    QList<TableRow> rows(const QStringList& f, const ImportContext& context) const override {
        static const QStringList address{
            QStringLiteral("cod_ubigeo"),   QStringLiteral("tip_zona"), QStringLiteral("des_zona"),
            QStringLiteral("tip_via"),      QStringLiteral("des_via"),  QStringLiteral("numero"),
            QStringLiteral("kilometro"),    QStringLiteral("manzana"),  QStringLiteral("interior"),
            QStringLiteral("departamento"), QStringLiteral("lote"),     QStringLiteral("referencia")};
        ColumnValues values;
        values.reserve(4 + address.size());
        values.append({{QStringLiteral("tip_bien"), f[Kind]},
                       {QStringLiteral("des_bien"), f[Good]},
                       {QStringLiteral("des_identificacion"), f[Identification]},
                       {QStringLiteral("mto_alquiler"), f[Amount]}});
        for (int i = 0; i < address.size(); ++i) {
            values.append({address.at(i), f.at(Ubigeo + i)});
        }
        const int docType = fields::withoutLeadingZeros(f[DocType]).toInt();
        return {{QStringLiteral("TMPF582ALQUILER"),
                 {{QStringLiteral("tipo_doc"), docType},
                  {QStringLiteral("nro_doc"), f[Number]},
                  {QStringLiteral("correl_pred"), correlative(f, docType, context)}},
                 values}};
    }

    QString identity(const QStringList& f) const override {
        return f[DocType].leftJustified(15) + f[Number].leftJustified(20);
    }

    std::optional<bool> holds(const TableRow& row) const override {
        if (!m_goods) {
            return std::nullopt;
        }
        return m_goods->holds(landlordOf(row), row.key.at(2).second.toLongLong());
    }

    void written(const TableRow& row, bool replaced) override {
        if (!m_goods) {
            return;
        }
        const qint64 correlative = row.key.at(2).second.toLongLong();
        if (replaced) {
            m_goods->replaced(landlordOf(row), correlative, goodOf(row));
        } else {
            m_goods->added(landlordOf(row), correlative, goodOf(row));
        }
    }

private:
    // A null text is bound as NULL.
    static std::optional<QString> nullable(const QString& text) {
        return text.isNull() ? std::nullopt : std::optional<QString>(text);
    }

    static RentalGoods::Landlord landlordOf(const TableRow& row) {
        return {row.key.at(0).second.toLongLong(), row.key.at(1).second.toString()};
    }

    // The good as the table holds it once the row is written.
    static RentalGoods::Good goodOf(const TableRow& row) {
        const auto text = [&row](int value) { return row.values.at(value).second.toString(); };
        return {nullable(text(KindValue)), text(IdentificationValue), text(UbigeoValue), text(RoadValue),
                text(StreetNumberValue)};
    }

    static bool realEstate(const QStringList& f) { return f[Kind] == QStringLiteral("2"); }

    static bool hasAddress(const QStringList& f) {
        for (int i = 0; i < kAddressFields; ++i) {
            if (!f.at(Ubigeo + i).isEmpty()) {
                return true;
            }
        }
        return false;
    }

    static QString checkMovable(const QStringList& f) {
        const bool vehicleKind = f[Kind] == QStringLiteral("1");
        static const QStringList fourGoods{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                                           QStringLiteral("4")};
        if (vehicleKind && !fourGoods.contains(f[Good])) {
            return QStringLiteral("La descripción del bien debe ser 1, 2, 3 o 4.");
        }
        if (!vehicleKind && f[Good] != QStringLiteral("1") && f[Good] != QStringLiteral("2")) {
            return QStringLiteral("La descripción del bien debe ser 1 o 2 .");
        }
        const qsizetype length = f[Identification].size();
        if (vehicleKind && f[Good] == QStringLiteral("1") && length > 7) {
            return QStringLiteral("El número de placa no puede ser de más de 7 caracteres.");
        }
        if (vehicleKind && f[Good] == QStringLiteral("2") && length > 10) {
            return QStringLiteral(
                "El número de matrícula de las naves o aeronaves no puede ser de más de 10 caracteres.");
        }
        if (vehicleKind && length > 25) {
            return QStringLiteral("Para otros la identificación no puede ser de más de 25 caracteres.");
        }
        if (!vehicleKind && f[Good] == QStringLiteral("1") && length > 50) {
            return QStringLiteral(
                "El número de Partida Registral de la concesión minera no puede ser de más de 50 caracteres.");
        }
        if (!vehicleKind && length > 50) {
            return QStringLiteral("La descripción no puede ser de más de 50 caracteres.");
        }
        if (hasAddress(f)) {
            return QStringLiteral("Solo para Predios se debe ingresar datos de la direccion");
        }
        return {};
    }

    static QString checkRealEstate(const QStringList& f, const ImportContext& context) {
        enum Address { Code, ZoneType, Zone, RoadType, Road, StreetNumber, Km, Block, Interior, Flat, Lot };
        auto at = [&f](int field) { return f.at(Ubigeo + field); };
        if (!f[Good].isEmpty()) {
            return QStringLiteral("Para predios no se debe ingresar datos en el  campo 'Bien'");
        }
        if (!f[Identification].isEmpty()) {
            return QStringLiteral("Para predios no se debe ingresar este campo.");
        }
        if (at(Code).size() != 6 || context.districtName(at(Code)).isEmpty()) {
            return QStringLiteral("El código de ubigeo no es válido del predio.");
        }
        static const QRegularExpression shortCode(QStringLiteral("^\\d{0,2}$"));
        if (!shortCode.match(at(RoadType)).hasMatch()) {
            return QStringLiteral("El tipo de vía no es válido");
        }
        if (!shortCode.match(at(ZoneType)).hasMatch()) {
            return QStringLiteral("El tipo de zona no es válido");
        }
        if (at(Zone).isEmpty() && at(Road).isEmpty()) {
            return QStringLiteral("Debe ingresar la zona y/o  la vía.");
        }
        if (at(StreetNumber).isEmpty() && at(Km).isEmpty() && at(Block).isEmpty()) {
            return QStringLiteral("Obligatoriamente se debe consignar información al menos en una de las casillas "
                                  "correspondientes a número o  kilómetro o manzana");
        }
        if (!at(StreetNumber).isEmpty() && at(StreetNumber).toDouble() == 0 &&
            fields::decimalNumber(at(StreetNumber))) {
            return QStringLiteral("Debe ingresar número distinto de 0");
        }
        for (const auto& [field, message] :
             {std::pair{StreetNumber, QStringLiteral("El número de la dirección no es válido")},
              std::pair{Block, QStringLiteral("La manzana no es válida")},
              std::pair{Interior, QStringLiteral("El interior no es válido")},
              std::pair{Flat, QStringLiteral("El Dpto. no es válido")},
              std::pair{Lot, QStringLiteral("El lote no es válido")},
              std::pair{Km, QStringLiteral("El Km. no es válido")}}) {
            if (at(field).size() > 5) {
                return message;
            }
        }
        return {};
    }

    // The same good of the same landlord keeps its number; another one takes the next.
    qint64 correlative(const QStringList& f, int docType, const ImportContext& context) const {
        if (m_goods) {
            const RentalGoods::Landlord landlord{docType, f[Number]};
            const RentalGoods::Good good{nullable(f[Kind]), f[Identification], f.at(Ubigeo), f.at(Ubigeo + 4),
                                         f.at(Ubigeo + 5)};
            return m_goods->sameGood(landlord, good).value_or(m_goods->next(landlord));
        }
        return correlativeFromTable(f, docType, context);
    }

    // The same look-up in the table, for a declaration whose rentals hold values the goods in
    // memory would not compare as the table does. The statements are the same for every record
    // (the key's filter has only placeholders).
    static int correlativeFromTable(const QStringList& f, int docType, const ImportContext& context) {
        static const QString sameLandlord =
            store::DeclarationKey{}.filter().text + QStringLiteral(" AND tipo_doc=? AND nro_doc=?");
        static const QString sameGood =
            QStringLiteral("SELECT correl_pred FROM TMPF582ALQUILER") + sameLandlord +
            QStringLiteral(
                " AND tip_bien IS ? AND coalesce(des_identificacion,'') = ? AND coalesce(cod_ubigeo,'') = ? AND "
                "coalesce(des_via,'') = ? AND coalesce(numero,'') = ?");
        static const QString next =
            QStringLiteral("SELECT coalesce(max(correl_pred),0)+1 FROM TMPF582ALQUILER") + sameLandlord;
        const QVariantList landlord{context.key.ruc, context.key.periodo, context.key.formulario, docType, f[Number]};
        const QVariant existing =
            context.scalar(sameGood, landlord + QVariantList{f[Kind], f[Identification], f.at(Ubigeo), f.at(Ubigeo + 4),
                                                             f.at(Ubigeo + 5)});
        if (existing.isValid() && !existing.isNull()) {
            return existing.toInt();
        }
        return context.scalar(next, landlord).toInt();
    }

    std::optional<RentalGoods> m_goods; // nothing when the table must be asked
};

} // namespace

std::unique_ptr<RecordRules> contractRules() {
    return std::make_unique<ContractRules>();
}

std::unique_ptr<RecordRules> rentalRules() {
    return std::make_unique<RentalRules>();
}

} // namespace qel::imports
