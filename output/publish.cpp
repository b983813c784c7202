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

#include <algorithm>
#include <array>
#include <charconv>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// The page is built in one buffer and handed on whenever it grows past this, so a list of a
// million notes never needs the whole page in memory.
constexpr std::size_t PieceSize = std::size_t(4) << 20;

constexpr std::string_view LineEnd = "\r\n";

enum : unsigned char { Plain, Markup, NonAscii };

constexpr std::array<unsigned char, 256> byteKinds = [] {
    std::array<unsigned char, 256> kinds{};
    for (const unsigned char c : {'&', '<', '>', '"', '\'', '\n'})
        kinds[c] = Markup;
    for (int c = 0x80; c < 0x100; ++c)
        kinds[c] = NonAscii;
    return kinds;
}();

std::string_view replacement(char c) {
    switch (c) {
    case '&':
        return "&amp;";
    case '<':
        return "&lt;";
    case '>':
        return "&gt;";
    case '"':
        return "&quot;";
    case '\'':
        return "&#39;";
    default:
        return LineEnd;
    }
}

// The length of the well-formed UTF-8 sequence at p, or 0 when there is none.
int utf8Length(const unsigned char* p, const unsigned char* end) {
    const unsigned char c = *p;
    int more = 0;
    unsigned char low = 0x80, high = 0xBF; // the range of the second byte
    if (c >= 0xC2 && c <= 0xDF) {
        more = 1;
    } else if (c >= 0xE0 && c <= 0xEF) {
        more = 2;
        if (c == 0xE0)
            low = 0xA0; // no overlong forms
        else if (c == 0xED)
            high = 0x9F; // no surrogates
    } else if (c >= 0xF0 && c <= 0xF4) {
        more = 3;
        if (c == 0xF0)
            low = 0x90;
        else if (c == 0xF4)
            high = 0x8F; // nothing past U+10FFFF
    } else {
        return 0;
    }
    if (end - p <= more || p[1] < low || p[1] > high)
        return 0;
    for (int i = 2; i <= more; ++i)
        if ((p[i] & 0xC0) != 0x80)
            return 0;
    return more + 1;
}

// The first byte from p on that is markup or not ASCII, or end; sixteen bytes at a time where
// the processor allows, since most of a note is plain text.
const unsigned char* skipPlain(const unsigned char* p, const unsigned char* end) {
#if defined(__SSE2__)
    const __m128i amp = _mm_set1_epi8('&'), lt = _mm_set1_epi8('<'), gt = _mm_set1_epi8('>');
    const __m128i quot = _mm_set1_epi8('"'), apos = _mm_set1_epi8('\''), lf = _mm_set1_epi8('\n');
    while (end - p >= 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        __m128i hit = _mm_or_si128(_mm_cmpeq_epi8(v, amp), _mm_cmpeq_epi8(v, lt));
        hit = _mm_or_si128(hit, _mm_or_si128(_mm_cmpeq_epi8(v, gt), _mm_cmpeq_epi8(v, quot)));
        hit = _mm_or_si128(hit, _mm_or_si128(_mm_cmpeq_epi8(v, apos), _mm_cmpeq_epi8(v, lf)));
        const int mask = _mm_movemask_epi8(hit) | _mm_movemask_epi8(v); // high bit: not ASCII
        if (mask != 0)
            return p + __builtin_ctz(unsigned(mask));
        p += 16;
    }
#endif
    while (p < end && byteKinds[*p] == Plain)
        ++p;
    return p;
}

// Appends the escaped text; false, with out partly appended, when the text is not UTF-8.
bool appendEscapedUtf8(std::string& out, std::string_view text) {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const auto* end = p + text.size();
    const auto* run = p;
    while ((p = skipPlain(p, end)) < end) {
        if (byteKinds[*p] == NonAscii) {
            const int length = utf8Length(p, end);
            if (length == 0)
                return false;
            p += length;
        } else {
            out.append(reinterpret_cast<const char*>(run), std::size_t(p - run));
            out.append(replacement(char(*p)));
            run = ++p;
        }
    }
    out.append(reinterpret_cast<const char*>(run), std::size_t(end - run));
    return true;
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
    explicit PageBuilder(const std::function<bool(std::string_view)>& sink) : m_sink(sink) {
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

// The notes of the listed rows, in row order; rows whose id finds no note are left out.
std::vector<const TNote*> listedNotes(TData& store, const TListedRows& rows) {
    std::vector<const TNote*> notes;
    notes.reserve(std::size_t(std::max(rows.rowCount - 1, 0)));
    for (int row = 1; row < rows.rowCount; ++row) {
        std::int32_t id = 0;
        if (!parseId(rows.idText(row), id))
            continue;
        if (const TNote* note = store.FindNote(id))
            notes.push_back(note);
    }
    return notes;
}

// The listed notes lie scattered in memory; asking for a note some rows ahead keeps the
// writing from waiting on memory at each row.
void fetchAhead(const std::vector<const TNote*>& notes, std::size_t index) {
    constexpr std::size_t Ahead = 8;
    if (index + Ahead < notes.size()) {
        const TNote* ahead = notes[index + Ahead];
        __builtin_prefetch(ahead);
        __builtin_prefetch(&ahead->Closed);
    }
}

// Writes the page's pieces to the file on a second thread, so that the next piece is built
// while the last one is written. At most two pieces wait; their buffers are reused.
class BackgroundWriter {
public:
    explicit BackgroundWriter(QSaveFile& file) : m_file(file), m_thread([this] { run(); }) {}
    ~BackgroundWriter() { finish(); }
    BackgroundWriter(const BackgroundWriter&) = delete;
    BackgroundWriter& operator=(const BackgroundWriter&) = delete;

    // Queues a copy of the piece; false once a write has failed.
    bool write(std::string_view piece) {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_pending.size() < 2 || m_failed; });
        if (m_failed)
            return false;
        std::string buffer;
        if (!m_spare.empty()) {
            buffer = std::move(m_spare.back());
            m_spare.pop_back();
        }
        buffer.assign(piece);
        m_pending.push_back(std::move(buffer));
        m_changed.notify_all();
        return true;
    }

    // Waits until every queued piece is written; true when all were.
    bool finish() {
        {
            std::lock_guard lock(m_mutex);
            m_closing = true;
            m_changed.notify_all();
        }
        if (m_thread.joinable())
            m_thread.join();
        return !m_failed;
    }

private:
    void run() {
        std::unique_lock lock(m_mutex);
        for (;;) {
            m_changed.wait(lock, [this] { return !m_pending.empty() || m_closing; });
            if (m_pending.empty())
                return;
            std::string piece = std::move(m_pending.front());
            m_pending.pop_front();
            lock.unlock();
            const bool ok = m_failed || m_file.write(piece.data(), qint64(piece.size())) ==
                                            qint64(piece.size());
            lock.lock();
            if (!ok)
                m_failed = true;
            m_spare.push_back(std::move(piece));
            m_changed.notify_all();
        }
    }

    QSaveFile& m_file;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<std::string> m_pending;
    std::vector<std::string> m_spare;
    bool m_closing = false;
    bool m_failed = false;
    std::thread m_thread; // last: starts once the rest is ready
};

const char* statusWord(const TNote& note) {
    return note.IsClosed() ? "Closed" : "Open";
}

} // namespace

void AppendHtmlText(std::string& out, std::string_view text) {
    const std::size_t before = out.size();
    if (appendEscapedUtf8(out, text))
        return;
    out.resize(before);
    const QByteArray utf8 = ToQString(std::string(text)).toUtf8();
    appendEscapedUtf8(out, std::string_view(utf8.constData(), std::size_t(utf8.size())));
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
    return {grid.RowCount(), [&grid](int row) -> const std::string& {
                return grid.Cells(4, row);
            }};
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

    const std::vector<const TNote*> notes = listedNotes(store, rows);
    int n = 0;
    for (std::size_t i = 0; i < notes.size(); ++i) {
        const TNote* note = notes[i];
        fetchAhead(notes, i);
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
    for (std::size_t i = 0; i < notes.size(); ++i) {
        const TNote* note = notes[i];
        fetchAhead(notes, i);
        ++n;
        page << "<a name='NOTE";
        page.number(n) << "'></a>";
        page.endLine();
        page << "<table border='1' width='100%'>";
        page.endLine();
        page << "<tr>";
        page.endLine();
        page
            << "<td width='10%' bgcolor='#0000FF'><font "
               "color='#FFFFFF'><strong>Status</strong></td>"
               "<td width='50%' bgcolor='#0000FF'><font color='#FFFFFF'><strong>Title</strong></td>"
               "<td width='20%' bgcolor='#0000FF'><font "
               "color='#FFFFFF'><strong>Category</strong></td>"
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
    if (filePath.isEmpty()) {
        result.ok = false;
        result.error = "No file name was given.";
        return result;
    }
    result.path = QDir::toNativeSeparators(QFileInfo(filePath).absoluteFilePath()).toStdString();

    // Replacing the data file with a page would lose every note at the next start.
    const QString dataFile = QFileInfo(QString::fromLatin1(TData::FileName)).canonicalFilePath();
    if (!dataFile.isEmpty() && QFileInfo(filePath).canonicalFilePath() == dataFile) {
        result.ok = false;
        result.error = "This is the file that holds your notes.";
        return result;
    }

    QSaveFile file(filePath);
    if (!file.open(QIODevice::WriteOnly)) {
        result.ok = false;
        result.error = file.errorString().toStdString();
        return result;
    }

    const std::string fileName = QFileInfo(filePath).fileName().toStdString();
    BackgroundWriter writer(file);
    const bool built = WritePage(store, rows, fileName, CurrentDateTimeText(),
                                 [&writer](std::string_view piece) { return writer.write(piece); });
    const bool written = writer.finish() && built;
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
