#pragma once

#include "imports/TrialBalanceTransfer.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace qel::imports {

// The transfer of the trial balance from its file: the folder holding it, the file list with
// exactly the file's name, the transfer and cancel commands and the two counters. A thin view
// over TrialBalanceTransfer.
class frmTransferencia : public QDialog {
    Q_OBJECT
public:
    // chooseFolder: asks the user for a folder, starting at the one given; "" when none.
    using FolderChooser = std::function<QString(const QString& start)>;

    frmTransferencia(TrialBalanceTransfer::Setup setup, FolderChooser chooseFolder, QWidget* parent = nullptr);

    TrialBalanceTransfer& model() { return m_model; }
    void setFolder(const QString& folder);
    void transferir();
    void refresh();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void cancelar();

    TrialBalanceTransfer m_model;
    FolderChooser m_chooseFolder;
    QLineEdit* m_folder = nullptr;
    QListWidget* m_files = nullptr;
    QLabel* m_transferred = nullptr;
    QLabel* m_rejected = nullptr;
    QPushButton* m_transfer = nullptr;
};

} // namespace qel::imports
