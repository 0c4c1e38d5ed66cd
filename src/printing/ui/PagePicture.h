#pragma once

#include <QWidget>

namespace qel::printing {

class ReportPreview;

// picPrevia: the current page of the preview at its zoom, painted by ReportPainter.
class PagePicture : public QWidget {
    Q_OBJECT

public:
    explicit PagePicture(const ReportPreview& preview, QWidget* parent = nullptr);

    // Follows the page's orientation and the zoom.
    void refresh();
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double scale() const; // screen pixels per point
    const ReportPreview& m_preview;
};

} // namespace qel::printing
