#include "app/ui/BarradeEstadoQEL.h"

#include <QHBoxLayout>
#include <QLabel>

namespace qel::app::ui {

BarradeEstadoQEL::BarradeEstadoQEL(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("BarradeEstadoQEL1"));
    setFrameShape(QFrame::NoFrame);
    setMouseTracking(true);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setSpacing(6);
    m_docValue = addField(QStringLiteral("RUC:"), 96, 0);
    m_docCaption = qobject_cast<QLabel*>(layout->itemAt(0)->widget()); // the caption of that first field
    m_nameValue = addField(QStringLiteral("Razón Social:"), 160, 1);
    m_periodValue = addField(QStringLiteral("Periodo:"), 44, 0);
    m_formValue = addField(QStringLiteral("Formulario:"), 44, 0);
}

QLabel* BarradeEstadoQEL::addField(const QString& caption, int minimumWidth, int stretch) {
    auto* layout = static_cast<QHBoxLayout*>(this->layout());
    const int index = layout->count() / 2;
    auto* label = new QLabel(caption, this);
    label->setObjectName(QStringLiteral("lblCaption%1").arg(index));
    label->setMouseTracking(true);
    auto* value = new QLabel(this);
    value->setObjectName(QStringLiteral("lblValue%1").arg(index));
    value->setFrameShape(QFrame::Panel);
    value->setFrameShadow(QFrame::Sunken);
    value->setMinimumWidth(minimumWidth);
    value->setTextInteractionFlags(Qt::NoTextInteraction);
    value->setMouseTracking(true);
    value->setContentsMargins(3, 0, 3, 0);
    layout->addWidget(label);
    layout->addWidget(value, stretch);
    return value;
}

void BarradeEstadoQEL::setEsruc(int value) {
    m_esruc = value;
    if (m_docCaption != nullptr) {
        m_docCaption->setText(value != 0 ? QStringLiteral("RUC:") : QStringLiteral("Documento:"));
    }
}

void BarradeEstadoQEL::setNumdoc(const QString& value) {
    m_numdoc = value;
    m_docValue->setText(value);
}

void BarradeEstadoQEL::setRazonsocial(const QString& value) {
    m_razonsocial = value;
    m_nameValue->setText(value);
    m_nameValue->setToolTip(value);
}

void BarradeEstadoQEL::setPeriodo_ejercicio(const QString& value) {
    m_periodo = value;
    m_periodValue->setText(value);
}

void BarradeEstadoQEL::setFormulario(const QString& value) {
    m_formulario = value;
    m_formValue->setText(value);
}

void BarradeEstadoQEL::setSemana(const QString& value) {
    m_semana = value;
}

void BarradeEstadoQEL::showStatus(const QString& ruc, const QString& name, const QString& periodo,
                                  const QString& formulario) {
    setEsruc(1);
    setNumdoc(ruc);
    setRazonsocial(name);
    setPeriodo_ejercicio(periodo);
    setFormulario(formulario);
}

void BarradeEstadoQEL::clearName() {
    setRazonsocial(QString());
}

} // namespace qel::app::ui
