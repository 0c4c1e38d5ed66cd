#include "declaration/ui/FormHelp.h"

#include "app/HelpTopics.h"
#include "app/ui/HelpKey.h"
#include "catalogue/CasillaHelpSection.h"
#include "declaration/model/DeclarationFormModel.h"
#include "declaration/ui/Frm537.h"
#include "declaration/ui/ReportNavigator.h"

#include <QRegularExpression>

namespace qel::declaration {

namespace {

Frm537* formOf(QWidget* widget) {
    for (QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
        if (auto* form = qobject_cast<Frm537*>(w)) {
            return form;
        }
    }
    return nullptr;
}

// The casilla of a box of the form ("txtValor_113"); 0 for anything else.
int casillaOf(const QWidget* widget) {
    static const QRegularExpression box(QStringLiteral("^txtValor_(\\d+)$"));
    const QRegularExpressionMatch match = box.match(widget != nullptr ? widget->objectName() : QString());
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

QString topicAt(QWidget* widget) {
    const Frm537* form = formOf(widget);
    if (form == nullptr) {
        return {};
    }
    const int casilla = casillaOf(widget);
    return casilla > 0 ? app::HelpTopics::forCasilla(casilla) : app::HelpTopics::forPage(form->currentPageId());
}

QString casillaListAt(QWidget* widget) {
    Frm537* form = formOf(widget);
    if (form == nullptr) {
        form = ReportNavigator::openForm();
    }
    return form != nullptr ? CasillaHelpSection::html(form->model().casillaHelp) : QString();
}

} // namespace

void installFormHelp() {
    app::ui::HelpKey::setFormHelp({&topicAt, &casillaListAt});
}

} // namespace qel::declaration
