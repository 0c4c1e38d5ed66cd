#include "printing/DeclarationReport.h"

#include "base/NumberFormat.h"
#include "catalogue/CasillaCatalog.h"
#include "catalogue/FormControls.h"
#include "catalogue/FormPages.h"
#include "printing/DeclarationLayout.h"
#include "store/Database.h"

#include <QDate>
#include <QSqlQuery>

namespace qel::printing {

namespace {

using L = DeclarationLayout;

const QString kContinued = QStringLiteral(" (continuación)");

QString dateText(const QString& iso) {
    const QDate date = QDate::fromString(iso.left(10), Qt::ISODate);
    return date.isValid() ? date.toString(QStringLiteral("dd/MM/yyyy")) : iso;
}

int centredColumn(const QString& text) {
    return L::kLeft + std::max(0, static_cast<int>((L::kRight - L::kLeft - text.size()) / 2));
}

// Words of a text in lines of at most `width` characters; a word longer than a line is split.
QStringList wrapText(const QString& text, int width) {
    QStringList lines;
    QString line;
    for (QString word : text.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        while (word.size() > width) {
            if (!line.isEmpty()) {
                lines.append(line);
                line.clear();
            }
            lines.append(word.left(width));
            word = word.mid(width);
        }
        if (line.isEmpty()) {
            line = word;
        } else if (line.size() + 1 + word.size() <= width) {
            line += QLatin1Char(' ') + word;
        } else {
            lines.append(line);
            line = word;
        }
    }
    if (!line.isEmpty() || lines.isEmpty()) {
        lines.append(line);
    }
    return lines;
}

// The caption of a form page without its access key.
QString pageCaption(const QString& formPage) {
    const declaration::PageDef* def = declaration::FormPages::find(formPage);
    QString caption = def != nullptr ? def->caption : QString();
    caption.remove(QLatin1Char('&'));
    return caption.simplified();
}

// A box of the form page: its caption and its casillas, and the unboxed heading over it.
struct Block {
    QString heading;
    QString caption;
    QList<const declaration::CasillaDef*> casillas;
};

// The boxes of a page's casillas: one per form page and section, in the order they first
// appear, cut where a sub-heading of the form opens a new box.
QList<Block> blocksOf(const QList<const declaration::CasillaDef*>& casillas, const QString& pageTitle) {
    QList<std::pair<QString, QList<const declaration::CasillaDef*>>> sections; // "page|section"
    for (const declaration::CasillaDef* casilla : casillas) {
        const QString key = casilla->page + QLatin1Char('|') + casilla->section;
        auto found = std::find_if(sections.begin(), sections.end(),
                                  [&key](const auto& section) { return section.first == key; });
        if (found == sections.end()) {
            sections.append({key, {}});
            found = sections.end() - 1;
        }
        found->second.append(casilla);
    }
    QList<Block> blocks;
    QStringList headed;
    for (const auto& [key, members] : sections) {
        const QString formPage = key.section(QLatin1Char('|'), 0, 0);
        const QString section = key.section(QLatin1Char('|'), 1);
        Block block;
        for (const L::SubHeading& sub : L::subHeadings()) {
            const bool onPage = !sub.formPage.isEmpty() &&
                                (formPage == sub.formPage || formPage.startsWith(sub.formPage + QLatin1Char('.')));
            if (onPage && !headed.contains(sub.text) &&
                sub.text.compare(pageCaption(formPage), Qt::CaseInsensitive) != 0) {
                block.heading = sub.text;
                headed.append(sub.text);
            }
        }
        block.caption = !section.isEmpty()                 ? section
                        : !pageCaption(formPage).isEmpty() ? pageCaption(formPage).toUpper()
                                                           : pageTitle.mid(5).trimmed();
        for (const declaration::CasillaDef* casilla : members) {
            const auto sub = std::find_if(L::subHeadings().cbegin(), L::subHeadings().cend(),
                                          [casilla](const L::SubHeading& h) { return h.casilla == casilla->number; });
            if (sub != L::subHeadings().cend() && !block.casillas.isEmpty()) {
                blocks.append(block);
                block = Block{};
            }
            if (sub != L::subHeadings().cend()) {
                block.caption = sub->text.trimmed() == block.caption ? block.caption : sub->text;
            }
            block.casillas.append(casilla);
        }
        blocks.append(block);
    }
    return blocks;
}

} // namespace

DeclarationReport::DeclarationReport(store::Database& db, store::DeclarationKey key, std::optional<QString> correl)
    : m_db(db), m_key(std::move(key)), m_correl(std::move(correl)) {
    readHeader();
    readValues();
}

void DeclarationReport::readHeader() {
    m_header.ruc = m_key.ruc;
    m_header.periodo = m_key.periodo;
    if (m_correl) {
        const store::SqlFilter filter = m_key.versionFilter(*m_correl);
        QSqlQuery query =
            m_db.run(QStringLiteral("SELECT NORDEN, CONTROL, FEC_ENV FROM HCAB") + filter.text, filter.values);
        if (query.next()) {
            m_found = true;
            m_header.norden = query.value(0).toString().trimmed();
            m_header.control = query.value(1).toString().trimmed();
            m_header.fecEnv = dateText(query.value(2).toString());
        }
    } else {
        const store::SqlFilter filter = m_key.filter();
        m_found = m_db.scalar(QStringLiteral("SELECT count(*) FROM CAB") + filter.text, filter.values).toInt() > 0;
    }
    m_header.nombre = m_db.scalar(QStringLiteral("SELECT NOMBRE FROM CONT WHERE TIP_DOC_D=? AND DOC_ID_D=?"),
                                  {store::DeclarationKey::kTipDocD, m_key.ruc})
                          .toString()
                          .trimmed();
}

void DeclarationReport::readValues() {
    const store::SqlFilter filter = m_correl ? m_key.versionFilter(*m_correl) : m_key.filter();
    const QString table = m_correl ? QStringLiteral("HDET") : QStringLiteral("DET");
    QSqlQuery query = m_db.run(QStringLiteral("SELECT CASILLA, i_valor FROM ") + table + filter.text +
                                   QStringLiteral(" ORDER BY CASILLA"),
                               filter.values);
    while (query.next()) {
        m_values.insert(query.value(0).toString().trimmed().toInt(), query.value(1).toString());
    }
}

int DeclarationReport::chart() const {
    const int chart = m_values.value(870).trimmed().toInt();
    return chart == 1 || chart == 2 ? chart : 0;
}

std::optional<QString> DeclarationReport::answerText(int casilla) const {
    const declaration::ControlDef* control = declaration::FormControls::instance().answeredIn(casilla);
    if (control == nullptr || control->kind != declaration::ControlKind::OptionGroup || control->members.isEmpty()) {
        return std::nullopt;
    }
    const QString stored = m_values.value(casilla).trimmed();
    int index = stored.toInt();
    if (!control->answerLetters.isEmpty()) {
        index = static_cast<int>(control->answerLetters.indexOf(stored));
    }
    QString member = control->members.value(index);
    if (member.isEmpty() || stored.isEmpty()) {
        return stored;
    }
    member.remove(QLatin1Char('&'));
    member = member.simplified();
    if (member.compare(QLatin1String("Si"), Qt::CaseInsensitive) == 0) {
        return QStringLiteral("Sí");
    }
    return member;
}

QString DeclarationReport::printedValue(int casilla) const {
    if (!m_values.contains(casilla)) {
        return {};
    }
    if (const std::optional<QString> answer = answerText(casilla)) {
        return *answer;
    }
    if (casilla == 137) { // the option for the balance in favour
        const QString option = m_values.value(casilla).trimmed();
        if (option == QLatin1String("1")) {
            return QStringLiteral("1.- Devolución");
        }
        if (option == QLatin1String("2")) {
            return QStringLiteral("2.- Aplic. F. P.");
        }
    }
    const QString stored = m_values.value(casilla);
    const declaration::CasillaDef* def = declaration::CasillaCatalog::instance().find(casilla);
    if (def == nullptr || def->value == declaration::ValueClass::Text) {
        return stored.trimmed();
    }
    if (stored.trimmed().isEmpty()) {
        return {};
    }
    // Amounts print with the sign in parentheses; the other classes keep their own masks.
    const bool amount =
        def->value == declaration::ValueClass::Amount || def->value == declaration::ValueClass::SignedAmount;
    return app::formatNumber(app::val(stored), amount ? app::masks::kSigned : def->displayMask());
}

int DeclarationReport::writeFormHeader(ReportWriter& writer, const QString& title) const {
    const QString form = QStringLiteral("DECLARACIÓN PAGO ANUAL IMPUESTO A LA RENTA");
    const QString kind = QStringLiteral("TERCERA CATEGORIA");
    const QString year = QStringLiteral("Ejercicio gravable ") + m_header.periodo;
    writer.box(L::kLeft, 0, L::kRight, 5);
    writer.text(12, 0.5, QStringLiteral("KOLVA"), true, 10);
    writer.text(12, 1.7, QStringLiteral("DECLARACIÓN"));
    writer.text(12, 2.7, QStringLiteral("PAGO"));
    writer.text(centredColumn(form), 1, form, true);
    writer.text(centredColumn(kind), 2, kind, true);
    writer.text(centredColumn(year), 3, year);
    writer.box(88, 0, L::kRight, 5);
    writer.text(90, 0.5, QStringLiteral("Copia para el"));
    writer.text(90, 1.5, QStringLiteral("Contribuyente"));
    writer.text(90, 2.7, QStringLiteral("Nro.Control: ") + m_header.control);
    writer.text(90, 3.7, QStringLiteral("Nro. Orden: ") + m_header.norden);
    writer.box(L::kLeft, 5.5, L::kRight, 7);
    writer.text(12, 5.7, QStringLiteral("RUC"), true);
    writer.text(16, 5.7, m_header.ruc);
    writer.text(30, 5.7, QStringLiteral("RAZON SOCIAL"), true);
    writer.text(43, 5.7, m_header.nombre.left(L::kRight - 44));
    writer.text(12, L::kTitleRow, title, true);
    return L::kFirstSectionRow;
}

void DeclarationReport::writeFormPage(ReportWriter& writer, int reportPage, bool first) const {
    const L::ReportPage& page = L::pages().at(reportPage);
    if (!first) {
        writer.newPage();
    }
    int row = writeFormHeader(writer, page.title);
    const L::Cell* cells[] = {page.columns == 1 ? &L::kWideCell : &L::kLeftCell, &L::kRightCell};
    // The lines a casilla takes: its label wrapped, and a text value wrapped beside it.
    struct Lines {
        QStringList label;
        QStringList value; // text values: one per line; amounts: one
        bool text = false;
    };
    const auto linesOf = [this](const L::Cell& cell, const declaration::CasillaDef& casilla) {
        Lines lines;
        lines.label = wrapText(casilla.label, cell.labelWidth);
        const QString value = printedValue(casilla.number);
        lines.text = casilla.value == declaration::ValueClass::Text || answerText(casilla.number).has_value();
        if (lines.text) {
            lines.value = value.isEmpty() ? QStringList() : wrapText(value, cell.textWidth);
        } else if (!value.isEmpty()) {
            lines.value = {value};
        }
        return lines;
    };
    const auto height = [](const Lines& lines) {
        return static_cast<int>(std::max(lines.label.size(), lines.value.size()));
    };
    const auto draw = [&writer](const L::Cell& cell, int rowAt, const declaration::CasillaDef& casilla,
                                const Lines& lines) {
        for (qsizetype i = 0; i < lines.label.size(); ++i) {
            writer.text(cell.label, rowAt + static_cast<int>(i), lines.label.at(i));
        }
        writer.text(cell.number, rowAt, QString::number(casilla.number).rightJustified(3));
        for (qsizetype i = 0; i < lines.value.size(); ++i) {
            if (lines.text) {
                writer.text(cell.number + 4, rowAt + static_cast<int>(i), lines.value.at(i));
            } else {
                writer.text(cell.value, rowAt, lines.value.at(i).rightJustified(L::kValueWidth));
            }
        }
    };
    // Every box of the form prints; a casilla without a box (an answer, a detail kept by a
    // window) prints where the declaration has a value for it.
    QList<const declaration::CasillaDef*> printed;
    for (const declaration::CasillaDef* casilla : L::casillasOf(reportPage, chart())) {
        const bool shown = casilla->hasBox && casilla->kind != declaration::BoxKind::Hidden;
        if (shown || m_values.contains(casilla->number)) {
            printed.append(casilla);
        }
    }
    for (const Block& block : blocksOf(printed, page.title)) {
        qsizetype done = 0;
        bool headed = block.heading.isEmpty();
        while (done < block.casillas.size()) {
            const int headingRows = headed ? 0 : 2;
            int available = L::kLastRow - row - 1 - headingRows;
            if (available < 1) {
                writer.newPage();
                row = writeFormHeader(writer, page.title + kContinued);
                available = L::kLastRow - row - 1 - headingRows;
            }
            if (!headed) {
                writer.text(12, row, block.heading, true);
                row += headingRows;
                headed = true;
            }
            // As many casillas as fit: the first half (by lines) in the left column, the rest
            // in the right one.
            QList<Lines> left;
            QList<Lines> right;
            int leftRows = 0;
            int rightRows = 0;
            qsizetype count = 0;
            if (page.columns == 1) {
                while (done + count < block.casillas.size()) {
                    const Lines lines = linesOf(*cells[0], *block.casillas.at(done + count));
                    if (leftRows + height(lines) > available && count > 0) {
                        break;
                    }
                    left.append(lines);
                    leftRows += height(lines);
                    ++count;
                }
            } else {
                // The lines of what is left of the block, then the longest run of it whose halves fit.
                QList<Lines> all;
                for (qsizetype i = done; i < block.casillas.size(); ++i) {
                    all.append(linesOf(*cells[0], *block.casillas.at(i)));
                }
                qsizetype fits = 0;
                int total = 0;
                for (qsizetype n = 1; n <= all.size(); ++n) {
                    total += height(all.at(n - 1));
                    int l = 0;
                    qsizetype split = 0;
                    while (split < n && (l < (total + 1) / 2 || split == 0)) {
                        l += height(all.at(split));
                        ++split;
                    }
                    if (std::max(l, total - l) > available && n > 1) {
                        break;
                    }
                    fits = n;
                    left = all.mid(0, split);
                    right = all.mid(split, n - split);
                    leftRows = l;
                    rightRows = total - l;
                }
                count = fits;
            }
            const int rows = std::max(leftRows, rightRows);
            writer.box(L::kLeft, row, L::kRight, row + 1 + rows + 0.3);
            writer.text(12, row + 0.2, block.caption, true);
            int at = row + 1;
            for (qsizetype i = 0; i < left.size(); ++i) {
                draw(*cells[0], at, *block.casillas.at(done + i), left.at(i));
                at += height(left.at(i));
            }
            at = row + 1;
            for (qsizetype i = 0; i < right.size(); ++i) {
                draw(*cells[1], at, *block.casillas.at(done + left.size() + i), right.at(i));
                at += height(right.at(i));
            }
            done += count;
            row += rows + 2;
        }
    }
}

void DeclarationReport::writeSection(ReportWriter& writer, const AnnexSection& section) const {
    writer.setHeaderKind(ReportWriter::kStandardHeader);
    writer.setWidth(section.landscape ? AnnexSections::kLandscapeWidth : AnnexSections::kPortraitWidth);
    writer.setTitleBlock({section.title, QStringLiteral("RUC: ") + m_header.ruc + QStringLiteral("  ") +
                                             m_header.nombre + QStringLiteral("  Ejercicio ") + m_header.periodo});
    writer.setColumnHeadings(section.headingLines());
    writer.newPage();
    for (const QStringList& row : section.rows) {
        for (const QString& line : section.formatLines(row)) {
            writer.line(line);
        }
    }
    if (!section.totalLabel.isEmpty()) {
        writer.line(QString(section.lineWidth(), QLatin1Char('-')));
        QStringList totals = section.totals;
        // The label takes the place of the first columns that carry no sum.
        QString label = section.totalLabel;
        qsizetype c = 0;
        int room = 0;
        while (c < totals.size() && totals.at(c).isEmpty()) {
            room += section.widths.at(c) + 1;
            ++c;
        }
        const QString tail = section.formatRow(totals).mid(room);
        writer.setBold(true);
        writer.line(label.leftJustified(room, QLatin1Char(' '), room > 0) + tail);
        writer.setBold(false);
    }
}

ReportWriter DeclarationReport::write(bool withAnnexes, const QDateTime& printedAt) const {
    ReportWriter writer(printedAt, ReportWriter::kDefaultWidth, ReportWriter::kOwnHeader);
    writer.start();
    for (int page = 0; page < L::pages().size(); ++page) {
        writeFormPage(writer, page, page == 0);
    }
    if (withAnnexes) {
        for (const AnnexSection& section : AnnexSections::read(m_db, m_key, m_correl)) {
            writeSection(writer, section);
        }
    }
    return writer;
}

} // namespace qel::printing
