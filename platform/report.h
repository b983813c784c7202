#pragma once

#include <QFont>
#include <QObject>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class QPainter;
class QPrinter;
class TQuickReport;

// Layout coordinates are pixels at 96 per inch; pages are scaled to the device when drawn.
inline constexpr int ReportLayoutDpi = 96;

// One thing drawn on a prepared page: a run of text clipped to its rectangle, in page
// coordinates. Fonts live once in the report's font table.
struct TQRItem {
    QRectF Rect;
    QString Text;
    int Font = 0;
};

// A prepared page: what to draw, nothing rendered yet.
struct TQRPage {
    std::vector<TQRItem> Items;
};

enum TQRBandType { rbPageHeader, rbDetail };
enum TQRSysDataType { qrsPageNumber };

// Anything placed on a band, at a position and size in band coordinates.
class TQRPrintable : public QObject {
    Q_OBJECT
public:
    explicit TQRPrintable(QObject* owner = nullptr);

    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    QFont Font;

    void setBounds(int left, int top, int width, int height);
    QRectF rect() const { return QRectF(Left, Top, Width, Height); }

    // Appends what this control prints on `page` for a band whose top lies at `bandTop`.
    virtual void print(TQuickReport& report, TQRPage& page, qreal bandTop,
                       int pageNumber) const = 0;
};

// A one-line caption; with AutoSize it takes the width and height of its text.
class TQRLabel : public TQRPrintable {
    Q_OBJECT
public:
    explicit TQRLabel(QObject* owner = nullptr);

    bool AutoSize = false;

    QString Caption() const { return m_caption; }
    void setCaption(const QString& caption);
    void print(TQuickReport& report, TQRPage& page, qreal bandTop, int pageNumber) const override;

private:
    QString m_caption;
};

// Multi-line text, word-wrapped at its width. The lines are laid out once when the text is
// set, so the line count and the printed lines agree.
class TQRMemo : public TQRPrintable {
    Q_OBJECT
public:
    explicit TQRMemo(QObject* owner = nullptr);

    bool WordWrap = true;

    // Line breaks are CR LF, a lone LF or a lone CR.
    void setText(const QString& text);
    QString Text() const { return m_text; }

    // The lines as laid out at the memo's width and font, not counting a last line that is empty.
    int LineCount() const { return static_cast<int>(m_lines.size()); }
    QStringList Lines() const;
    // From the memo's top to the bottom of its last counted line.
    qreal TextHeight() const { return m_textHeight; }

    void print(TQuickReport& report, TQRPage& page, qreal bandTop, int pageNumber) const override;

private:
    struct Line {
        int start;
        int length;
        qreal y;
        qreal height;
    };
    QString m_text;
    std::vector<Line> m_lines;
    qreal m_textHeight = 0;
};

// A field the report fills in itself: the page number.
class TQRSysData : public TQRPrintable {
    Q_OBJECT
public:
    explicit TQRSysData(QObject* owner = nullptr);

    TQRSysDataType Data = qrsPageNumber;

    void print(TQuickReport& report, TQRPage& page, qreal bandTop, int pageNumber) const override;
};

// A horizontal strip of the report holding controls.
class TQRBand : public QObject {
    Q_OBJECT
public:
    TQRBand(TQRBandType type, QObject* owner = nullptr);

    TQRBandType BandType;
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;

    void setBounds(int left, int top, int width, int height);
    void add(TQRPrintable* control) { m_controls.push_back(control); }
    const std::vector<TQRPrintable*>& controls() const { return m_controls; }

private:
    std::vector<TQRPrintable*> m_controls;
};

// The report: a page header band printed at the top of every page and a detail band printed
// once per record, records asked for through OnNeedData until it answers MoreData false.
class TQuickReport : public QObject {
    Q_OBJECT
public:
    explicit TQuickReport(QObject* owner = nullptr);
    ~TQuickReport() override;

    std::function<void(QObject* sender, bool& MoreData)> OnNeedData;

    void addBand(TQRBand* band) { m_bands.push_back(band); }

    // Lays out every page anew from the need-data sequence, on the report printer's paper.
    void Prepare();
    // Prepares, then hands the pages to the report printer's preview hook (or a plain preview
    // window when none is installed); the pages are discarded when it returns.
    void Preview();
    // Prints the prepared pages on the report printer, asking for no records.
    void Print();
    // Draws the prepared pages on `printer`, one sheet per page; false when it could not print.
    bool PrintTo(QPrinter& printer) const;
    void ClearPages();

    int PageCount() const { return static_cast<int>(m_pages.size()); }
    const TQRPage& page(int index) const { return m_pages[static_cast<size_t>(index)]; }
    // The paper of the last preparation in layout pixels: the report printer's paper at each
    // preparation, unless a paper size was set here.
    QSizeF PaperSize() const { return m_paper; }
    void setPaperSize(const QSizeF& paper) { m_paper = m_fixedPaper = paper; }

    // Draws page `index` (from 0) in layout coordinates on a painter already scaled to them.
    void DrawPage(QPainter& painter, int index) const;

    int fontIndex(const QFont& font);
    const QFont& font(int index) const { return m_fonts[static_cast<size_t>(index)]; }

private:
    void placeBand(const TQRBand& band, qreal& y, int& pageNumber, const TQRBand* header);
    void startPage(int& pageNumber, qreal& y, const TQRBand* header);

    std::vector<TQRBand*> m_bands;
    std::vector<TQRPage> m_pages;
    std::vector<QFont> m_fonts;
    size_t m_lastFont = 0;
    QSizeF m_paper;
    QSizeF m_fixedPaper;
};
