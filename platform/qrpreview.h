#pragma once

#include <QScrollArea>

class TQuickReport;

// Shows one prepared page of a report at a zoom, drawing only that page when it is painted.
class TQRPreview : public QScrollArea {
    Q_OBJECT
public:
    explicit TQRPreview(QWidget* parent = nullptr);

    // Shows `report`'s pages from page 1 (page 0 when it has none).
    void setReport(TQuickReport* report);
    TQuickReport* report() const { return m_report; }

    // The page shown, from 1. Values below 1, above the page count or equal to it are ignored.
    int PageNumber() const { return m_pageNumber; }
    void setPageNumber(int page);

    // Percent of the page's full size at 96 pixels per inch.
    int Zoom() const { return m_zoom; }
    void setZoom(int percent);

    int pagesDrawn() const { return m_pagesDrawn; }

private:
    class Page;
    void resizePage();

    Page* m_page;
    TQuickReport* m_report = nullptr;
    int m_pageNumber = 0;
    int m_zoom = 100;
    int m_pagesDrawn = 0;
};
