#pragma once

#include <QList>
#include <QMap>
#include <QString>

namespace qel::store {

// One field of a packed PARAM.Funcion text, by 1-based position.
struct ParamField {
    QString name; // the column of the data file that fills it ("argumento" repeats the key)
    int start = 1;
    int length = 0;
    bool rightAligned = false;
};

// The fixed-position layout of the Funcion texts of one PARAM list (one Numero).
struct ParamLayout {
    QString numero;
    QString title;           // what the list holds
    QString argumentPattern; // regular expression that every Argumento of the list matches
    int width = 0;           // every Funcion of the list is exactly this long
    QList<ParamField> fields;
    QString file; // data file under :/data/param/; empty for the lists built by the loader

    const ParamField* field(const QString& name) const;
    // A Funcion from its field values, blank where a field has no value. An unknown field
    // or a value longer than its field throws std::invalid_argument.
    QString compose(const QMap<QString, QString>& values) const;
    // One field cut from a Funcion, trimmed.
    QString cut(const QString& funcion, const QString& name) const;
};

// The catalogue of every PARAM list the module reads, shared by the loader and the lookups.
class ParamLayouts {
public:
    static const ParamLayouts& instance();

    const QList<ParamLayout>& layouts() const { return m_layouts; }
    const ParamLayout* find(const QString& numero) const;
    // An unknown list is a programming error (std::out_of_range).
    const ParamLayout& layout(const QString& numero) const;

private:
    ParamLayouts();
    QList<ParamLayout> m_layouts;
};

// The Numero of each list.
namespace param_list {
inline const QString kDistrict = QStringLiteral("001");
inline const QString kBank = QStringLiteral("004");
inline const QString kDepartment = QStringLiteral("030");
inline const QString kProvince = QStringLiteral("031");
inline const QString kDocumentType = QStringLiteral("044");
inline const QString kStreetType = QStringLiteral("058");
inline const QString kZoneType = QStringLiteral("059");
inline const QString kCasillaWriter = QStringLiteral("140");
inline const QString kUit = QStringLiteral("404");
inline const QString kNonTaxableBasis = QStringLiteral("832");
inline const QString kReorganisation = QStringLiteral("835");
inline const QString kPartnerType = QStringLiteral("841");
inline const QString kNonDomiciledService = QStringLiteral("842");
inline const QString kTaxBenefit = QStringLiteral("847");
inline const QString kPrintedDocumentType = QStringLiteral("848");
inline const QString kVersion = QStringLiteral("856");
inline const QString kExemptionBasis = QStringLiteral("861");
inline const QString kDonationModality = QStringLiteral("862");
inline const QString kDonationType = QStringLiteral("863");
inline const QString kVehicleCategory = QStringLiteral("967");
inline const QString kPriceIndex = QStringLiteral("975");
inline const QString kCountry = QStringLiteral("976");
inline const QString kMinimumWage = QStringLiteral("982");
inline const QString kRelatedPartyOperation = QStringLiteral("998");
} // namespace param_list

// Positions of the document type rows ('044'), 130 characters.
namespace doc_type_layout {
constexpr int kWidth = 130;
constexpr int kLongName = 1;
constexpr int kLongNameLength = 30;
constexpr int kShortName = 32;
constexpr int kShortNameLength = 11;
constexpr int kLenDoc = 46; // two digits
constexpr int kFlags = 49;  // six flags
constexpr int kOrder = 56;  // display order, two digits
// One flag per context from here to kLastContext: "1" = the type may be chosen there.
// 59-82 are the contexts shared with the launcher's other modules, 83-125 this module's.
constexpr int kFirstContext = 59;
constexpr int kSharedContextCount = 24;
constexpr int kFirstModuleContext = 83;
constexpr int kLastContext = 125;
constexpr int kFlag126 = 126;
constexpr int kDataType = 128;   // "5" digits only, "1" letters and digits
constexpr int kLengthType = 130; // "1" exactly LenDoc characters, "0" at most LenDoc

// The RUC row as the launcher installs it; used when the stored row cannot be read.
// Note its length type "0": only a stored row with "1" adds the eleven-digit condition to
// the taxpayer list.
const QString& rucFallbackFunction();
} // namespace doc_type_layout

// The windows of this module that offer a document type list, by their flag position in the
// '044' rows. The positions 99-125 are free.
namespace doc_type_context {
constexpr int kDonations = 83;              // donee of a donation
constexpr int kShrinkage = 84;              // author of the technical report on shrinkage
constexpr int kWaste = 85;                  // witness of a destruction of goods
constexpr int kRoyalties = 86;              // beneficiary of royalties
constexpr int kFinancialOperations = 87;    // administrator or administered of financial operations
constexpr int kObsolescence = 88;           // author of the technical report on disuse
constexpr int kRentals = 89;                // lessor
constexpr int kCollaboration = 90;          // participant of a collaboration contract
constexpr int kRepresentationExpenses = 91; // supplier of representation expenses
constexpr int kNonDomiciled = 92;           // non-domiciled provider
constexpr int kCounterpartBalances = 93;    // counterpart of a statement balance (offers 99)
constexpr int kTrust = 94;                  // parties of a trust
constexpr int kLegalRepresentative = 95;
constexpr int kAccountant = 96;
constexpr int kPartners = 97;
constexpr int kRelatedParties = 98; // related party of a transfer-pricing operation
} // namespace doc_type_context

} // namespace qel::store
