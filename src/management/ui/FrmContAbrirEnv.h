#pragma once

#include "management/SentDeclarationList.h"

#include <QDialog>
#include <memory>

namespace Ui {
class FrmContAbrirEnv;
}

class QStandardItemModel;
class QTableView;
class QPushButton;

namespace qel::management::ui {

// The list of the declarations sent, one row per version: to register the order number KOLVA
// gave a version, to delete a version or to recover one, and to view any of them in the
// declaration form. It reloads itself every time it is activated.
class FrmContAbrirEnv : public QDialog {
    Q_OBJECT

public:
    explicit FrmContAbrirEnv(SentDeclarationList::Context context, QWidget* parent = nullptr);
    ~FrmContAbrirEnv() override;

    SentDeclarationList& list() { return m_list; }
    QTableView* grid() const;
    QPushButton* button(int index) const;

    // The list read again, the grid and its selection redrawn; an empty list disables the grid.
    void pCargadatos();
    // CmdOpciones(index): 0 runs the operation, 1 leaves, 2 views the version.
    void CmdOpciones(int index);

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void fillGrid();
    void selectRow(int row);

    std::unique_ptr<Ui::FrmContAbrirEnv> m_ui;
    SentDeclarationList m_list;
    QStandardItemModel* m_rows;
    bool m_filling = false;
};

} // namespace qel::management::ui
