#include "platform/report.h"

#include "platform/qrpreview.h"
#include "platform/qrprinter.h"

#include <QDialog>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QTextLayout>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

TQRPrintable::TQRPrintable(QObject* owner) : QObject(owner) {
}

void TQRPrintable::setBounds(int left, int top, int width, int height) {
    Left = left;
    Top = top;
    Width = width;
    Height = height;
}

// Appends `text` clipped to `rect` unless nothing of it would show.
static void addItem(TQRPage& page, const QRectF& rect, const QString& text, int font) {
    if (text.isEmpty() || rect.width() <= 0 || rect.height() <= 0)
        return;
    page.Items.push_back(TQRItem{rect, text, font});
}

TQRLabel::TQRLabel(QObject* owner) : TQRPrintable(owner) {
}

void TQRLabel::setCaption(const QString& caption) {
    m_caption = caption;
    if (AutoSize) {
        const QFontMetricsF metrics(Font);
        Width = static_cast<int>(std::ceil(metrics.horizontalAdvance(caption)));
        Height = static_cast<int>(std::ceil(metrics.height()));
    }
}

void TQRLabel::print(TQuickReport& report, TQRPage& page, qreal bandTop, int) const {
    addItem(page, QRectF(Left, bandTop + Top, Width, Height), m_caption, report.fontIndex(Font));
}

TQRMemo::TQRMemo(QObject* owner) : TQRPrintable(owner) {
}

void TQRMemo::setText(const QString& text) {
    m_text = text;
    m_lines.clear();
    m_textHeight = 0;

    QTextOption option;
    option.setWrapMode(WordWrap ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
    const qreal width = Width;
    qreal y = 0;
    const QChar* const chars = m_text.constData();
    const qsizetype size = m_text.size();
    const auto isBreak = [](QChar c) {
        return c == u'\r' || c == u'\n';
    };
    qsizetype start = 0;
    while (true) {
        const qsizetype end = std::find_if(chars + start, chars + size, isBreak) - chars;
        const qsizetype length = end - start;
        if (length == 0) {
            // An empty line still takes a line of the memo.
            const qreal height = QFontMetricsF(Font).height();
            m_lines.push_back(Line{static_cast<int>(start), 0, y, height});
            y += height;
        } else {
            QTextLayout layout(m_text.mid(start, length), Font);
            layout.setTextOption(option);
            layout.setCacheEnabled(false);
            layout.beginLayout();
            for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
                line.setLineWidth(width);
                m_lines.push_back(Line{static_cast<int>(start + line.textStart()),
                                       line.textLength(), y, line.height()});
                y += line.height();
            }
            layout.endLayout();
        }
        if (end >= size)
            break;
        // CR LF is one break; a lone CR or LF is one too.
        start = end + ((chars[end] == u'\r' && end + 1 < size && chars[end + 1] == u'\n') ? 2 : 1);
    }
    if (!m_lines.empty() && m_lines.back().length == 0)
        m_lines.pop_back();
    m_textHeight = m_lines.empty() ? 0 : m_lines.back().y + m_lines.back().height;
}

QStringList TQRMemo::Lines() const {
    QStringList lines;
    for (const Line& line : m_lines)
        lines.append(m_text.mid(line.start, line.length));
    return lines;
}

void TQRMemo::print(TQuickReport& report, TQRPage& page, qreal bandTop, int) const {
    const int font = report.fontIndex(Font);
    const QRectF memo(Left, bandTop + Top, Width, Height);
    for (const Line& line : m_lines) {
        if (line.y >= Height)
            break;
        const QRectF rect =
            QRectF(Left, bandTop + Top + line.y, Width, line.height).intersected(memo);
        addItem(page, rect, m_text.mid(line.start, line.length), font);
    }
}

TQRSysData::TQRSysData(QObject* owner) : TQRPrintable(owner) {
}

void TQRSysData::print(TQuickReport& report, TQRPage& page, qreal bandTop, int pageNumber) const {
    addItem(page, QRectF(Left, bandTop + Top, Width, Height), QString::number(pageNumber),
            report.fontIndex(Font));
}

TQRBand::TQRBand(TQRBandType type, QObject* owner) : QObject(owner), BandType(type) {
}

void TQRBand::setBounds(int left, int top, int width, int height) {
    Left = left;
    Top = top;
    Width = width;
    Height = height;
}

TQuickReport::TQuickReport(QObject* owner) : QObject(owner) {
}

TQuickReport::~TQuickReport() = default;

int TQuickReport::fontIndex(const QFont& font) {
    // Reports use a handful of fonts: the last one found is nearly always the next one asked for.
    if (m_lastFont < m_fonts.size() && m_fonts[m_lastFont] == font)
        return static_cast<int>(m_lastFont);
    for (size_t i = 0; i < m_fonts.size(); ++i) {
        if (m_fonts[i] == font) {
            m_lastFont = i;
            return static_cast<int>(i);
        }
    }
    m_fonts.push_back(font);
    m_lastFont = m_fonts.size() - 1;
    return static_cast<int>(m_lastFont);
}

static QSizeF paperOf(QPrinter& printer) {
    const QRectF points = printer.pageLayout().fullRectPoints();
    return points.size() * (ReportLayoutDpi / 72.0);
}

void TQuickReport::startPage(int& pageNumber, qreal& y, const TQRBand* header) {
    m_pages.emplace_back();
    ++pageNumber;
    y = 0;
    if (header) {
        for (const TQRPrintable* control : header->controls())
            control->print(*this, m_pages.back(), y, pageNumber);
        y += header->Height;
    }
}

void TQuickReport::placeBand(const TQRBand& band, qreal& y, int& pageNumber,
                             const TQRBand* header) {
    const qreal pageTop = header ? header->Height : 0;
    const qreal bottom = m_paper.height();
    if (y + band.Height > bottom && y > pageTop)
        startPage(pageNumber, y, header);

    if (y + band.Height <= bottom) {
        for (const TQRPrintable* control : band.controls())
            control->print(*this, m_pages.back(), y, pageNumber);
        y += band.Height;
        return;
    }

    // A band taller than a whole page goes on over the next pages, broken between its lines,
    // so nothing of it is cut off.
    TQRPage pieces;
    for (const TQRPrintable* control : band.controls())
        control->print(*this, pieces, y, pageNumber);
    std::stable_sort(
        pieces.Items.begin(), pieces.Items.end(),
        [](const TQRItem& a, const TQRItem& b) { return a.Rect.top() < b.Rect.top(); });
    qreal shift = 0;
    for (TQRItem& item : pieces.Items) {
        item.Rect.translate(0, shift);
        if (item.Rect.bottom() > bottom && item.Rect.top() > pageTop) {
            qreal top = 0;
            startPage(pageNumber, top, header);
            const qreal move = top - item.Rect.top();
            shift += move;
            item.Rect.translate(0, move);
        }
        m_pages.back().Items.push_back(std::move(item));
    }
    y += band.Height + shift;
}

void TQuickReport::Prepare() {
    m_pages.clear();
    m_paper = m_fixedPaper.isEmpty() ? paperOf(QRPrinter->Printer()) : m_fixedPaper;

    const TQRBand* header = nullptr;
    const TQRBand* detail = nullptr;
    for (const TQRBand* band : m_bands) {
        if (band->BandType == rbPageHeader && !header)
            header = band;
        else if (band->BandType == rbDetail && !detail)
            detail = band;
    }

    int pageNumber = 0;
    qreal y = 0;
    startPage(pageNumber, y, header);
    if (!detail || !OnNeedData)
        return;
    while (true) {
        bool moreData = false;
        OnNeedData(this, moreData);
        if (!moreData)
            break;
        placeBand(*detail, y, pageNumber, header);
    }
}

void TQuickReport::ClearPages() {
    m_pages.clear();
    m_pages.shrink_to_fit();
}

void TQuickReport::Preview() {
    struct Discard {
        TQuickReport* report;
        ~Discard() { report->ClearPages(); }
    } discard{this};

    Prepare();
    if (QRPrinter->OnPreview) {
        QRPrinter->OnPreview();
        return;
    }
    QDialog window;
    window.setWindowTitle(QObject::tr("Preview"));
    auto* layout = new QVBoxLayout(&window);
    auto* preview = new TQRPreview(&window);
    layout->addWidget(preview);
    preview->setReport(this);
    window.resize(800, 600);
    window.exec();
}

void TQuickReport::DrawPage(QPainter& painter, int index) const {
    if (index < 0 || index >= PageCount())
        return;
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine;
    int current = -1;
    for (const TQRItem& item : m_pages[static_cast<size_t>(index)].Items) {
        if (item.Font != current) {
            painter.setFont(m_fonts[static_cast<size_t>(item.Font)]);
            current = item.Font;
        }
        painter.drawText(item.Rect, flags, item.Text);
    }
}

bool TQuickReport::PrintTo(QPrinter& printer) const {
    printer.setFullPage(true);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const qreal sx = printer.logicalDpiX() / qreal(ReportLayoutDpi);
    const qreal sy = printer.logicalDpiY() / qreal(ReportLayoutDpi);
    for (int i = 0; i < PageCount(); ++i) {
        if (i > 0 && !printer.newPage())
            return false;
        painter.save();
        painter.scale(sx, sy);
        DrawPage(painter, i);
        painter.restore();
    }
    return painter.end();
}
