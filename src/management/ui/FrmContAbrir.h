#pragma once

#include "management/DeclarationList.h"

#include <QDialog>
#include <memory>

namespace Ui {
class FrmContAbrir;
}

class QStandardItemModel;
class QTableView;
class QPushButton;

namespace qel::management::ui {

// The list of the stored declarations of the period, to modify or delete one ("Modificar
// Declaraciones" / "Eliminar Declaraciones"). It reloads itself every time it is activated,
// so that it shows what the declaration form saved.
class FrmContAbrir : public QDialog {
    Q_OBJECT

public:
    FrmContAbrir(DeclarationList::Context context, int operation, DeclarationList::FormOpener openForm,
                 QWidget* parent = nullptr);
    ~FrmContAbrir() override;

    DeclarationList& list() { return m_list; }
    QTableView* grid() const;
    QPushButton* button(int index) const;

    // pCargadatos: the list read again, the grid and its selection redrawn.
    void pCargadatos();
    // CmdOpciones(index): 0 runs the operation, 1 leaves.
    void CmdOpciones(int index);

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void keepColumnsWhole();
    void fillGrid();
    void selectRow(int row);

    std::unique_ptr<Ui::FrmContAbrir> m_ui;
    DeclarationList m_list;
    QStandardItemModel* m_rows;
    bool m_filling = false;
};

} // namespace qel::management::ui
