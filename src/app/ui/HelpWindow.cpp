#include "app/ui/HelpWindow.h"

#include "app/HelpModel.h"
#include "app/HelpTopics.h"

#include <QApplication>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTextBrowser>
#include <QVBoxLayout>

// The help compiled into the programs stands in for a help file that is missing; a static
// library needs its resources registered by name, outside any namespace.
static void registerCompiledHelp() {
    Q_INIT_RESOURCE(refdata);
}

namespace qel::app::ui {

namespace {

const QString kCompiledHelp = QStringLiteral(":/data/help/Pm588.html");
QPointer<HelpWindow> g_current;

QString readHelp(const QString& helpFile) {
    QFile file(helpFile);
    if (helpFile.isEmpty() || !file.open(QIODevice::ReadOnly)) {
        registerCompiledHelp();
        file.setFileName(kCompiledHelp);
        if (!file.open(QIODevice::ReadOnly)) {
            return QStringLiteral("<p>No se encontró la ayuda del módulo.</p>");
        }
    }
    return QString::fromUtf8(file.readAll());
}

// The window the user is in: the help goes over it so that a modal window does not block it.
QWidget* windowInUse() {
    if (QWidget* modal = QApplication::activeModalWidget()) {
        return modal;
    }
    return QApplication::activeWindow();
}

} // namespace

HelpWindow* HelpWindow::current() {
    return g_current.data();
}

HelpWindow* HelpWindow::showTopic(const QString& helpFile, const QString& topic, const QString& casillaList) {
    QWidget* over = windowInUse();
    if (over != nullptr && over == g_current.data()) {
        over = g_current->parentWidget();
    }
    HelpWindow* window = g_current.data();
    if (window == nullptr || window->parentWidget() != over) {
        delete window;
        window = new HelpWindow(helpFile, casillaList, over);
        g_current = window;
    } else if (window->m_casillaList != casillaList || window->m_helpFile != helpFile) {
        window->load(helpFile, casillaList);
    }
    // Shown first: the view scrolls to the topic within its laid-out size.
    window->show();
    window->raise();
    window->activateWindow();
    window->goTo(topic);
    return window;
}

HelpWindow::HelpWindow(const QString& helpFile, const QString& casillaList, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint) {
    setObjectName(HelpModel::kWindowName);
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setWindowTitle(QStringLiteral("Ayuda del módulo 0588 - Renta Anual 2018 3ra. Categoría e ITF"));

    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("brwAyuda"));
    m_browser->setOpenExternalLinks(false);

    auto* searchLabel = new QLabel(QStringLiteral("&Buscar:"), this);
    m_search = new QLineEdit(this);
    m_search->setObjectName(QStringLiteral("txtBuscar"));
    m_search->setPlaceholderText(QStringLiteral("palabra o número de casilla"));
    searchLabel->setBuddy(m_search);
    auto* find = new QPushButton(QStringLiteral("&Siguiente"), this);
    find->setObjectName(QStringLiteral("cmdBuscar"));
    find->setAutoDefault(false);
    m_searchResult = new QLabel(this);
    m_searchResult->setObjectName(QStringLiteral("lblBuscar"));
    auto* contents = new QPushButton(QStringLiteral("&Contenido"), this);
    contents->setObjectName(QStringLiteral("cmdContenido"));
    contents->setAutoDefault(false);
    auto* close = new QPushButton(QStringLiteral("C&errar"), this);
    close->setObjectName(QStringLiteral("cmdCerrar"));
    close->setAutoDefault(false);

    auto* bar = new QHBoxLayout;
    bar->addWidget(searchLabel);
    bar->addWidget(m_search, 1);
    bar->addWidget(find);
    bar->addWidget(m_searchResult);
    bar->addStretch();
    bar->addWidget(contents);
    bar->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_browser, 1);

    connect(m_search, &QLineEdit::returnPressed, this, [this] { search(m_search->text()); });
    connect(find, &QPushButton::clicked, this, [this] { search(m_search->text()); });
    connect(contents, &QPushButton::clicked, this, [this] { goTo(HelpTopics::kContents); });
    connect(close, &QPushButton::clicked, this, &QDialog::close);

    resize(860, 640);
    load(helpFile, casillaList);
}

void HelpWindow::load(const QString& helpFile, const QString& casillaList) {
    m_helpFile = helpFile;
    m_casillaList = casillaList;
    QString html = readHelp(helpFile);
    if (!casillaList.isEmpty()) {
        qsizetype at = html.lastIndexOf(QStringLiteral("</main>"));
        if (at < 0) {
            at = html.lastIndexOf(QStringLiteral("</body>"));
        }
        html.insert(at < 0 ? html.size() : at, casillaList);
    }
    // The text browser scrolls to named anchors only: each id of the file gets one.
    static const QRegularExpression withId(
        QStringLiteral("(<(?:h[1-6]|nav|section|div|p|table)\\b[^>]*\\bid=\"([^\"]+)\"[^>]*>)"));
    html.replace(withId, QStringLiteral("\\1<a name=\"\\2\"></a>"));
    m_browser->setHtml(html);
}

void HelpWindow::goTo(const QString& topic) {
    m_topic = topic.isEmpty() ? HelpTopics::kContents : topic;
    // The topic's heading at the top of the view (moving the text cursor would scroll it away).
    m_browser->scrollToAnchor(m_topic);
}

bool HelpWindow::search(const QString& text) {
    if (text.trimmed().isEmpty()) {
        m_searchResult->clear();
        return false;
    }
    bool found = m_browser->find(text);
    if (!found) {
        m_browser->moveCursor(QTextCursor::Start);
        found = m_browser->find(text);
    }
    m_searchResult->setText(found ? QString() : QStringLiteral("No se encontró «%1».").arg(text));
    return found;
}

} // namespace qel::app::ui
