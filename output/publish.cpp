#include "output/publish.h"

#include "platform/application.h"
#include "platform/screen.h"
#include "platform/stringgrid.h"
#include "store/datetime.h"
#include "ui/forms.h"
#include "ui/mainform.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <charconv>
#include <cstdint>

namespace {

// The page is built in one buffer and handed on whenever it grows past this, so a list of a
// million notes never needs the whole page in memory.
constexpr std::size_t PieceSize = std::size_t(4) << 20;

constexpr std::string_view LineEnd = "\r\n";

bool isValidUtf8(std::string_view text) {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const auto* end = p + text.size();
    while (p < end) {
        const unsigned char c = *p;
        if (c < 0x80) {
            ++p;
            continue;
        }
        int more = 0;
        std::uint32_t cp = 0;
        if (c >= 0xC2 && c <= 0xDF) {
            more = 1;
            cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            more = 2;
            cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            more = 3;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (end - p <= more)
            return false;
        for (int i = 1; i <= more; ++i) {
            if ((p[i] & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (p[i] & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
        if ((more == 2 && cp < 0x800) || (more == 3 && (cp < 0x10000 || cp > 0x10FFFF)) ||
            (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        p += more + 1;
    }
    return true;
}

void appendEscaped(std::string& out, std::string_view text) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::string_view with;
        switch (text[i]) {
        case '&': with = "&amp;"; break;
        case '<': with = "&lt;"; break;
        case '>': with = "&gt;"; break;
        case '"': with = "&quot;"; break;
        case '\'': with = "&#39;"; break;
        case '\n': with = LineEnd; break;
        default: continue;
        }
        out.append(text.data() + start, i - start);
        out.append(with);
        start = i + 1;
    }
    out.append(text.data() + start, text.size() - start);
}

// An id cell: empty reads as 0; anything but a whole decimal number matches no note.
bool parseId(const std::string& text, std::int32_t& id) {
    if (text.empty()) {
        id = 0;
        return true;
    }
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, id);
    return ec == std::errc() && ptr == end;
}

class PageBuilder {
public:
    PageBuilder(const std::function<bool(std::string_view)>& sink) : m_sink(sink) {
        m_out.reserve(PieceSize + (PieceSize >> 2));
    }

    PageBuilder& operator<<(std::string_view part) {
        m_out.append(part);
        return *this;
    }
    PageBuilder& text(std::string_view value) {
        AppendHtmlText(m_out, value);
        return *this;
    }
    PageBuilder& number(int n) {
        char digits[16];
        const auto [ptr, ec] = std::to_chars(digits, digits + sizeof digits, n);
        m_out.append(digits, ptr);
        return *this;
    }
    // Ends a line; false once the sink has refused a piece.
    bool endLine() {
        m_out.append(LineEnd);
        if (m_out.size() >= PieceSize)
            return flush();
        return m_ok;
    }
    bool flush() {
        if (m_ok && !m_out.empty())
            m_ok = m_sink(m_out);
        m_out.clear();
        return m_ok;
    }

private:
    const std::function<bool(std::string_view)>& m_sink;
    std::string m_out;
    bool m_ok = true;
};

const TNote* listedNote(TData& store, const TListedRows& rows, int row) {
    std::int32_t id = 0;
    if (!parseId(rows.idText(row), id))
        return nullptr;
    return store.FindNote(id);
}

const char* statusWord(const TNote& note) {
    return note.IsClosed() ? "Closed" : "Open";
}

} // namespace

void AppendHtmlText(std::string& out, std::string_view text) {
    if (isValidUtf8(text)) {
        appendEscaped(out, text);
        return;
    }
    const QByteArray utf8 = ToQString(std::string(text)).toUtf8();
    appendEscaped(out, std::string_view(utf8.constData(), std::size_t(utf8.size())));
}

std::string PercentEncoded(std::string_view name) {
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(name.size());
    for (const char ch : name) {
        const auto c = static_cast<unsigned char>(ch);
        const bool unreserved = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                                (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_' ||
                                c == '~';
        if (unreserved) {
            out += ch;
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 0x0F];
        }
    }
    return out;
}

TListedRows GridRows(const TStringGrid& grid) {
    return {grid.RowCount(), [&grid](int row) -> const std::string& { return grid.Cells(4, row); }};
}

bool WritePage(TData& store, const TListedRows& rows, const std::string& fileName,
               const std::string& dateTime, const std::function<bool(std::string_view)>& sink) {
    PageBuilder page(sink);
    const std::string link = PercentEncoded(fileName);

    page << "<html>";
    page.endLine();
    page << "<meta charset='utf-8'>";
    page.endLine();
    page << "<h1>Quillbox 1.3 - ";
    page.text(dateTime) << "</h1>";
    page.endLine();
    page << "<h2>Summary</h2>";
    page.endLine();
    page << "<table border='1' width='100%'>";
    page.endLine();
    page << "<tr>";
    page.endLine();
    page << "<td bgcolor='#0000FF'><font color='#FFFFFF'><strong>Status</strong></td>"
            "<td bgcolor='#0000FF'><font color='#FFFFFF'><strong>Title</strong></td>"
            "<td bgcolor='#0000FF'><font color='#FFFFFF'><strong>Category</strong></td>"
            "<td bgcolor='#0000FF'><font color='#FFFFFF'><strong>Date</strong></td>";
    page.endLine();
    page << "</tr>";
    if (!page.endLine())
        return false;

    int n = 0;
    for (int row = 1; row < rows.rowCount; ++row) {
        const TNote* note = listedNote(store, rows, row);
        if (!note)
            continue;
        ++n;
        page << "<tr>";
        page.endLine();
        page << "<td width='10%'>" << statusWord(*note) << "</td>";
        page.endLine();
        page << "<td width='50%'><a href='" << link << "#NOTE";
        page.number(n) << "'>";
        page.text(note->Title) << "</a></td>";
        page.endLine();
        page << "<td width='20%'>";
        page.text(note->Category) << "</td>";
        page.endLine();
        page << "<td width='20%'>";
        page.text(note->Date) << "</td>";
        page.endLine();
        page << "</tr>";
        if (!page.endLine())
            return false;
    }

    page << "</table>";
    page.endLine();
    page << "<h2>Detail</h2>";
    if (!page.endLine())
        return false;

    n = 0;
    for (int row = 1; row < rows.rowCount; ++row) {
        const TNote* note = listedNote(store, rows, row);
        if (!note)
            continue;
        ++n;
        page << "<a name='NOTE";
        page.number(n) << "'></a>";
        page.endLine();
        page << "<table border='1' width='100%'>";
        page.endLine();
        page << "<tr>";
        page.endLine();
        page << "<td width='10%' bgcolor='#0000FF'><font color='#FFFFFF'><strong>Status</strong></td>"
                "<td width='50%' bgcolor='#0000FF'><font color='#FFFFFF'><strong>Title</strong></td>"
                "<td width='20%' bgcolor='#0000FF'><font color='#FFFFFF'><strong>Category</strong></td>"
                "<td width='20%' bgcolor='#0000FF'><font color='#FFFFFF'><strong>Date</strong></td>";
        page.endLine();
        page << "</tr>";
        page.endLine();
        page << "<tr>";
        page.endLine();
        page << "<td width='10%'>" << statusWord(*note) << "</td>";
        page.endLine();
        page << "<td width='50%'>";
        page.text(note->Title) << "</td>";
        page.endLine();
        page << "<td width='20%'>";
        page.text(note->Category) << "</td>";
        page.endLine();
        page << "<td width='20%'>";
        page.text(note->Date) << "</td>";
        page.endLine();
        page << "</tr>";
        page.endLine();
        page << "<tr>";
        page.endLine();
        page << "<td colspan='4'>";
        page.text(note->Body) << "</td>";
        page.endLine();
        page << "</table>";
        page.endLine();
        page << "<hr>";
        if (!page.endLine())
            return false;
    }

    page << "</html>";
    page.endLine();
    return page.flush();
}

std::string PageText(TData& store, const TListedRows& rows, const std::string& fileName,
                     const std::string& dateTime) {
    std::string all;
    WritePage(store, rows, fileName, dateTime, [&all](std::string_view piece) {
        all.append(piece);
        return true;
    });
    return all;
}

TPublishResult PublishPage(TData& store, const TListedRows& rows, const std::string& path) {
    THourGlass hourGlass;
    TPublishResult result;
    const QString filePath = QString::fromStdString(path);
    result.path = QDir::toNativeSeparators(QFileInfo(filePath).absoluteFilePath()).toStdString();

    if (filePath.isEmpty()) {
        result.ok = false;
        result.error = "No file name was given.";
        return result;
    }

    QSaveFile file(filePath);
    if (!file.open(QIODevice::WriteOnly)) {
        result.ok = false;
        result.error = file.errorString().toStdString();
        return result;
    }

    const std::string fileName = QFileInfo(filePath).fileName().toStdString();
    const bool written =
        WritePage(store, rows, fileName, CurrentDateTimeText(), [&file](std::string_view piece) {
            return file.write(piece.data(), qint64(piece.size())) == qint64(piece.size());
        });
    if (!written) {
        result.ok = false;
        result.error = file.errorString().toStdString();
        file.cancelWriting();
        return result;
    }
    if (!file.commit()) {
        result.ok = false;
        result.error = file.errorString().toStdString();
    }
    return result;
}

TPublishResult TData::PublishHtml(const std::string& path) {
    if (!MainForm || !MainForm->StringGrid1) {
        THourGlass hourGlass;
        return {false, path, "There is no note list to publish."};
    }
    return PublishPage(*this, GridRows(*MainForm->StringGrid1), path);
}
