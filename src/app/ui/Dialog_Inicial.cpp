#include "app/ui/Dialog_Inicial.h"

#include "app/ui/CentreInMain.h"
#include "ui_Dialog_Inicial.h"

#include <QStyle>

namespace qel::app::ui {

Dialog_Inicial::Dialog_Inicial(const QString& caption, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::Dialog_Inicial>()) {
    m_ui->setupUi(this);
    setWindowTitle(caption);
    m_ui->imgAviso->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(40, 40));
    connect(m_ui->cmdAceptar, &QPushButton::clicked, this, &QDialog::accept);
    adjustSize();
    setFixedSize(sizeHint());
}

Dialog_Inicial::~Dialog_Inicial() = default;

QString Dialog_Inicial::messageText() const {
    return m_ui->lblMensaje->text();
}

void Dialog_Inicial::showEvent(QShowEvent* event) {
    CentreInMain(this);
    QDialog::showEvent(event);
}

} // namespace qel::app::ui
