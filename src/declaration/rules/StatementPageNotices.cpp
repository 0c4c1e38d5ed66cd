#include "declaration/rules/StatementPageNotices.h"

#include "base/NumberFormat.h"
#include "base/Prompter.h"
#include "catalogue/CasillaCatalog.h"
#include "catalogue/FormPages.h"
#include "declaration/model/DeclarationFormModel.h"

namespace qel::declaration {

const QString StatementPageNotices::kStatements =
    QStringLiteral("La información del Resumen de los EEFF deben ser formulados de acuerdo a las Normas y Principios "
                   "contables los ajustes para determinar la base tributaria deben ser consignados en las Casilla de "
                   "Adiciones y Deducciones");
const QString StatementPageNotices::kAdjustedForInflation =
    QStringLiteral("Debe ingresar la información ajustada por inflación");
const QString StatementPageNotices::kOnlyNonMonetary =
    QStringLiteral("Recuerde que sólo son materias de ajuste por inflación las partidas no monetarias. ¿Está seguro de "
                   "ajustar en esta casilla?");

namespace {

const QString kStatementsPage = QStringLiteral("eeff");

QString mainPage(const QString& pageId) {
    const PageDef* page = FormPages::mainPageOf(pageId);
    return page != nullptr ? page->id : pageId;
}

} // namespace

StatementPageNotices::StatementPageNotices(DeclarationFormModel& model)
    : m_model(model), m_mainPage(mainPage(model.currentPage)) {
    m_model.onPageSelected([this](const QString& pageId) { pageSelected(pageId); });
    QObject::connect(&m_model, &DeclarationFormModel::pageRequested, &m_model,
                     [this](const QString& pageId, const QString&) { m_mainPage = mainPage(pageId); });
    m_model.onCasillaEntered([this](int n) { casillaEntered(n); });
    m_model.onCasillaLeft([this](int n) { casillaLeft(n); });
}

bool StatementPageNotices::adjustsForInflation() const {
    const auto answered = [this](const char* option, int answer) {
        const QString name = QString::fromLatin1(option);
        return m_model.hasControl(name) && m_model.option(name) == answer;
    };
    return answered("OptConvEstab", 1) && answered("OptContMonExt", 0);
}

// Coming to the statements from another page (a check of the page left may have sent the
// user back: then nothing is said).
void StatementPageNotices::pageSelected(const QString& pageId) {
    const QString previous = m_mainPage;
    m_mainPage = mainPage(pageId);
    if (m_model.loading() || previous == kStatementsPage || m_mainPage != kStatementsPage ||
        mainPage(m_model.currentPage) != kStatementsPage) {
        return;
    }
    app::Prompter& prompter = m_model.context().prompter;
    prompter.message(kStatements, m_model.caption, app::Icon::Exclamation);
    if (adjustsForInflation()) {
        prompter.message(kAdjustedForInflation, m_model.caption, app::Icon::Exclamation);
    }
}

void StatementPageNotices::casillaEntered(int casilla) {
    m_entered = casilla;
    m_before = m_model.hasBox(casilla) ? m_model.text(casilla) : QString();
}

void StatementPageNotices::casillaLeft(int casilla) {
    if (casilla != m_entered || m_model.loading() || !adjustsForInflation()) {
        return;
    }
    m_entered = 0;
    const CasillaDef* def = m_model.casillas().find(casilla);
    if (def == nullptr || mainPage(def->page) != kStatementsPage ||
        app::readWhole(m_model.text(casilla)) == app::readWhole(m_before)) {
        return;
    }
    if (!m_model.context().prompter.askYesNo(kOnlyNonMonetary, m_model.caption, app::Button::Yes)) {
        m_model.setText(casilla, m_before);
    }
}

} // namespace qel::declaration
