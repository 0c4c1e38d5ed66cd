#include "launcher/ui/TaxpayerDialog.h"

#include "base/Prompter.h"
#include "launcher/ui/LauncherIcons.h"
#include "store/DatabaseError.h"
#include "store/ExecuteSql.h"
#include "ui_TaxpayerDialog.h"

#include <QRegularExpressionValidator>

namespace qel::launcher {

TaxpayerDialog::TaxpayerDialog(store::Database& db, app::Prompter& prompter, const QString& user,
                               const std::optional<Taxpayer>& existing, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::TaxpayerDialog>()), m_db(db), m_prompter(prompter),
      m_existing(existing.has_value()), m_user(existing ? existing->usuario : user) {
    m_ui->setupUi(this);
    setWindowIcon(existing ? LauncherIcons::modify() : LauncherIcons::newTaxpayer());
    m_ui->txtRuc->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,11}")), m_ui->txtRuc));
    for (const auto& kind : TaxpayerRegistry::incomeKinds()) {
        m_ui->cboTipoIngreso->addItem(QStringLiteral("%1 - %2").arg(kind.code).arg(kind.description), kind.code);
    }
    m_ui->cboTipoIngreso->setCurrentIndex(m_ui->cboTipoIngreso->findData(2));
    m_ui->txtUsuario->setText(m_user);

    // Names are kept in capitals, as the taxpayer registry stores them.
    connect(m_ui->txtNombre, &QLineEdit::textEdited, this, [this](const QString& text) {
        const int cursor = m_ui->txtNombre->cursorPosition();
        m_ui->txtNombre->setText(text.toUpper());
        m_ui->txtNombre->setCursorPosition(cursor);
    });
    connect(m_ui->cmdGrabar, &QPushButton::clicked, this, [this] { save(); });
    connect(m_ui->cmdSalir, &QPushButton::clicked, this, &QDialog::reject);

    if (existing) {
        setWindowTitle(QStringLiteral("Modificar contribuyente"));
        m_ui->txtRuc->setText(existing->ruc);
        m_ui->txtRuc->setReadOnly(true);
        m_ui->txtRuc->setEnabled(false); // the RUC identifies the taxpayer: it is not changed
        m_ui->txtNombre->setText(existing->nombre);
        const int index = m_ui->cboTipoIngreso->findData(existing->tipoIngreso);
        if (index >= 0) {
            m_ui->cboTipoIngreso->setCurrentIndex(index);
        }
        m_ui->txtNombre->setFocus();
    }
}

TaxpayerDialog::~TaxpayerDialog() = default;

Taxpayer TaxpayerDialog::taxpayer() const {
    return {m_ui->txtRuc->text().trimmed(), TaxpayerRegistry::normalisedName(m_ui->txtNombre->text()),
            m_ui->cboTipoIngreso->currentData().toInt(), m_user};
}

bool TaxpayerDialog::save() {
    const TaxpayerRegistry registry(m_db);
    QString refused;
    try {
        refused = m_existing ? registry.update(taxpayer()) : registry.add(taxpayer());
    } catch (const store::DatabaseError& error) {
        store::showDatabaseError(m_prompter, error);
        return false;
    }
    if (!refused.isEmpty()) {
        m_prompter.message(refused, windowTitle(), app::Icon::Exclamation);
        QLineEdit* culprit = refused == TaxpayerRegistry::kNameRequired ? m_ui->txtNombre : m_ui->txtRuc;
        if (!culprit->isReadOnly()) {
            culprit->setFocus();
            culprit->selectAll();
        }
        return false;
    }
    accept();
    return true;
}

} // namespace qel::launcher
