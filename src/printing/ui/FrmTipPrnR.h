#pragma once

#include "printing/PrintTypeModel.h"

#include <QDialog>
#include <memory>

class QCheckBox;
class QTableWidget;

namespace qel::printing {

// FrmTipPrnR: the declarations that can be printed, the choice with or without annexes
// (ChkAnexo) and "&Imprimir", which writes the report and opens it in frmPreview.
class FrmTipPrnR : public QDialog {
    Q_OBJECT

public:
    // The print opens frmPreview over the window, unless told otherwise (setPreviewOpener).
    explicit FrmTipPrnR(PrintTypeModel::Context context, QWidget* parent = nullptr);
    // The view of a model whose list is loaded.
    explicit FrmTipPrnR(std::unique_ptr<PrintTypeModel> model, QWidget* parent = nullptr);

    PrintTypeModel& model() { return *m_model; }
    void setWithAnnexes(bool with);
    std::optional<PrintTypeModel::Printed> print();

private:
    void fillGrid();

    std::unique_ptr<PrintTypeModel> m_model;
    QTableWidget* m_grid = nullptr;
    QCheckBox* m_annexes = nullptr;
};

} // namespace qel::printing
