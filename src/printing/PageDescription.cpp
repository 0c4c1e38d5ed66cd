#include "printing/PageDescription.h"

#include <QStringList>

namespace qel::printing {

namespace {

const QString kFontOpen = QStringLiteral("<!font!>");
const QString kFontClose = QStringLiteral("<!/font!>");
const QString kPagesOpen = QStringLiteral("<!nHojas!>");
const QString kPagesClose = QStringLiteral("<!/nHojas!>");
const QString kOrientationOpen = QStringLiteral("<!Orientacion!>");
const QString kOrientationClose = QStringLiteral("<!/Orientacion!>");
const QString kColorOpen = QStringLiteral("<!Color!>");
const QString kColorClose = QStringLiteral("<!/Color!>");
const QString kBoldOn = QStringLiteral("<!bold!>");
const QString kBoldOff = QStringLiteral("<!/bold!>");
const QString kText = QStringLiteral("pPos");
const QString kVertical = QStringLiteral("pPosVerti");
const QString kBox = QStringLiteral("pCuadro");
const QString kNewPage = QStringLiteral("pNuevaHoja");
const QChar kSeparator = QLatin1Char('|');

QString number(double value) {
    return QString::number(value, 'g', 12);
}

bool endsCommand(const QString& text) {
    return text.endsWith(kSeparator) || text.endsWith(QLatin1String("!>")) || text.endsWith(QLatin1String("aHoja"));
}

// Cuts a long command into physical lines; no line but the last may end the command.
QString splitLong(const QString& command) {
    if (command.size() <= PageDescription::kPhysicalLineLength) {
        return command;
    }
    QStringList lines;
    qsizetype start = 0;
    while (command.size() - start > PageDescription::kPhysicalLineLength) {
        qsizetype length = PageDescription::kPhysicalLineLength;
        while (length > 1 && endsCommand(command.mid(start, length))) {
            --length;
        }
        lines.append(command.mid(start, length));
        start += length;
    }
    lines.append(command.mid(start));
    return lines.join(QLatin1Char('\n'));
}

QString between(const QString& line, const QString& open, const QString& close) {
    QString value = line.mid(open.size());
    const qsizetype end = value.indexOf(close);
    return end < 0 ? value : value.left(end);
}

bool readNumber(const QString& field, double& value) {
    bool ok = false;
    value = field.toDouble(&ok);
    return ok;
}

bool readInt(const QString& field, int& value) {
    bool ok = false;
    value = field.toInt(&ok);
    return ok;
}

bool parseText(const QStringList& fields, PageCommand& command) {
    // name, column, row, text, bold, size, page, and the empty tail after the last "|"
    if (fields.size() != 8 || !fields.at(7).isEmpty()) {
        return false;
    }
    command.text = fields.at(3);
    command.bold = fields.at(4).compare(QLatin1String("True"), Qt::CaseInsensitive) == 0;
    return readNumber(fields.at(1), command.column) && readNumber(fields.at(2), command.row) &&
           readInt(fields.at(5), command.size) && readInt(fields.at(6), command.page);
}

bool parseBox(const QStringList& fields, PageCommand& command) {
    if (fields.size() != 7 || !fields.at(6).isEmpty()) {
        return false;
    }
    return readInt(fields.at(1), command.page) && readNumber(fields.at(2), command.column) &&
           readNumber(fields.at(3), command.row) && readNumber(fields.at(4), command.right) &&
           readNumber(fields.at(5), command.bottom);
}

} // namespace

QString PageDescription::sanitise(const QString& text) {
    QString clean = text;
    clean.replace(kSeparator, QChar(0x00A6));
    clean.replace(QLatin1Char('\r'), QLatin1Char(' '));
    clean.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return clean;
}

QString PageDescription::write(const PageCommand& command) {
    using K = PageCommand::Kind;
    switch (command.kind) {
    case K::Font:
        return kFontOpen + sanitise(command.text) + kFontClose;
    case K::PageCount:
        return kPagesOpen + sanitise(command.text) + kPagesClose;
    case K::Orientation:
        return kOrientationOpen + sanitise(command.text) + kOrientationClose;
    case K::Color:
        return kColorOpen + sanitise(command.text) + kColorClose;
    case K::BoldOn:
        return kBoldOn;
    case K::BoldOff:
        return kBoldOff;
    case K::Text:
    case K::VerticalText: {
        const QStringList fields = {command.kind == K::Text ? kText : kVertical,
                                    number(command.column),
                                    number(command.row),
                                    sanitise(command.text),
                                    command.bold ? QStringLiteral("True") : QStringLiteral("False"),
                                    QString::number(command.size),
                                    QString::number(command.page),
                                    QString()};
        return splitLong(fields.join(kSeparator));
    }
    case K::Box:
        return QStringList{kBox,
                           QString::number(command.page),
                           number(command.column),
                           number(command.row),
                           number(command.right),
                           number(command.bottom),
                           QString()}
            .join(kSeparator);
    case K::NewPage:
        return kNewPage;
    }
    return {};
}

QString PageDescription::writeAll(const QList<PageCommand>& commands) {
    QString text;
    for (const PageCommand& command : commands) {
        text += write(command);
        text += QLatin1Char('\n');
    }
    return text;
}

bool PageDescription::parse(const QString& line, PageCommand& command) {
    using K = PageCommand::Kind;
    command = PageCommand{};
    const auto tagged = [&](const QString& open, const QString& close, K kind) {
        command.kind = kind;
        command.text = between(line, open, close);
        return true;
    };
    if (line.startsWith(kFontOpen)) {
        return tagged(kFontOpen, kFontClose, K::Font);
    }
    if (line.startsWith(kPagesOpen)) {
        return tagged(kPagesOpen, kPagesClose, K::PageCount);
    }
    if (line.startsWith(kOrientationOpen)) {
        return tagged(kOrientationOpen, kOrientationClose, K::Orientation);
    }
    if (line.startsWith(kColorOpen)) {
        return tagged(kColorOpen, kColorClose, K::Color);
    }
    if (line == kBoldOn || line == kBoldOff) {
        command.kind = line == kBoldOn ? K::BoldOn : K::BoldOff;
        return true;
    }
    if (line == kNewPage) {
        command.kind = K::NewPage;
        return true;
    }
    const QStringList fields = line.split(kSeparator);
    if (fields.first() == kText || fields.first() == kVertical) {
        command.kind = fields.first() == kText ? K::Text : K::VerticalText;
        return parseText(fields, command);
    }
    if (fields.first() == kBox) {
        command.kind = K::Box;
        return parseBox(fields, command);
    }
    return false;
}

PageDescription::ReadResult PageDescription::read(const QString& text) {
    ReadResult result;
    QString gathered;
    const auto finish = [&] {
        const QString line = gathered.trimmed();
        gathered.clear();
        if (line.isEmpty()) {
            return;
        }
        PageCommand command;
        if (parse(line, command)) {
            result.commands.append(command);
        } else {
            ++result.rejected;
        }
    };
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (QString physical : lines) {
        if (physical.endsWith(QLatin1Char('\r'))) {
            physical.chop(1);
        }
        gathered += physical;
        if (endsCommand(gathered)) {
            finish();
        }
    }
    finish(); // an unfinished last command
    return result;
}

} // namespace qel::printing
