#pragma once

#include "app/PresentationModel.h"
#include "printing/PageRange.h"

#include <QString>
#include <optional>

namespace qel::app {
class Prompter;
}

namespace qel::printing {

// frmImpxPag without its widgets: the pages to print or to save as PDF, from (txtDesde) and
// to (txtHasta), digits only, with the report's count (lblTotal). cmdImprimir and cmdPdf check
// the range (the first failed check is told) and close with "FIRST-LAST I" or "FIRST-LAST P";
// cmdCancelar closes with nothing.
class PageRangeModel : public app::PresentationModel {
public:
    static const QString kWindowName; // "frmImpxPag"

    // What the window handed back: the range, and whether to save it as PDF rather than print.
    struct Chosen {
        PageRange range;
        bool pdf = false;
    };
    static std::optional<Chosen> chosen(const QString& result);

    PageRangeModel(int totalPages, app::Prompter& prompter);

    int total() const { return m_total; }
    const QString& from() const { return m_from; }
    const QString& to() const { return m_to; }
    // Keeps the digits of what is typed, five at most.
    void setFrom(const QString& text);
    void setTo(const QString& text);
    // cmdImprimir (pdf false) and cmdPdf: false, with the check's message, when the range fails.
    bool accept(bool pdf);
    void cancel() { m_closed = true; }
    std::optional<Chosen> chosen() const { return chosen(m_result); }

    // PresentationModel
    QString windowName() const override { return kWindowName; }
    QList<app::DeclaredControl> declaredControls() override;
    bool isClosed() const override { return m_closed; }
    QString result() const override { return m_result; }

private:
    int m_total;
    app::Prompter& m_prompter;
    QString m_from;
    QString m_to;
    QString m_result;
    bool m_closed = false;
};

} // namespace qel::printing
