#pragma once

#include "launcher/TaxpayerRegistry.h"

#include <QDialog>
#include <memory>
#include <optional>

namespace Ui {
class TaxpayerDialog;
}

namespace qel::app {
class Prompter;
}

namespace qel::store {
class Database;
}

namespace qel::launcher {

// Registers a new taxpayer, or changes the name and income kind of one already registered.
class TaxpayerDialog : public QDialog {
    Q_OBJECT

public:
    // `existing` empty: a new taxpayer, registered under `user`.
    TaxpayerDialog(store::Database& db, app::Prompter& prompter, const QString& user,
                   const std::optional<Taxpayer>& existing = std::nullopt, QWidget* parent = nullptr);
    ~TaxpayerDialog() override;

    // The taxpayer as the boxes show it.
    Taxpayer taxpayer() const;

    // "&Grabar": stores the taxpayer and closes, or tells why it cannot.
    bool save();

private:
    std::unique_ptr<Ui::TaxpayerDialog> m_ui;
    store::Database& m_db;
    app::Prompter& m_prompter;
    bool m_existing = false;
    QString m_user;
};

} // namespace qel::launcher
