#include "platform/qrpreview.h"

#include "platform/report.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include <cmath>

// The sheet of paper in the scroll area: draws the preview's current page when painted.
class TQRPreview::Page : public QWidget {
public:
    explicit Page(TQRPreview* preview) : QWidget(preview), m_preview(preview) {}

protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter painter(this);
        painter.fillRect(event->rect(), Qt::white);
        const TQuickReport* report = m_preview->m_report;
        if (!report || m_preview->m_pageNumber < 1)
            return;
        painter.setClipRect(event->rect());
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.setPen(Qt::black);
        const qreal scale = m_preview->m_zoom / 100.0;
        painter.scale(scale, scale);
        report->DrawPage(painter, m_preview->m_pageNumber - 1);
        ++m_preview->m_pagesDrawn;
    }

private:
    TQRPreview* m_preview;
};

TQRPreview::TQRPreview(QWidget* parent) : QScrollArea(parent), m_page(new Page(this)) {
    setBackgroundRole(QPalette::Dark);
    setAlignment(Qt::AlignCenter);
    setWidgetResizable(false);
    setWidget(m_page);
    resizePage();
}

void TQRPreview::setReport(TQuickReport* report) {
    m_report = report;
    m_pageNumber = report && report->PageCount() > 0 ? 1 : 0;
    resizePage();
    m_page->update();
}

void TQRPreview::setPageNumber(int page) {
    const int count = m_report ? m_report->PageCount() : 0;
    if (page < 1 || page > count || page == m_pageNumber)
        return;
    m_pageNumber = page;
    verticalScrollBar()->setValue(0);
    m_page->update();
}

void TQRPreview::setZoom(int percent) {
    if (percent <= 0 || percent == m_zoom)
        return;
    m_zoom = percent;
    resizePage();
    m_page->update();
}

void TQRPreview::resizePage() {
    const QSizeF paper = m_report ? m_report->PaperSize() : QSizeF();
    const qreal scale = m_zoom / 100.0;
    m_page->resize(std::max(1, int(std::lround(paper.width() * scale))),
                   std::max(1, int(std::lround(paper.height() * scale))));
}
