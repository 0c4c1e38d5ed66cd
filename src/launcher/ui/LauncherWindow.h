#pragma once

#include "launcher/ModuleStarter.h"
#include "launcher/TaxpayerRegistry.h"

#include <QMainWindow>
#include <optional>

class QLabel;
class QPushButton;
class QStandardItemModel;
class QTableView;

namespace qel::app {
class Clock;
class Prompter;
} // namespace qel::app

namespace qel::store {
class Database;
}

namespace qel::launcher {

class TaxpayerList;

// The launcher's main window. Its title is exactly "QEL": the modules look for a visible
// top-level window with that title before they start.
class LauncherWindow : public QMainWindow {
    Q_OBJECT

public:
    static const QString kTitle; // "QEL"

    LauncherWindow(store::Database& db, app::Prompter& prompter, const app::Clock& clock, const QString& user,
                   const QString& environmentFolder, ModuleStarter starter = ModuleStarter(),
                   QWidget* parent = nullptr);

    // Reloads the taxpayers the user sees, keeping the selection.
    void refresh();
    QStringList listedRucs() const;
    std::optional<Taxpayer> selectedTaxpayer() const;
    void selectRuc(const QString& ruc);

    // The commands of the buttons.
    void newTaxpayer();
    void modifyTaxpayer();
    bool startModule(const QString& formulario = QStringLiteral("0588"));
    bool sendDeclaration();
    void showHelp();
    void showAbout();

    // Starts the module once this window is on the screen (the module checks for it).
    void startModuleWhenShown(const QString& formulario);

private:
    void buildWindow();
    void buildMenus();
    void updateButtons();
    // Mirrors the list's rows and selection in the grid.
    void showRows();
    QString helpFile() const;

    store::Database& m_db;
    app::Prompter& m_prompter;
    const app::Clock& m_clock;
    QString m_user;
    QString m_environmentFolder;
    ModuleStarter m_starter;
    bool m_seesAll = false;
    TaxpayerList* m_list = nullptr;

    QStandardItemModel* m_model = nullptr;
    QTableView* m_grid = nullptr;
    QLabel* m_subtitle = nullptr;
    QLabel* m_emptyHint = nullptr;
    QPushButton* m_cmdNuevo = nullptr;
    QPushButton* m_cmdModificar = nullptr;
    QPushButton* m_cmdIniciar = nullptr;
    QPushButton* m_cmdEnviar = nullptr;
    QPushButton* m_cmdSalir = nullptr;
};

} // namespace qel::launcher
