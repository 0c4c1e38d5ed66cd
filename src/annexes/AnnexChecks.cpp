#include "annexes/AnnexChecks.h"

#include "annexes/AnnexDetailModel.h"
#include "annexes/checks/AssistantListChecks.h"
#include "annexes/checks/CounterpartBalanceChecks.h"
#include "annexes/checks/CreditChecks.h"
#include "annexes/checks/DonationChecks.h"
#include "annexes/checks/ExtraordinaryLossChecks.h"
#include "annexes/checks/FinancialOperationChecks.h"
#include "annexes/checks/ForeignCreditChecks.h"
#include "annexes/checks/InternationalIncomeChecks.h"
#include "annexes/checks/LossChecks.h"
#include "annexes/checks/LotChecks.h"
#include "annexes/checks/LotLineChecks.h"
#include "annexes/checks/NonDomiciledChecks.h"
#include "annexes/checks/ParticipantChecks.h"
#include "annexes/checks/PartnerChecks.h"
#include "annexes/checks/RentalChecks.h"
#include "annexes/checks/ReorganisationChecks.h"
#include "annexes/checks/SubstitutedVehicleChecks.h"
#include "annexes/checks/VehicleChecks.h"
#include "annexes/checks/WastageChecks.h"

#include <QHash>
#include <functional>

namespace qel::annexes {

std::unique_ptr<AnnexChecks> AnnexChecks::forWindow(const QString& window) {
    using Factory = std::function<std::unique_ptr<AnnexChecks>()>;
    static const QHash<QString, Factory> factories = {
        {QStringLiteral("frmdetallesocios"), [] { return std::make_unique<PartnerChecks>(); }},
        {QStringLiteral("frmdetallemermas"), [] { return std::make_unique<LossChecks>(); }},
        {QStringLiteral("frmdetalledesmedros"), [] { return std::make_unique<WastageChecks>(); }},
        {QStringLiteral("frmperdidasextraord"), [] { return std::make_unique<ExtraordinaryLossChecks>(); }},
        {QStringLiteral("frmoperacfinancieras"), [] { return std::make_unique<FinancialOperationChecks>(); }},
        {QStringLiteral("frmdetallealquileres"), [] { return std::make_unique<RentalChecks>(); }},
        {QStringLiteral("frmdetallehidrocarburos"), [] { return std::make_unique<LotChecks>(); }},
        {QStringLiteral("frmdetallemineras"), [] { return std::make_unique<LotChecks>(); }},
        {QStringLiteral("detadicionesmh"), [] { return std::make_unique<LotLineChecks>(); }},
        {QStringLiteral("detdeduccionesmh"), [] { return std::make_unique<LotLineChecks>(); }},
        {QStringLiteral("frmdetvehiculos"), [] { return std::make_unique<VehicleChecks>(); }},
        {QStringLiteral("frmdetvehiculossus"), [] { return std::make_unique<SubstitutedVehicleChecks>(); }},
        {QStringLiteral("frmnodomic"), [] { return std::make_unique<NonDomiciledChecks>(); }},
        {QStringLiteral("frmrentainternacional"), [] { return std::make_unique<InternationalIncomeChecks>(); }},
        {QStringLiteral("frmcolabempresarial"), [] { return std::make_unique<ParticipantChecks>(); }},
        {QStringLiteral("frmdetalledonaciones"), [] { return std::make_unique<DonationChecks>(); }},
        {QStringLiteral("frmdetallefuenteext"), [] { return std::make_unique<ForeignCreditChecks>(); }},
        {QStringLiteral("frmdetallecredreinversing"), [] { return std::make_unique<CreditChecks>(); }},
        {QStringLiteral("frmdetempresasreorg"), [] { return std::make_unique<ReorganisationChecks>(); }},
        {QStringLiteral("frmasiscasillasefing"), [] { return std::make_unique<CounterpartBalanceChecks>(); }},
        {QStringLiteral("frmadicdeducotros"), [] { return std::make_unique<AdjustmentChecks>(); }},
        {QStringLiteral("frmgastosnodomdet"), [] { return std::make_unique<WithheldExpenseChecks>(); }},
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
