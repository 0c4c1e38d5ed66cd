#include "app/HelpModel.h"

#include "app/HelpTopics.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

// The help compiled into the programs; a static library registers its resources by name,
// outside any namespace.
static void registerCompiledHelpText() {
    Q_INIT_RESOURCE(refdata);
}

namespace qel::app {

const QString HelpModel::kWindowName = QStringLiteral("frmAyuda");

namespace {

QString readHelp(const QString& helpFile) {
    QFile file(helpFile);
    if (helpFile.isEmpty() || !file.open(QIODevice::ReadOnly)) {
        registerCompiledHelpText();
        file.setFileName(QStringLiteral(":/data/help/Pm588.html"));
        if (!file.open(QIODevice::ReadOnly)) {
            return {};
        }
    }
    return QString::fromUtf8(file.readAll());
}

QString plain(QString html) {
    static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
    html.remove(tag);
    const QPair<const char*, const char*> entities[] = {{"&mdash;", "—"}, {"&middot;", "·"}, {"&nbsp;", " "},
                                                        {"&lt;", "<"},    {"&gt;", ">"},     {"&amp;", "&"}};
    for (const auto& [entity, character] : entities) {
        html.replace(QString::fromUtf8(entity), QString::fromUtf8(character));
    }
    return html.simplified();
}

} // namespace

QString HelpModel::helpFileIn(const QString& moduleFolder) {
    return QDir(moduleFolder).filePath(QStringLiteral("Pm588.html"));
}

HelpModel::HelpModel(const QString& helpFile) : m_helpFile(helpFile) {
    QString html = readHelp(helpFile);
    const qsizetype body = html.indexOf(QStringLiteral("<body"));
    if (body >= 0) {
        html = html.mid(body);
    }
    static const QRegularExpression anchor(QStringLiteral("\\bid=\"([^\"]+)\""));
    for (const QString& source : html.split(QLatin1Char('\n'))) {
        const QRegularExpressionMatch match = anchor.match(source);
        if (match.hasMatch()) {
            m_topics.append({match.captured(1), static_cast<int>(m_lines.size())});
        }
        const QString line = plain(source);
        if (!line.isEmpty()) {
            m_lines.append(line);
        }
    }
    goTo(HelpTopics::kContents);
}

QList<DeclaredControl> HelpModel::declaredControls() {
    const auto quoted = [](const QString& text) { return QLatin1Char('"') + text + QLatin1Char('"'); };
    QList<DeclaredControl> controls;
    DeclaredControl searchBox(QStringLiteral("txtBuscar"), QStringLiteral("text"));
    searchBox.type = [this](const QString& value) {
        m_searchText = value;
        return true;
    };
    searchBox.state = [this, quoted] { return quoted(m_searchText); };
    controls.append(searchBox);
    const auto button = [&controls](const QString& name, std::function<void()> press) {
        DeclaredControl command(name, QStringLiteral("command"));
        command.click = [press = std::move(press)](int) {
            press();
            return true;
        };
        controls.append(command);
    };
    button(QStringLiteral("cmdBuscar"), [this] { search(); });
    button(QStringLiteral("cmdContenido"), [this] { goTo(HelpTopics::kContents); });
    button(QStringLiteral("cmdCerrar"), [this] { close(); });
    DeclaredControl topic(QStringLiteral("lblTema"), QStringLiteral("label"));
    topic.state = [this, quoted] { return quoted(m_topic); };
    controls.append(topic);
    DeclaredControl found(QStringLiteral("lblBuscar"), QStringLiteral("label"));
    found.state = [this, quoted] { return quoted(m_searchResult); };
    controls.append(found);
    return controls;
}

void HelpModel::search() {
    const QString wanted = m_searchText.trimmed();
    m_searchResult.clear();
    if (wanted.isEmpty()) {
        return;
    }
    const int count = static_cast<int>(m_lines.size());
    for (int step = 1; step <= count; ++step) {
        const int line = (m_line + step) % count;
        if (m_lines.at(line).contains(wanted, Qt::CaseInsensitive)) {
            m_line = line;
            m_searchResult = m_lines.at(line);
            return;
        }
    }
    m_searchResult = QStringLiteral("No se encontró «%1».").arg(wanted);
}

void HelpModel::goTo(const QString& topic) {
    m_topic = topic;
    m_searchResult.clear();
    for (const auto& [anchorName, line] : m_topics) {
        if (anchorName == topic) {
            m_line = line - 1; // a search starts at the topic's own line
            return;
        }
    }
    m_line = -1;
}

} // namespace qel::app
