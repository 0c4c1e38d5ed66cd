#include "declaration/rules/IdentificationPageCheck.h"

#include "base/Prompter.h"
#include "catalogue/FormPages.h"
#include "declaration/model/DeclarationFormModel.h"
#include "declaration/model/FieldLocator.h"
#include "declaration/rules/ConsistencyRules.h"

namespace qel::declaration {

namespace {

const QString kIdentification = QStringLiteral("ident");
const QString kFirstPage = QStringLiteral("ident.general");

QString mainPage(const QString& pageId) {
    const PageDef* page = FormPages::mainPageOf(pageId);
    return page != nullptr ? page->id : pageId;
}

} // namespace

IdentificationPageCheck::IdentificationPageCheck(DeclarationFormModel& model, const CalculationRules& calculation)
    : m_model(model), m_calculation(calculation), m_mainPage(mainPage(model.currentPage)) {
    m_model.onPageSelected([this](const QString& pageId) { pageSelected(pageId); });
    // Pages the form shows by itself (a message taking the user somewhere) count as left too.
    QObject::connect(&m_model, &DeclarationFormModel::pageRequested, &m_model,
                     [this](const QString& pageId, const QString&) { m_mainPage = mainPage(pageId); });
}

void IdentificationPageCheck::pageSelected(const QString& pageId) {
    const QString previous = m_mainPage;
    m_mainPage = mainPage(pageId);
    if (previous == kIdentification && m_mainPage != kIdentification && !m_model.loading()) {
        run();
    }
}

bool IdentificationPageCheck::run() {
    const ConsistencyRules rules(m_model, m_calculation);
    for (const ConsistencyRules::Rule& rule : ConsistencyRules::identificationRules()) {
        const QStringList failures = rules.evaluate(rule);
        if (!failures.isEmpty()) {
            // Back to the nested page that holds the question, the focus on it; a rule
            // without a place of its own goes back to the first page.
            const FieldLocation location = FieldLocator::locate(rule.control);
            if (location.isValid()) {
                m_model.showPage(location.pageId, location.focusTarget);
            } else {
                m_model.showPage(kFirstPage);
            }
            m_model.context().prompter.message(failures.first(), m_model.caption, app::Icon::Critical);
            return false;
        }
    }
    return true;
}

} // namespace qel::declaration
