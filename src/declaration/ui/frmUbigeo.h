#pragma once

#include "app/ui/FormResult.h"
#include "declaration/model/UbigeoModel.h"

#include <QDialog>
#include <QString>
#include <memory>

class QTreeWidget;

namespace qel::declaration {

// The ubigeo picker of an Amazonía domicile, a thin view over UbigeoModel: the departments,
// provinces and districts of one zone as a tree. Confirming a district closes the window with
// its six-digit code as the result; anything else is refused with a message.
class frmUbigeo : public QDialog, public app::ui::FormResult {
    Q_OBJECT
public:
    explicit frmUbigeo(std::unique_ptr<UbigeoModel> model, QWidget* parent = nullptr);
    // zone "1" or "2"; current: the ubigeo already chosen, selected when the window opens.
    frmUbigeo(store::Database& db, app::Prompter& prompter, const QString& zone, const QString& current = {},
              QWidget* parent = nullptr);

    QString resultText() const override { return m_model->result(); }
    UbigeoModel& model() { return *m_model; }

    QTreeWidget* tree() const { return m_tree; }
    // Selects the item of a code (a department, a province or a district); false when absent.
    bool selectCode(const QString& code);
    // "&Aceptar": the selected district, or the message.
    void aceptar();

private:
    void fill();
    void showCurrent();

    std::unique_ptr<UbigeoModel> m_model;
    QTreeWidget* m_tree = nullptr;
};

} // namespace qel::declaration
