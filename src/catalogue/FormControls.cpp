#include "catalogue/FormControls.h"

namespace qel::declaration {

FormControls::FormControls() : m_controls(formControlData()) {}

const FormControls& FormControls::instance() {
    static const FormControls controls;
    return controls;
}

const ControlDef* FormControls::find(const QString& name) const {
    for (const ControlDef& c : m_controls) {
        if (c.name == name) {
            return &c;
        }
    }
    return nullptr;
}

QList<const ControlDef*> FormControls::onPage(const QString& pageId) const {
    QList<const ControlDef*> result;
    for (const ControlDef& c : m_controls) {
        if (c.page == pageId) {
            result.append(&c);
        }
    }
    return result;
}

const ControlDef* FormControls::answeredIn(int casilla) const {
    if (casilla <= 0) {
        return nullptr; // 0 marks a control that answers no casilla (CmbRuc among them)
    }
    for (const ControlDef& c : m_controls) {
        if (c.answerCasilla == casilla || c.moreCasillas.contains(casilla)) {
            return &c;
        }
        for (auto it = c.memberCasillas.cbegin(); it != c.memberCasillas.cend(); ++it) {
            if (it.value() == casilla) {
                return &c;
            }
        }
    }
    return nullptr;
}

} // namespace qel::declaration
