#pragma once

#include "annexes/CasillaAssistantModel.h"
#include "app/ui/FormResult.h"

#include <QDialog>
#include <QHash>

class QLineEdit;

namespace qel::annexes {

// The window of any casilla assistant of the AssistantCatalog: one frame per group of boxes,
// laid out in the def's columns; computed boxes are locked with the button-face colour.
// "&Grabar" checks and stores through the model and closes with the casilla's value;
// "&Salir" closes leaving the working rows as they were.
class CasillaAssistantWindow : public QDialog, public app::ui::FormResult {
    Q_OBJECT
public:
    CasillaAssistantWindow(std::unique_ptr<CasillaAssistantModel> model, QWidget* parent = nullptr);
    ~CasillaAssistantWindow() override;

    QString resultText() const override { return m_model->result(); }
    CasillaAssistantModel& model() { return *m_model; }
    // The box of a field: "txtCasilla511", or "txtMes01" for a monthly row.
    static QString boxName(const AssistantField& field);
    QLineEdit* box(int id) const { return m_boxes.value(id); }

    void grabar();

private:
    void build();
    void showValues(int except = 0);

    std::unique_ptr<CasillaAssistantModel> m_model;
    QHash<int, QLineEdit*> m_boxes;
};

} // namespace qel::annexes
