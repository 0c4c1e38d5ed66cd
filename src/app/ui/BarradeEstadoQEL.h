#pragma once

#include "app/StatusDisplay.h"

#include <QFrame>
#include <QString>

class QLabel;

namespace qel::app::ui {

// The status bar of the main window: the taxpayer (RUC and name), the period and the form
// code the module works on.
class BarradeEstadoQEL : public QFrame, public StatusDisplay {
    Q_OBJECT
    Q_PROPERTY(int esruc READ esruc WRITE setEsruc)
    Q_PROPERTY(QString numdoc READ numdoc WRITE setNumdoc)
    Q_PROPERTY(QString razonsocial READ razonsocial WRITE setRazonsocial)
    Q_PROPERTY(QString periodo_ejercicio READ periodo_ejercicio WRITE setPeriodo_ejercicio)
    Q_PROPERTY(QString formulario READ formulario WRITE setFormulario)
    Q_PROPERTY(QString semana READ semana WRITE setSemana)

public:
    explicit BarradeEstadoQEL(QWidget* parent = nullptr);

    int esruc() const { return m_esruc; }
    QString numdoc() const { return m_numdoc; }
    QString razonsocial() const { return m_razonsocial; }
    QString periodo_ejercicio() const { return m_periodo; }
    QString formulario() const { return m_formulario; }
    QString semana() const { return m_semana; }

    void setEsruc(int value);
    void setNumdoc(const QString& value);
    void setRazonsocial(const QString& value);
    void setPeriodo_ejercicio(const QString& value);
    void setFormulario(const QString& value);
    void setSemana(const QString& value);

    // ShowStatus of the module.
    void showStatus(const QString& ruc, const QString& name, const QString& periodo,
                    const QString& formulario) override;
    void clearName() override;

private:
    QLabel* addField(const QString& caption, int minimumWidth, int stretch);

    int m_esruc = 1;
    QString m_numdoc;
    QString m_razonsocial;
    QString m_periodo;
    QString m_formulario;
    QString m_semana;
    QLabel* m_docCaption = nullptr;
    QLabel* m_docValue = nullptr;
    QLabel* m_nameValue = nullptr;
    QLabel* m_periodValue = nullptr;
    QLabel* m_formValue = nullptr;
};

} // namespace qel::app::ui
