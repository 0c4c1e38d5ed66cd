#include "printing/ReportDocument.h"

#include "printing/PageDescription.h"

#include <QFile>
#include <QHash>
#include <QStringDecoder>

namespace qel::printing {

ReportDocument::Page& ReportDocument::pageAt(int index) {
    while (m_pages.size() <= index) {
        Page page;
        page.landscape = m_pages.isEmpty() ? false : m_pages.last().landscape;
        m_pages.append(page);
    }
    return m_pages[index];
}

ReportDocument ReportDocument::fromCommands(const QList<PageCommand>& commands) {
    using K = PageCommand::Kind;
    ReportDocument document;
    int announced = 0;
    int current = 0; // the page the page breaks have reached
    bool boldLines = false;
    QString color;
    for (const PageCommand& command : commands) {
        switch (command.kind) {
        case K::Font:
            if (!command.text.trimmed().isEmpty()) {
                document.m_font = command.text.trimmed();
            }
            break;
        case K::PageCount:
            announced = qBound(0, command.text.trimmed().toInt(), kMaxPages);
            break;
        case K::Orientation:
            document.pageAt(current).landscape = command.text.trimmed().startsWith(QLatin1Char('H'));
            break;
        case K::Color:
            color = command.text.trimmed();
            break;
        case K::BoldOn:
        case K::BoldOff:
            boldLines = command.kind == K::BoldOn;
            break;
        case K::Text:
        case K::VerticalText:
            if (command.page >= 0 && command.page < kMaxPages) {
                document.pageAt(command.page)
                    .texts.append({command.column, command.row, command.text, command.bold || boldLines, command.size,
                                   command.kind == K::VerticalText, color});
            }
            break;
        case K::Box:
            if (command.page >= 0 && command.page < kMaxPages) {
                document.pageAt(command.page)
                    .boxes.append({command.column, command.row, command.right, command.bottom});
            }
            break;
        case K::NewPage:
            if (current + 1 < kMaxPages) {
                ++current;
                document.pageAt(current);
            }
            break;
        }
    }
    if (announced > 0) {
        document.pageAt(announced - 1);
        document.m_pages.resize(announced);
    } else if (document.m_pages.isEmpty()) {
        document.pageAt(0);
    }
    return document;
}

QString ReportDocument::tooLarge() {
    return QStringLiteral("El archivo del reporte es demasiado grande para mostrarlo (más de %1 MB).")
        .arg(kMaxFileBytes / (1024 * 1024));
}

ReportDocument ReportDocument::refused(const QString& why) {
    ReportDocument document;
    document.m_problem = why;
    document.m_pages = {Page{}};
    return document;
}

ReportDocument ReportDocument::fromText(const QByteArray& bytes) {
    const auto damaged = [](const QString& why) { return refused(why); };
    if (bytes.size() > kMaxFileBytes) {
        return damaged(tooLarge());
    }
    const PageDescription::ReadResult read = PageDescription::read(QString::fromUtf8(bytes));
    // Text that is mostly not commands (another file, a damaged one) shows no blank page.
    if (!bytes.trimmed().isEmpty() && (read.commands.isEmpty() || read.rejected > read.commands.size())) {
        return damaged(QStringLiteral("El archivo del reporte está dañado: no es una descripción de páginas."));
    }
    QHash<int, int> perPage;
    for (const PageCommand& command : read.commands) {
        if (command.kind == PageCommand::Kind::Text || command.kind == PageCommand::Kind::VerticalText ||
            command.kind == PageCommand::Kind::Box) {
            if (++perPage[command.page] > kMaxCommandsPerPage) {
                return damaged(QStringLiteral("El archivo del reporte está dañado: la página %1 tiene más de %2 "
                                              "órdenes de dibujo.")
                                   .arg(command.page + 1)
                                   .arg(kMaxCommandsPerPage));
            }
        }
    }
    return fromCommands(read.commands);
}

ReportDocument ReportDocument::fromFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ReportDocument missing;
        missing.m_exists = false;
        return missing;
    }
    if (file.size() > kMaxFileBytes) {
        return refused(tooLarge());
    }
    return fromText(file.read(kMaxFileBytes + 1));
}

} // namespace qel::printing
