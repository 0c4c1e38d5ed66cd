#include "printing/ui/frmImpxPag.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace qel::printing {

frmImpxPag::frmImpxPag(int totalPages, app::Prompter& prompter, QWidget* parent)
    : frmImpxPag(std::make_unique<PageRangeModel>(totalPages, prompter), parent) {}

frmImpxPag::frmImpxPag(std::unique_ptr<PageRangeModel> model, QWidget* parent)
    : QDialog(parent), m_model(std::move(model)) {
    setObjectName(m_model->windowName());
    setWindowTitle(PageRange::kTitle);
    auto* grid = new QGridLayout(this);
    m_from = new QLineEdit(this);
    m_from->setObjectName(QStringLiteral("txtDesde"));
    m_to = new QLineEdit(this);
    m_to->setObjectName(QStringLiteral("txtHasta"));
    for (QLineEdit* box : {m_from, m_to}) {
        box->setValidator(new QIntValidator(0, 99999, box));
        box->setMaxLength(5);
    }
    connect(m_from, &QLineEdit::textChanged, this, [this](const QString& text) { m_model->setFrom(text); });
    connect(m_to, &QLineEdit::textChanged, this, [this](const QString& text) { m_model->setTo(text); });
    auto* total = new QLabel(QString::number(m_model->total()), this);
    total->setObjectName(QStringLiteral("lblTotal"));
    grid->addWidget(new QLabel(QStringLiteral("Desde la página :"), this), 0, 0);
    grid->addWidget(m_from, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Hasta la página :"), this), 1, 0);
    grid->addWidget(m_to, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Total de páginas :"), this), 2, 0);
    grid->addWidget(total, 2, 1);

    auto* buttons = new QHBoxLayout;
    const auto button = [this, buttons](const QString& name, const QString& caption) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        buttons->addWidget(b);
        return b;
    };
    QPushButton* print = button(QStringLiteral("cmdImprimir"), QStringLiteral("&Imprimir"));
    QPushButton* pdf = button(QStringLiteral("cmdPdf"), QStringLiteral("Guardar como &PDF"));
    QPushButton* cancel = button(QStringLiteral("cmdCancelar"), QStringLiteral("&Cancelar"));
    print->setDefault(true);
    grid->addLayout(buttons, 3, 0, 1, 2);
    connect(print, &QPushButton::clicked, this, [this] { accept(Action::Print); });
    connect(pdf, &QPushButton::clicked, this, [this] { accept(Action::Pdf); });
    connect(cancel, &QPushButton::clicked, this, [this] {
        m_model->cancel();
        reject();
    });
}

void frmImpxPag::setPages(const QString& from, const QString& to) {
    m_from->setText(from);
    m_to->setText(to);
}

bool frmImpxPag::accept(Action action) {
    if (!m_model->accept(action == Action::Pdf)) {
        return false;
    }
    m_range = m_model->chosen()->range;
    m_action = action;
    QDialog::accept();
    return true;
}

} // namespace qel::printing
