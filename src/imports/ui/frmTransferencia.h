#pragma once

#include "imports/TrialBalanceTransfer.h"

#include <QDialog>
#include <memory>

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
    // The folder is asked for through the setup's file chooser.
    explicit frmTransferencia(TrialBalanceTransfer::Setup setup, QWidget* parent = nullptr);
    explicit frmTransferencia(std::unique_ptr<TrialBalanceTransfer> model, QWidget* parent = nullptr);

    TrialBalanceTransfer& model() { return *m_model; }
    void setFolder(const QString& folder);
    void transferir();
    void refresh();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void cancelar();
    void refreshCounters();

    std::unique_ptr<TrialBalanceTransfer> m_model;
    QLineEdit* m_folder = nullptr;
    QListWidget* m_files = nullptr;
    QLabel* m_transferred = nullptr;
    QLabel* m_rejected = nullptr;
    QPushButton* m_transfer = nullptr;
};

} // namespace qel::imports
