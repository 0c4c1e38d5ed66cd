#include "app/HelpScript.h"

#include "app/HelpTopics.h"

#include <QFile>
#include <QRegularExpression>

// The help compiled into the programs; a static library registers its resources by name,
// outside any namespace.
static void registerCompiledHelpText() {
    Q_INIT_RESOURCE(refdata);
}

namespace qel::app {

const QString HelpScript::kWindowName = QStringLiteral("frmAyuda");

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

HelpScript::HelpScript(const QString& helpFile) {
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

QList<ControlInfo> HelpScript::controls() const {
    return {{QStringLiteral("txtBuscar"), QStringLiteral("text")},
            {QStringLiteral("cmdBuscar"), QStringLiteral("command")},
            {QStringLiteral("cmdContenido"), QStringLiteral("command")},
            {QStringLiteral("cmdCerrar"), QStringLiteral("command")},
            {QStringLiteral("lblTema"), QStringLiteral("label")},
            {QStringLiteral("lblBuscar"), QStringLiteral("label")}};
}

bool HelpScript::text(const QString& control, const QString& value) {
    if (control != QStringLiteral("txtBuscar")) {
        throw ScriptError{QStringLiteral("%1 no es un cuadro de texto de la ayuda").arg(control)};
    }
    m_searchText = value;
    return true;
}

bool HelpScript::choose(const QString& control, const QString&) {
    throw ScriptError{QStringLiteral("%1 no es una lista de la ayuda").arg(control)};
}

bool HelpScript::click(const QString& control, int) {
    if (control == QStringLiteral("cmdBuscar")) {
        search();
    } else if (control == QStringLiteral("cmdContenido")) {
        goTo(HelpTopics::kContents);
    } else if (control == QStringLiteral("cmdCerrar")) {
        m_closed = true;
    } else {
        throw ScriptError{QStringLiteral("%1 no es un botón de la ayuda").arg(control)};
    }
    return true;
}

QString HelpScript::state(const QString& control) const {
    if (control == QStringLiteral("txtBuscar")) {
        return QLatin1Char('"') + m_searchText + QLatin1Char('"');
    }
    if (control == QStringLiteral("lblTema")) {
        return QLatin1Char('"') + m_topic + QLatin1Char('"');
    }
    if (control == QStringLiteral("lblBuscar")) {
        return QLatin1Char('"') + m_searchResult + QLatin1Char('"');
    }
    throw ScriptError{QStringLiteral("%1 no es un control de la ayuda").arg(control)};
}

void HelpScript::search() {
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

void HelpScript::goTo(const QString& topic) {
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
