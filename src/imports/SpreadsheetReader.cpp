#include "imports/SpreadsheetReader.h"

#include "base/BoundedFile.h"
#include "imports/WorkbookScan.h"

#include <QDate>
#include <QFile>
#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <fcntl.h>
#include <freexl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#define QEL_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QEL_ADDRESS_SANITIZER 1
#endif
#endif
#ifdef QEL_ADDRESS_SANITIZER
#include <sanitizer/common_interface_defs.h>
#endif

namespace qel::imports {

const QString SpreadsheetReader::kCannotOpen = QStringLiteral("No se pudo leer la hoja de cálculo %1.");

QString SpreadsheetReader::longCellText(const QString& path, const QString& cell, int characters) {
    return QStringLiteral("No se pudo leer la hoja de cálculo %1: la celda %2 tiene un texto de %3 caracteres, y una "
                          "celda de importación no pasa de %4.")
        .arg(path, cell)
        .arg(characters)
        .arg(kMaxCellCharacters);
}

namespace {

int columnIndex(const QString& letters) {
    int index = 0;
    for (const QChar c : letters) {
        index = index * 26 + (c.toUpper().unicode() - 'A' + 1);
    }
    return index - 1;
}

// A cell's value as a text record carries it.
QString cellText(const FreeXL_CellValue& cell) {
    switch (cell.type) {
    case FREEXL_CELL_INT:
        return QString::number(cell.value.int_value);
    case FREEXL_CELL_DOUBLE: {
        const double value = cell.value.double_value;
        if (std::isfinite(value) && value == std::floor(value) && std::fabs(value) < 1e15) {
            return QString::number(static_cast<qint64>(value));
        }
        return QString::number(value, 'f', 10).remove(QRegularExpression(QStringLiteral("0+$")));
    }
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
        return QString::fromUtf8(cell.value.text_value).trimmed();
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME: {
        const QString iso = QString::fromUtf8(cell.value.text_value).left(10);
        const QDate date = QDate::fromString(iso, Qt::ISODate);
        return date.isValid() ? date.toString(QStringLiteral("dd/MM/yyyy")) : iso;
    }
    case FREEXL_CELL_TIME:
        return QString::fromUtf8(cell.value.text_value);
    default:
        return {};
    }
}

// Closes the workbook however the reading ends.
struct Workbook {
    const void* handle = nullptr;
    ~Workbook() {
        if (handle != nullptr) {
            freexl_close(handle);
        }
    }
};

void writeAll(int fd, const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t written = write(fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return;
        }
        done += written;
    }
}

QByteArray readAll(int fd) {
    QByteArray bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return bytes;
        }
        bytes.append(buffer, got);
    }
}

// A child that dies on a damaged workbook dies silently: the parent gives the message.
void quietChild() {
    const int null = open("/dev/null", O_WRONLY);
    if (null >= 0) {
        dup2(null, STDERR_FILENO);
        close(null);
    }
#ifdef QEL_ADDRESS_SANITIZER
    __sanitizer_set_death_callback(nullptr);
#endif
}

} // namespace

std::optional<SheetRange> SheetRange::parse(const QString& text) {
    static const QRegularExpression form(QStringLiteral("^([A-Za-z]{1,2})(\\d+):([A-Za-z]{1,2})(\\d+)$"));
    const QRegularExpressionMatch match = form.match(text.trimmed());
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    SheetRange range{columnIndex(match.captured(1)), columnIndex(match.captured(3)), match.captured(2).toInt() - 1,
                     match.captured(4).toInt() - 1};
    if (range.firstRow < 0 || range.lastRow < range.firstRow || range.lastColumn < range.firstColumn) {
        return std::nullopt;
    }
    return range;
}

// FreeXL is fed files from other programs, and a damaged workbook can corrupt its memory: the
// workbook is read in a child process of this one, which hands the lines back through a pipe.
// A child that dies takes only the reading with it, and the user gets the message.
SpreadsheetReader::Result SpreadsheetReader::read(const QString& path, const SheetRange& range) {
    // Only a regular file of a workbook's size is opened: the reader would wait on a FIFO.
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) == 0) {
        if (!S_ISREG(info.st_mode)) {
            return {{}, QStringLiteral("%1 no es un archivo regular: no se lee como hoja de cálculo.").arg(path)};
        }
        if (info.st_size > kMaxBytes) {
            return {{},
                    QStringLiteral("La hoja de cálculo %1 tiene %2; no puede pasar de %3.")
                        .arg(path, app::sizeText(info.st_size), app::sizeText(kMaxBytes))};
        }
    }
    int channel[2];
    if (pipe(channel) != 0) {
        return readHere(path, range);
    }
    const pid_t child = fork();
    if (child < 0) {
        close(channel[0]);
        close(channel[1]);
        return readHere(path, range);
    }
    if (child == 0) {
        close(channel[0]);
        quietChild();
        const Result result = readHere(path, range);
        const QByteArray answer =
            result.error.isEmpty() ? QByteArray("1") + result.lines : QByteArray("0") + result.error.toUtf8();
        writeAll(channel[1], answer);
        _exit(0);
    }
    close(channel[1]);
    const QByteArray answer = readAll(channel[0]);
    close(channel[0]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0 && answer.size() > 1 && answer.startsWith('0')) {
        return {{}, QString::fromUtf8(answer.mid(1))}; // the reason the child gave
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || !answer.startsWith('1')) {
        return {{}, kCannotOpen.arg(path)};
    }
    return {answer.mid(1), {}};
}

SpreadsheetReader::Result SpreadsheetReader::readHere(const QString& path, const SheetRange& range) {
    Workbook book;
    unsigned int rows = 0;
    unsigned short columns = 0;
    if (freexl_open(path.toLocal8Bit().constData(), &book.handle) != FREEXL_OK ||
        freexl_select_active_worksheet(book.handle, 0) != FREEXL_OK ||
        freexl_worksheet_dimensions(book.handle, &rows, &columns) != FREEXL_OK) {
        // The library gives up on a text cell too long for it without saying so: the cell is
        // looked for in the workbook's own records.
        const app::BoundedRead file = app::readBoundedFile(path, kMaxBytes);
        if (const std::optional<LongCell> cell = WorkbookScan::firstLongCell(file.bytes, kMaxCellCharacters)) {
            return {{}, longCellText(path, cell->cell, cell->characters)};
        }
        return {{}, kCannotOpen.arg(path)};
    }
    QByteArray lines;
    const int lastRow = std::min<int>(range.lastRow, static_cast<int>(rows) - 1);
    for (int row = range.firstRow; row <= lastRow; ++row) {
        QStringList cells;
        bool empty = true;
        for (int column = range.firstColumn; column <= range.lastColumn; ++column) {
            FreeXL_CellValue cell{};
            cell.type = FREEXL_CELL_NULL;
            if (column < columns) {
                freexl_get_cell_value(book.handle, static_cast<unsigned int>(row), static_cast<unsigned short>(column),
                                      &cell);
            }
            const QString text = cellText(cell);
            if (text.size() > kMaxCellCharacters) {
                return {{},
                        longCellText(path, WorkbookScan::columnName(column) + QString::number(row + 1),
                                     static_cast<int>(text.size()))};
            }
            empty = empty && text.isEmpty();
            cells.append(text);
        }
        const bool total = std::any_of(cells.cbegin(), cells.cend(), [](const QString& cell) {
            return cell.compare(QStringLiteral("TOTAL"), Qt::CaseInsensitive) == 0;
        });
        if (empty || total) {
            break;
        }
        for (QString& cell : cells) {
            cell.remove(QLatin1Char('|')).remove(QLatin1Char('\n')).remove(QLatin1Char('\r'));
        }
        lines += (cells.join(QLatin1Char('|')) + QStringLiteral("|\n")).toUtf8();
    }
    return {lines, {}};
}

} // namespace qel::imports
