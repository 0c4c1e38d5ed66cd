#include "printing/ui/FrmTipPrnR.h"

#include "printing/ui/frmPreview.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace qel::printing {

FrmTipPrnR::FrmTipPrnR(PrintTypeModel::Context context, QWidget* parent)
    : FrmTipPrnR(
          [&context] {
              auto model = std::make_unique<PrintTypeModel>(std::move(context), PrintTypeModel::PreviewOpener());
              model->load();
              return model;
          }(),
          parent) {}

FrmTipPrnR::FrmTipPrnR(std::unique_ptr<PrintTypeModel> model, QWidget* parent)
    : QDialog(parent), m_model(std::move(model)) {
    // The preview opens over this window, offering the PDF under the declaration's name.
    m_model->setPreviewOpener([this](const QString& path) {
        frmPreview preview(path, m_model->prompter(), this);
        preview.setPdfName(m_model->pdfName());
        if (preview.isOpen()) {
            preview.exec();
        }
    });
    setObjectName(PrintTypeModel::kWindowName);
    setWindowTitle(m_model->caption());
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(QStringLiteral("Seleccione la Declaración que desea imprimir :"), this);
    label->setObjectName(QStringLiteral("lblTitulo"));
    layout->addWidget(label);
    m_grid = new QTableWidget(this);
    m_grid->setObjectName(PrintTypeModel::kGrid);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->verticalHeader()->hide();
    m_grid->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(m_grid, 1);
    m_annexes = new QCheckBox(QStringLiteral("Imprimir con Anexos y Asistentes"), this);
    m_annexes->setObjectName(QStringLiteral("ChkAnexo"));
    layout->addWidget(m_annexes);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* printButton = new QPushButton(QStringLiteral("&Imprimir"), this);
    printButton->setObjectName(QStringLiteral("cmdImprimir"));
    printButton->setDefault(true);
    auto* leave = new QPushButton(QStringLiteral("&Salir"), this);
    leave->setObjectName(QStringLiteral("cmdSalir"));
    buttons->addWidget(printButton);
    buttons->addWidget(leave);
    layout->addLayout(buttons);

    connect(m_grid, &QTableWidget::currentCellChanged, this, [this](int row) { m_model->select(row); });
    connect(m_grid, &QTableWidget::cellDoubleClicked, this, [this] { FrmTipPrnR::print(); });
    connect(m_annexes, &QCheckBox::toggled, this, [this](bool on) { m_model->setWithAnnexes(on); });
    connect(printButton, &QPushButton::clicked, this, [this] { FrmTipPrnR::print(); });
    connect(leave, &QPushButton::clicked, this, &QDialog::reject);

    fillGrid();
    resize(760, 380);
}

void FrmTipPrnR::fillGrid() {
    const QStringList captions = m_model->columnCaptions();
    m_grid->clear();
    m_grid->setColumnCount(static_cast<int>(captions.size()));
    m_grid->setHorizontalHeaderLabels(captions);
    m_grid->setRowCount(static_cast<int>(m_model->rows().size()));
    for (int row = 0; row < m_model->rows().size(); ++row) {
        const QStringList cells = m_model->cells(row);
        for (int column = 0; column < cells.size(); ++column) {
            m_grid->setItem(row, column, new QTableWidgetItem(cells.at(column)));
        }
    }
    m_grid->resizeColumnsToContents();
    if (m_model->current() >= 0) {
        m_grid->selectRow(m_model->current());
    }
}

void FrmTipPrnR::setWithAnnexes(bool with) {
    m_annexes->setChecked(with);
    m_model->setWithAnnexes(with);
}

std::optional<PrintTypeModel::Printed> FrmTipPrnR::print() {
    return m_model->print();
}

} // namespace qel::printing
