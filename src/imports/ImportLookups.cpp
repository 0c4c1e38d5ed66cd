#include "imports/ImportLookups.h"

#include "app/UtilityComponent.h"
#include "imports/RecordRules.h"
#include "store/Database.h"
#include "store/ParamLookups.h"

namespace qel::imports {

ImportLookups::ImportLookups(store::Database& db, app::UtilityComponent& utility)
    : m_db(db), m_utility(utility), m_statements(db) {}

bool ImportLookups::checkDocumentNumber(int documentType, const QString& number) {
    auto rule = m_documentRules.constFind(documentType);
    if (rule == m_documentRules.cend()) {
        rule = m_documentRules.insert(documentType, m_utility.DocumentRuleRow(documentType));
    }
    return app::UtilityComponent::CheckDocumentNumber(documentType, number, *rule);
}

QString ImportLookups::districtName(const QString& ubigeo) {
    auto name = m_districts.constFind(ubigeo);
    if (name == m_districts.cend()) {
        name = m_districts.insert(ubigeo, store::ParamLookups(m_db).DistrictName(ubigeo));
    }
    return *name;
}

// --- The context's reads, through the lookups when the importer runs ---------------------------

QVariant ImportContext::scalar(const QString& sql, const QVariantList& values) const {
    return lookups != nullptr ? lookups->statements().scalar(sql, values) : db.scalar(sql, values);
}

bool ImportContext::checkDocumentNumber(int documentType, const QString& number) const {
    return lookups != nullptr ? lookups->checkDocumentNumber(documentType, number)
                              : utility.CheckDocumentNumber(documentType, number);
}

QString ImportContext::districtName(const QString& ubigeo) const {
    return lookups != nullptr ? lookups->districtName(ubigeo) : store::ParamLookups(db).DistrictName(ubigeo);
}

} // namespace qel::imports
