#include "printing/ui/PagePicture.h"

#include "printing/ReportPainter.h"
#include "printing/ReportPreview.h"

#include <QPainter>

namespace qel::printing {

PagePicture::PagePicture(const ReportPreview& preview, QWidget* parent) : QWidget(parent), m_preview(preview) {
    setObjectName(QStringLiteral("picPrevia"));
    setAutoFillBackground(false);
    refresh();
}

double PagePicture::scale() const {
    return m_preview.zoom() * logicalDpiX() / 72.0;
}

QSize PagePicture::sizeHint() const {
    if (m_preview.pageCount() == 0) {
        return {200, 200};
    }
    const QSizeF points = ReportPainter::pageSizePoints(m_preview.document().page(m_preview.currentPage()));
    return (points * scale()).toSize();
}

void PagePicture::refresh() {
    resize(sizeHint());
    update();
}

void PagePicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Mid));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    ReportPainter::paint(painter, m_preview.document(), m_preview.currentPage(), scale());
}

} // namespace qel::printing
