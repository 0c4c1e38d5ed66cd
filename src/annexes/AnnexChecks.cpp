#include "annexes/AnnexChecks.h"

#include "annexes/AnnexDetailModel.h"
#include "annexes/checks/CreditChecks.h"
#include "annexes/checks/DonationChecks.h"
#include "annexes/checks/ForeignCreditChecks.h"
#include "annexes/checks/PartnerChecks.h"
#include "annexes/checks/ReorganisationChecks.h"

#include <QHash>
#include <functional>

namespace qel::annexes {

std::unique_ptr<AnnexChecks> AnnexChecks::forWindow(const QString& window) {
    using Factory = std::function<std::unique_ptr<AnnexChecks>()>;
    static const QHash<QString, Factory> factories = {
        {QStringLiteral("frmdetallesocios"), [] { return std::make_unique<PartnerChecks>(); }},
        {QStringLiteral("frmdetalledonaciones"), [] { return std::make_unique<DonationChecks>(); }},
        {QStringLiteral("frmdetallefuenteext"), [] { return std::make_unique<ForeignCreditChecks>(); }},
        {QStringLiteral("frmdetallecredreinversing"), [] { return std::make_unique<CreditChecks>(); }},
        {QStringLiteral("frmdetempresasreorg"), [] { return std::make_unique<ReorganisationChecks>(); }},
    };
    const auto found = factories.constFind(window.toLower());
    return found == factories.cend() ? std::make_unique<AnnexChecks>() : (*found)();
}

void AnnexChecks::prepare(AnnexDetailModel&) {}

void AnnexChecks::chosen(AnnexDetailModel&, const QString&) {}

std::optional<Failure> AnnexChecks::validate(AnnexDetailModel& model) {
    return model.fieldRules();
}

std::optional<Failure> AnnexChecks::crossRows(AnnexDetailModel&) {
    return std::nullopt;
}

bool AnnexChecks::confirm(AnnexDetailModel&) {
    return true;
}

QVariant AnnexChecks::stored(AnnexDetailModel&, const QString&, const QVariant& value) {
    return value;
}

void AnnexChecks::clicked(AnnexDetailModel&, const QString&) {}

} // namespace qel::annexes
