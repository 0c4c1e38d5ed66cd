#include "annexes/AnnexChecks.h"

#include "annexes/AnnexDetailModel.h"
#include "annexes/checks/PartnerChecks.h"

#include <QHash>
#include <functional>

namespace qel::annexes {

std::unique_ptr<AnnexChecks> AnnexChecks::forWindow(const QString& window) {
    using Factory = std::function<std::unique_ptr<AnnexChecks>()>;
    static const QHash<QString, Factory> factories = {
        {QStringLiteral("frmdetallesocios"), [] { return std::make_unique<PartnerChecks>(); }},
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
