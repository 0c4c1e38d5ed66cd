#include "launcher/ui/LauncherWindow.h"

#include "app/HelpTopics.h"
#include "app/ui/HelpKey.h"
#include "app/ui/HelpWindow.h"
#include "base/Prompter.h"
#include "launcher/DeclarationSender.h"
#include "launcher/Environment.h"
#include "launcher/TaxpayerList.h"
#include "launcher/UserAccounts.h"
#include "launcher/ui/LauncherIcons.h"
#include "launcher/ui/TaxpayerDialog.h"
#include "launcher/ui/WhenExposed.h"
#include "store/Database.h"
#include "store/DatabaseError.h"
#include "store/ExecuteSql.h"

#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStandardItemModel>
#include <QStatusBar>
#include <QTableView>
#include <QUrl>
#include <QVBoxLayout>

namespace qel::launcher {

const QString LauncherWindow::kTitle = QStringLiteral("QEL");

namespace {

enum Column { ColRuc, ColNombre, ColTipoIngreso, ColUsuario, ColDeclaracion, ColEnviadas, ColumnCount };

QString incomeKindText(int code) {
    for (const auto& kind : TaxpayerRegistry::incomeKinds()) {
        if (kind.code == code) {
            return QStringLiteral("%1 - %2").arg(code).arg(kind.shortName);
        }
    }
    return QString::number(code);
}

QPushButton* commandButton(const QString& name, const QString& text, const QIcon& icon, const QString& tip) {
    auto* button = new QPushButton(icon, text);
    button->setObjectName(name);
    button->setIconSize(QSize(24, 24));
    button->setToolTip(tip);
    button->setMinimumHeight(38);
    button->setStyleSheet(QStringLiteral("QPushButton { text-align: left; padding: 4px 12px; }"));
    return button;
}

} // namespace

LauncherWindow::LauncherWindow(store::Database& db, app::Prompter& prompter, const app::Clock& clock,
                               const QString& user, const QString& environmentFolder, ModuleStarter starter,
                               QWidget* parent)
    : QMainWindow(parent), m_db(db), m_prompter(prompter), m_clock(clock), m_user(user),
      m_environmentFolder(environmentFolder), m_starter(std::move(starter)) {
    setObjectName(QStringLiteral("frmQEL"));
    setWindowTitle(kTitle);
    app::ui::HelpKey::install(this, [this] { return helpFile(); }); // F1 in every window of the launcher
    try {
        m_seesAll = UserAccounts(m_db).seesEveryTaxpayer(m_user);
    } catch (const store::DatabaseError& error) {
        store::showDatabaseError(m_prompter, error);
    }
    m_list = new TaxpayerList(m_db, m_user, DeclarationSender::kPeriodo, DeclarationSender::kFormulario, this);
    buildWindow();
    buildMenus();
    refresh();
    // The list follows what the module and the other users save, send or delete.
    connect(m_list, &TaxpayerList::refreshed, this, &LauncherWindow::showRows);
    m_list->follow();
    resize(940, 540);
}

void LauncherWindow::buildWindow() {
    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    // The band at the top: the program, and whose taxpayers are listed.
    auto* band = new QWidget;
    band->setObjectName(QStringLiteral("fraCabecera"));
    band->setAttribute(Qt::WA_StyledBackground);
    band->setStyleSheet(QStringLiteral(
        "#fraCabecera { background: qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 #1f4e79, stop:1 #2d6aa3); }"
        "#fraCabecera QLabel { color: white; }"));
    auto* bandLayout = new QHBoxLayout(band);
    bandLayout->setContentsMargins(18, 12, 18, 12);
    bandLayout->setSpacing(14);
    auto* logo = new QLabel;
    logo->setPixmap(LauncherIcons::application().pixmap(52, 52));
    bandLayout->addWidget(logo);
    auto* titles = new QVBoxLayout;
    titles->setSpacing(2);
    auto* title = new QLabel(QStringLiteral("Integrador del QEL"));
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    title->setFont(titleFont);
    m_subtitle = new QLabel;
    m_subtitle->setObjectName(QStringLiteral("lblSubtitulo"));
    titles->addWidget(title);
    titles->addWidget(m_subtitle);
    bandLayout->addLayout(titles);
    bandLayout->addStretch();
    auto* userIcon = new QLabel;
    userIcon->setPixmap(LauncherIcons::user().pixmap(28, 28));
    auto* userName = new QLabel(m_user);
    QFont userFont = userName->font();
    userFont.setBold(true);
    userName->setFont(userFont);
    bandLayout->addWidget(userIcon);
    bandLayout->addWidget(userName);
    layout->addWidget(band);

    // The taxpayers and the commands beside them.
    auto* body = new QHBoxLayout;
    body->setContentsMargins(14, 14, 14, 10);
    body->setSpacing(14);
    auto* listColumn = new QVBoxLayout;
    auto* listTitle = new QLabel(QStringLiteral("<b>Contribuyentes</b> &nbsp; (declaración %1 del formulario %2)")
                                     .arg(DeclarationSender::kPeriodo, DeclarationSender::kFormulario));
    listColumn->addWidget(listTitle);
    m_model = new QStandardItemModel(0, ColumnCount, this);
    m_model->setHorizontalHeaderLabels({QStringLiteral("RUC"), QStringLiteral("Razón social"),
                                        QStringLiteral("Tipo de ingreso"), QStringLiteral("Registrado por"),
                                        QStringLiteral("Declaración %1").arg(DeclarationSender::kPeriodo),
                                        QStringLiteral("Versiones enviadas")});
    m_grid = new QTableView;
    m_grid->setObjectName(QStringLiteral("grdContribuyentes"));
    m_grid->setModel(m_model);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setAlternatingRowColors(true);
    m_grid->setWordWrap(false);
    m_grid->verticalHeader()->hide();
    m_grid->horizontalHeader()->setHighlightSections(false);
    m_grid->horizontalHeader()->setSectionResizeMode(ColNombre, QHeaderView::Stretch);
    m_grid->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    listColumn->addWidget(m_grid, 1);
    m_emptyHint = new QLabel(QStringLiteral("No tiene contribuyentes registrados. Use «Nuevo contribuyente» para "
                                            "registrar el primero."));
    m_emptyHint->setObjectName(QStringLiteral("lblSinContribuyentes"));
    m_emptyHint->setStyleSheet(QStringLiteral("color: #6b7785;"));
    listColumn->addWidget(m_emptyHint);
    body->addLayout(listColumn, 1);

    auto* commands = new QVBoxLayout;
    commands->setSpacing(8);
    m_cmdNuevo = commandButton(QStringLiteral("cmdNuevo"), QStringLiteral("&Nuevo contribuyente"),
                               LauncherIcons::newTaxpayer(), QStringLiteral("Registrar un contribuyente por su RUC"));
    m_cmdModificar =
        commandButton(QStringLiteral("cmdModificar"), QStringLiteral("&Modificar"), LauncherIcons::modify(),
                      QStringLiteral("Cambiar la razón social o el tipo de ingreso del contribuyente"));
    m_cmdIniciar = commandButton(
        QStringLiteral("cmdIniciar"), QStringLiteral("&Iniciar módulo %1").arg(DeclarationSender::kFormulario),
        LauncherIcons::startModule(), QStringLiteral("Abrir el módulo de la declaración anual de renta 2018"));
    m_cmdEnviar =
        commandButton(QStringLiteral("cmdEnviar"), QStringLiteral("&Enviar declaración"), LauncherIcons::send(),
                      QStringLiteral("Enviar la declaración 2018 del contribuyente seleccionado"));
    m_cmdSalir = commandButton(QStringLiteral("cmdSalir"), QStringLiteral("&Salir"), LauncherIcons::exit(),
                               QStringLiteral("Cerrar el Integrador del QEL"));
    commands->addSpacing(22);
    commands->addWidget(m_cmdNuevo);
    commands->addWidget(m_cmdModificar);
    commands->addSpacing(12);
    commands->addWidget(m_cmdIniciar);
    commands->addWidget(m_cmdEnviar);
    commands->addStretch();
    commands->addWidget(m_cmdSalir);
    body->addLayout(commands);
    layout->addLayout(body, 1);
    setCentralWidget(central);

    auto* userStatus =
        new QLabel(QStringLiteral("Usuario: %1%2")
                       .arg(m_user, m_seesAll ? QStringLiteral(" (ve todos los contribuyentes)") : QString()));
    userStatus->setObjectName(QStringLiteral("lblUsuario"));
    auto* environmentStatus =
        new QLabel(QStringLiteral("Entorno: %1").arg(QDir::toNativeSeparators(m_environmentFolder)));
    environmentStatus->setObjectName(QStringLiteral("lblEntorno"));
    statusBar()->addWidget(userStatus);
    statusBar()->addPermanentWidget(environmentStatus);

    connect(m_cmdNuevo, &QPushButton::clicked, this, [this] { newTaxpayer(); });
    connect(m_cmdModificar, &QPushButton::clicked, this, [this] { modifyTaxpayer(); });
    connect(m_cmdIniciar, &QPushButton::clicked, this, [this] { startModule(); });
    connect(m_cmdEnviar, &QPushButton::clicked, this, [this] { sendDeclaration(); });
    connect(m_cmdSalir, &QPushButton::clicked, this, &QWidget::close);
    connect(m_grid, &QTableView::doubleClicked, this, [this] { modifyTaxpayer(); });
    connect(m_grid->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        const QModelIndexList rows = m_grid->selectionModel()->selectedRows(ColRuc);
        if (!rows.isEmpty()) {
            m_list->select(rows.first().data().toString());
        }
        updateButtons();
    });
}

void LauncherWindow::buildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&Archivo"));
    file->addAction(LauncherIcons::exit(), QStringLiteral("&Salir"), this, &QWidget::close);

    QMenu* taxpayers = menuBar()->addMenu(QStringLiteral("&Contribuyentes"));
    taxpayers->addAction(LauncherIcons::newTaxpayer(), QStringLiteral("&Nuevo contribuyente..."), this,
                         [this] { newTaxpayer(); });
    taxpayers->addAction(LauncherIcons::modify(), QStringLiteral("&Modificar..."), this, [this] { modifyTaxpayer(); });

    QMenu* modules = menuBar()->addMenu(QStringLiteral("Mó&dulos"));
    modules->addAction(LauncherIcons::startModule(),
                       QStringLiteral("&Iniciar módulo %1").arg(DeclarationSender::kFormulario), this,
                       [this] { startModule(); });
    modules->addAction(LauncherIcons::send(), QStringLiteral("&Enviar declaración..."), this,
                       [this] { sendDeclaration(); });

    QMenu* help = menuBar()->addMenu(QStringLiteral("A&yuda"));
    help->addAction(QStringLiteral("Ayuda del módulo %1").arg(DeclarationSender::kFormulario), this,
                    [this] { showHelp(); });
    help->addSeparator();
    help->addAction(LauncherIcons::application(), QStringLiteral("&Acerca del Integrador del QEL"), this,
                    [this] { showAbout(); });
}

void LauncherWindow::refresh() {
    try {
        m_list->refresh();
    } catch (const store::DatabaseError& error) {
        store::showDatabaseError(m_prompter, error);
    }
    showRows();
}

void LauncherWindow::showRows() {
    const QList<TaxpayerSummary>& summaries = m_list->rows();
    const int current = m_list->current();
    m_model->removeRows(0, m_model->rowCount());
    for (const TaxpayerSummary& summary : summaries) {
        QList<QStandardItem*> row;
        row.append(new QStandardItem(summary.taxpayer.ruc));
        row.append(new QStandardItem(summary.taxpayer.nombre));
        row.append(new QStandardItem(incomeKindText(summary.taxpayer.tipoIngreso)));
        row.append(new QStandardItem(summary.taxpayer.usuario));
        auto* state = new QStandardItem;
        if (!summary.estado) {
            state->setText(QStringLiteral("Sin declaración"));
            state->setForeground(QColor(0x6b, 0x77, 0x85));
        } else if (*summary.estado == 0) {
            state->setText(QStringLiteral("Sin inconsistencias (0)"));
            state->setForeground(QColor(0x23, 0x86, 0x3f));
        } else {
            state->setText(QStringLiteral("Con inconsistencias (%1)").arg(*summary.estado));
            state->setForeground(QColor(0xc0, 0x39, 0x2b));
        }
        row.append(state);
        auto* sent = new QStandardItem(summary.lastCorrel == 0 ? QStringLiteral("Ninguna")
                                                               : QString::number(summary.lastCorrel));
        sent->setTextAlignment(Qt::AlignCenter);
        row.append(sent);
        m_model->appendRow(row);
    }
    for (const int column : {ColRuc, ColTipoIngreso, ColUsuario, ColDeclaracion, ColEnviadas}) {
        m_grid->resizeColumnToContents(column);
    }
    // Who registered each taxpayer matters only to a user who sees everybody's.
    m_grid->setColumnHidden(ColUsuario, !m_seesAll);
    m_emptyHint->setVisible(summaries.isEmpty());
    m_subtitle->setText(m_seesAll ? QStringLiteral("Todos los contribuyentes de la base de datos")
                                  : QStringLiteral("Contribuyentes registrados por %1").arg(m_user));
    if (current >= 0) {
        m_grid->selectRow(current);
        m_grid->scrollTo(m_model->index(current, ColRuc));
    }
    updateButtons();
}

QStringList LauncherWindow::listedRucs() const {
    return m_list->rucs();
}

std::optional<Taxpayer> LauncherWindow::selectedTaxpayer() const {
    if (!m_grid->selectionModel()->hasSelection()) {
        return std::nullopt;
    }
    const auto selected = m_list->selected();
    return selected ? std::optional<Taxpayer>(selected->taxpayer) : std::nullopt;
}

void LauncherWindow::selectRuc(const QString& ruc) {
    const int row = static_cast<int>(m_list->rucs().indexOf(ruc));
    if (row >= 0) {
        m_grid->selectRow(row); // the grid's selection selects it in the list
        m_grid->scrollTo(m_model->index(row, ColRuc));
    }
}

void LauncherWindow::updateButtons() {
    const bool selected = m_grid->selectionModel()->hasSelection();
    m_cmdModificar->setEnabled(selected);
    m_cmdEnviar->setEnabled(selected);
}

void LauncherWindow::newTaxpayer() {
    TaxpayerDialog dialog(m_db, m_prompter, m_user, std::nullopt, this);
    if (dialog.exec() == QDialog::Accepted) {
        refresh();
        selectRuc(dialog.taxpayer().ruc);
    }
}

void LauncherWindow::modifyTaxpayer() {
    const auto taxpayer = selectedTaxpayer();
    if (!taxpayer) {
        m_prompter.message(QStringLiteral("Seleccione un contribuyente."), kTitle, app::Icon::Exclamation);
        return;
    }
    TaxpayerDialog dialog(m_db, m_prompter, m_user, taxpayer, this);
    if (dialog.exec() == QDialog::Accepted) {
        refresh();
    }
}

bool LauncherWindow::startModule(const QString& formulario) {
    const QString refused = m_starter.start(formulario, m_environmentFolder);
    if (!refused.isEmpty()) {
        m_prompter.message(refused, kTitle, app::Icon::Critical);
        return false;
    }
    statusBar()->showMessage(QStringLiteral("Se inició el módulo %1.").arg(formulario), 6000);
    return true;
}

void LauncherWindow::startModuleWhenShown(const QString& formulario) {
    // The module looks for this window on the screen as it starts: start it once it is there.
    new WhenExposed(*this, [this, formulario] { startModule(formulario); });
}

bool LauncherWindow::sendDeclaration() {
    refresh(); // the question and the answer go by what is stored now, not by the list as it was
    const auto taxpayer = selectedTaxpayer();
    if (!taxpayer) {
        m_prompter.message(QStringLiteral("Seleccione un contribuyente."), DeclarationSender::kTitle,
                           app::Icon::Exclamation);
        return false;
    }
    const QString question =
        QStringLiteral("¿Desea enviar la declaración %1 del formulario %2 de\n\n%3 - %4?")
            .arg(DeclarationSender::kPeriodo, DeclarationSender::kFormulario, taxpayer->ruc, taxpayer->nombre);
    if (!m_prompter.askYesNo(question, DeclarationSender::kTitle, app::Button::Yes)) {
        return false;
    }
    const DeclarationSender sender(m_db, m_prompter, m_clock);
    const bool sent = sender.send(DeclarationSender::moduleKey(taxpayer->ruc)).sent;
    refresh();
    return sent;
}

QString LauncherWindow::helpFile() const {
    return Environment::withTrailingSeparator(m_environmentFolder) + Environment::kModuleFolder + QLatin1Char('/') +
           Environment::kHelpFileName;
}

void LauncherWindow::showHelp() {
    // A missing file is replaced by the help compiled into the program.
    const QString file = helpFile();
    app::ui::HelpWindow::showTopic(file, app::HelpTopics::forWindow(objectName()));
}

void LauncherWindow::showAbout() {
    m_prompter.message(QStringLiteral("Integrador del QEL\nVersión %1\n\nConfiguración, usuarios y contribuyentes de "
                                      "los módulos de declaración.\nMódulo instalado: %2 Renta Anual %3 3ra "
                                      "Categoría e ITF.")
                           .arg(Environment::kSysVersion, DeclarationSender::kFormulario, DeclarationSender::kPeriodo),
                       QStringLiteral("Acerca del Integrador del QEL"), app::Icon::Information);
}

} // namespace qel::launcher
