#include "printing/DeclarationReport.h"

#include "base/NumberFormat.h"
#include "declaration/catalogue/CasillaCatalog.h"
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

// The sections of a page's casillas, in the order they first appear.
QList<std::pair<QString, QList<const declaration::CasillaDef*>>>
sectionsOf(const QList<const declaration::CasillaDef*>& casillas) {
    QList<std::pair<QString, QList<const declaration::CasillaDef*>>> sections;
    for (const declaration::CasillaDef* casilla : casillas) {
        auto found = std::find_if(sections.begin(), sections.end(),
                                  [casilla](const auto& section) { return section.first == casilla->section; });
        if (found == sections.end()) {
            sections.append({casilla->section, {}});
            found = sections.end() - 1;
        }
        found->second.append(casilla);
    }
    return sections;
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

QString DeclarationReport::printedValue(int casilla) const {
    if (!m_values.contains(casilla)) {
        return {};
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
    const auto cellText = [this, &writer](const L::Cell& cell, int rowAt, const declaration::CasillaDef& casilla) {
        writer.text(cell.label, rowAt, casilla.label.trimmed().left(cell.labelWidth));
        writer.text(cell.number, rowAt, QString::number(casilla.number).rightJustified(3));
        const QString value = printedValue(casilla.number);
        if (casilla.value == declaration::ValueClass::Text) {
            writer.text(cell.number + 4, rowAt, value.left(cell.textWidth));
        } else if (!value.isEmpty()) {
            writer.text(cell.value, rowAt, value.rightJustified(L::kValueWidth));
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
    for (const auto& [caption, casillas] : sectionsOf(printed)) {
        qsizetype done = 0;
        while (done < casillas.size()) {
            int available = L::kLastRow - row - 1;
            if (available < 1) {
                writer.newPage();
                row = writeFormHeader(writer, page.title + kContinued);
                available = L::kLastRow - row - 1;
            }
            const qsizetype count = std::min<qsizetype>(casillas.size() - done, available * page.columns);
            const int rows = static_cast<int>((count + page.columns - 1) / page.columns);
            writer.box(L::kLeft, row, L::kRight, row + 1 + rows + 0.3);
            writer.text(12, row + 0.2, caption.isEmpty() ? page.title.mid(5).trimmed() : caption, true);
            for (qsizetype i = 0; i < count; ++i) {
                const declaration::CasillaDef& casilla = *casillas.at(done + i);
                if (page.columns == 1) {
                    cellText(L::kWideCell, row + 1 + static_cast<int>(i), casilla);
                } else {
                    const bool left = i < rows;
                    cellText(left ? L::kLeftCell : L::kRightCell, row + 1 + static_cast<int>(left ? i : i - rows),
                             casilla);
                }
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
    writer.setColumnHeadings({section.formatRow(section.headings)});
    writer.newPage();
    for (const QStringList& row : section.rows) {
        writer.line(section.formatRow(row));
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
