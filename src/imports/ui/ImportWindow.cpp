#include "imports/ui/ImportWindow.h"

#include "app/ui/ReadOnlyBox.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>

namespace qel::imports::ui {

namespace {

QPushButton* button(const QString& name, const QString& caption, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

} // namespace

ImportWindow::ImportWindow(std::unique_ptr<ImportModel> model, QWidget* parent)
    : QDialog(parent), m_model(std::move(model)) {
    setObjectName(m_model->windowName());
    setWindowTitle(m_model->caption());
    auto* layout = new QGridLayout(this);

    layout->addWidget(new QLabel(QStringLiteral("Carpeta:"), this), 0, 0);
    m_folder = new QLineEdit(this);
    m_folder->setObjectName(ImportModel::kFolderBox);
    app::ui::showAsReadOnly(m_folder);
    layout->addWidget(m_folder, 0, 1);
    QPushButton* chooseFolder = button(QStringLiteral("cmdCarpeta"), QStringLiteral("&Carpeta..."), this);
    layout->addWidget(chooseFolder, 0, 2);

    layout->addWidget(new QLabel(QStringLiteral("Archivos:"), this), 1, 0, Qt::AlignTop);
    m_files = new QListWidget(this);
    m_files->setObjectName(ImportModel::kFiles);
    m_files->setMaximumHeight(60);
    layout->addWidget(m_files, 1, 1, 1, 2);

    m_preview = new QTableWidget(0, 4, this);
    m_preview->setObjectName(ImportModel::kPreview);
    m_preview->setHorizontalHeaderLabels(
        {QStringLiteral("Línea"), QStringLiteral("Acción"), QStringLiteral("Registro"), QStringLiteral("Mensaje")});
    m_preview->horizontalHeader()->setStretchLastSection(true);
    m_preview->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_preview->verticalHeader()->hide();
    m_preview->setWordWrap(true);
    layout->addWidget(m_preview, 2, 0, 1, 3);

    auto* counters = new QHBoxLayout;
    for (const char* name : {"lblAdicionados", "lblRechazados", "lblModificados"}) {
        auto* label = new QLabel(this);
        label->setObjectName(QString::fromLatin1(name));
        counters->addWidget(label);
        m_counters.append(label);
    }
    layout->addLayout(counters, 3, 0, 1, 3);

    auto* buttons = new QHBoxLayout;
    QPushButton* transfer = button(QStringLiteral("cmdTransferir"), QStringLiteral("&Transferir"), this);
    m_accept = button(QStringLiteral("cmdAceptar"), QStringLiteral("&Aceptar"), this);
    QPushButton* cancel = button(QStringLiteral("cmdCancelar"), QStringLiteral("&Cancelar"), this);
    buttons->addStretch();
    buttons->addWidget(transfer);
    buttons->addWidget(m_accept);
    buttons->addWidget(cancel);
    layout->addLayout(buttons, 4, 0, 1, 3);

    connect(chooseFolder, &QPushButton::clicked, this, [this] { m_model->chooseFolder(); });
    connect(m_files, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row != m_model->chosenFile()) {
            m_model->chooseFile(row);
        }
    });
    connect(transfer, &QPushButton::clicked, this, [this] { m_model->transfer(); });
    connect(m_accept, &QPushButton::clicked, this, [this] { m_model->accept(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_model.get(), &ImportModel::changed, this, &ImportWindow::refresh);
    resize(760, 420);
    refresh();
}

void ImportWindow::refresh() {
    m_folder->setText(m_model->folder());
    {
        const QSignalBlocker block(m_files);
        m_files->clear();
        m_files->addItems(m_model->files());
        m_files->setCurrentRow(m_model->chosenFile());
    }
    const int rows = m_model->previewRowCount();
    m_preview->setRowCount(rows);
    for (int row = 0; row < rows; ++row) {
        const QStringList texts = m_model->previewRow(row);
        for (int column = 0; column < texts.size(); ++column) {
            m_preview->setItem(row, column, new QTableWidgetItem(texts.at(column)));
        }
    }
    for (int column = 0; column < 3; ++column) {
        m_preview->resizeColumnToContents(column);
    }
    m_preview->resizeRowsToContents();
    m_accept->setEnabled(m_model->pending().has_value());
    for (int i = 0; i < m_counters.size(); ++i) {
        m_counters.at(i)->setText(m_model->counters().value(i));
    }
}

} // namespace qel::imports::ui
