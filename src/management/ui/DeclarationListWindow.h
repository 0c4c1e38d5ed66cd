#pragma once

#include "management/DeclarationListModel.h"

#include <QDialog>
#include <memory>

namespace Ui {
class FrmContAbrir;
class FrmContAbrirEnv;
} // namespace Ui

class QGroupBox;
class QLabel;
class QPushButton;
class QStandardItemModel;
class QTableView;

namespace qel::management::ui {

// The list windows FrmContAbrir and FrmContAbrirEnv, a thin view over DeclarationListModel:
// the label, the grid of declarations (or sent versions) and the buttons CmdOpciones. It
// reloads its model every time it is activated, so that it shows what the declaration form
// saved, and sizes the key columns to their whole text.
class DeclarationListWindow : public QDialog {
    Q_OBJECT

public:
    explicit DeclarationListWindow(std::unique_ptr<DeclarationListModel> model, QWidget* parent = nullptr);
    ~DeclarationListWindow() override;

    DeclarationListModel& model() { return *m_model; }
    QTableView* grid() const { return m_grid; }
    QPushButton* button(int index) const;

    // The list read again, the grid and its selection redrawn.
    void reload();
    // CmdOpciones(index), as the buttons and a double click on the grid run it.
    void CmdOpciones(int index);

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void reject() override;

private:
    void fillGrid();
    void keepKeyColumnsWhole();
    void selectRow(int row);

    std::unique_ptr<DeclarationListModel> m_model;
    std::unique_ptr<Ui::FrmContAbrir> m_storedUi;
    std::unique_ptr<Ui::FrmContAbrirEnv> m_sentUi;
    QStandardItemModel* m_rows;
    QLabel* m_label = nullptr;
    QTableView* m_grid = nullptr;
    QList<QPushButton*> m_buttons;
    bool m_filling = false;
};

} // namespace qel::management::ui
