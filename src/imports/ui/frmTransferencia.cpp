#include "imports/ui/frmTransferencia.h"

#include "app/ui/ReadOnlyBox.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace qel::imports {

frmTransferencia::frmTransferencia(TrialBalanceTransfer::Setup setup, QWidget* parent)
    : frmTransferencia(std::make_unique<TrialBalanceTransfer>(std::move(setup)), parent) {}

frmTransferencia::frmTransferencia(std::unique_ptr<TrialBalanceTransfer> model, QWidget* parent)
    : QDialog(parent), m_model(std::move(model)) {
    setObjectName(m_model->windowName());
    setWindowTitle(TrialBalanceTransfer::kCaption);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Directorio donde se encuentra el archivo a transferir :"), this));
    auto* folderRow = new QHBoxLayout;
    m_folder = new QLineEdit(this);
    m_folder->setObjectName(QStringLiteral("Dir1"));
    app::ui::showAsReadOnly(m_folder);
    folderRow->addWidget(m_folder, 1);
    auto* browse = new QPushButton(QStringLiteral("&Examinar..."), this);
    browse->setObjectName(QStringLiteral("cmdDirectorio"));
    folderRow->addWidget(browse);
    layout->addLayout(folderRow);

    layout->addWidget(new QLabel(QStringLiteral("Archivo : ") + m_model->fileName(), this));
    m_files = new QListWidget(this);
    m_files->setObjectName(QStringLiteral("File1"));
    m_files->setMaximumHeight(70);
    layout->addWidget(m_files);

    m_transferred = new QLabel(this);
    m_transferred->setObjectName(QStringLiteral("lblTransferidos"));
    m_rejected = new QLabel(this);
    m_rejected->setObjectName(QStringLiteral("lblRechazados"));
    layout->addWidget(m_transferred);
    layout->addWidget(m_rejected);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    m_transfer = new QPushButton(QStringLiteral("&Transferir"), this);
    m_transfer->setObjectName(QStringLiteral("cmdTransferir"));
    auto* cancel = new QPushButton(QStringLiteral("&Cancelar"), this);
    cancel->setObjectName(QStringLiteral("cmCancelar"));
    buttons->addWidget(m_transfer);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    connect(browse, &QPushButton::clicked, this, [this] {
        m_model->chooseFolder();
        refresh();
    });
    connect(m_transfer, &QPushButton::clicked, this, &frmTransferencia::transferir);
    connect(cancel, &QPushButton::clicked, this, &frmTransferencia::cancelar);
    m_model->beforeLine = [] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); };
    m_model->countersChanged = [this] { refreshCounters(); };
    resize(520, 280);
    refresh();
}

void frmTransferencia::setFolder(const QString& folder) {
    m_model->setFolder(folder);
    refresh();
}

void frmTransferencia::transferir() {
    m_transfer->setEnabled(false);
    m_model->transfer();
    m_transfer->setEnabled(true);
    refresh();
}

void frmTransferencia::cancelar() {
    m_model->cancel();
    refresh();
}

void frmTransferencia::refresh() {
    m_folder->setText(QDir::toNativeSeparators(m_model->folder()));
    m_files->clear();
    if (!m_model->folder().isEmpty() && QDir(m_model->folder()).exists(m_model->fileName())) {
        m_files->addItem(m_model->fileName());
        m_files->setCurrentRow(0);
    }
    refreshCounters();
    if (m_model->isClosed() && isVisible()) {
        accept();
    }
}

void frmTransferencia::refreshCounters() {
    m_transferred->setText(m_model->transferredText());
    m_rejected->setText(m_model->rejectedText());
}

void frmTransferencia::closeEvent(QCloseEvent* event) {
    m_model->cancel();
    event->accept();
}

} // namespace qel::imports
