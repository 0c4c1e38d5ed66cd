#include "printing/PageRangeModel.h"

#include "base/Prompter.h"

#include <QStringList>

namespace qel::printing {

const QString PageRangeModel::kWindowName = QStringLiteral("frmImpxPag");

namespace {

QString digitsOf(const QString& text) {
    QString digits;
    for (const QChar c : text) {
        if (c.isDigit()) {
            digits.append(c);
        }
    }
    return digits.left(5);
}

QString quoted(const QString& text) {
    return QLatin1Char('"') + text + QLatin1Char('"');
}

} // namespace

std::optional<PageRangeModel::Chosen> PageRangeModel::chosen(const QString& result) {
    const QStringList parts = result.split(QLatin1Char(' '));
    const QStringList pages = parts.value(0).split(QLatin1Char('-'));
    if (parts.size() != 2 || pages.size() != 2) {
        return std::nullopt;
    }
    return Chosen{PageRange{pages.at(0).toInt(), pages.at(1).toInt()}, parts.at(1) == QLatin1String("P")};
}

PageRangeModel::PageRangeModel(int totalPages, app::Prompter& prompter) : m_total(totalPages), m_prompter(prompter) {}

void PageRangeModel::setFrom(const QString& text) {
    m_from = digitsOf(text);
}

void PageRangeModel::setTo(const QString& text) {
    m_to = digitsOf(text);
}

bool PageRangeModel::accept(bool pdf) {
    const PageRangeCheck checked = PageRangeCheck::check(m_from, m_to, m_total);
    if (!checked.range) {
        m_prompter.message(checked.message, PageRange::kTitle, app::Icon::Exclamation);
        return false;
    }
    m_result = QStringLiteral("%1-%2 %3").arg(checked.range->first).arg(checked.range->last).arg(pdf ? 'P' : 'I');
    m_closed = true;
    return true;
}

QList<app::DeclaredControl> PageRangeModel::declaredControls() {
    QList<app::DeclaredControl> controls;
    app::DeclaredControl from(QStringLiteral("txtDesde"), QStringLiteral("text"));
    from.type = [this](const QString& value) {
        setFrom(value);
        return true;
    };
    from.state = [this] { return quoted(m_from); };
    controls.append(from);
    app::DeclaredControl to(QStringLiteral("txtHasta"), QStringLiteral("text"));
    to.type = [this](const QString& value) {
        setTo(value);
        return true;
    };
    to.state = [this] { return quoted(m_to); };
    controls.append(to);
    app::DeclaredControl total(QStringLiteral("lblTotal"), QStringLiteral("label"));
    total.state = [this] { return quoted(QString::number(m_total)); };
    controls.append(total);
    // A range that fails its check is told and the window stays open; the click itself went through.
    app::DeclaredControl print(QStringLiteral("cmdImprimir"), QStringLiteral("command"));
    print.click = [this](int) {
        accept(false);
        return true;
    };
    controls.append(print);
    app::DeclaredControl pdf(QStringLiteral("cmdPdf"), QStringLiteral("command"));
    pdf.click = [this](int) {
        accept(true);
        return true;
    };
    controls.append(pdf);
    app::DeclaredControl cancelButton(QStringLiteral("cmdCancelar"), QStringLiteral("command"));
    cancelButton.click = [this](int) {
        cancel();
        return true;
    };
    controls.append(cancelButton);
    return controls;
}

} // namespace qel::printing
