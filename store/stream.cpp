#include "store/stream.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unistd.h>

TReader::TReader(int fd, uint64_t fileSize) : m_fd(fd) {
    // One byte more than the file holds, so the end is seen without a second buffer's worth.
    m_buffer.resize(std::size_t(std::clamp<uint64_t>(fileSize + 1, 4096, BufferSize)));
    m_pos = m_end = m_buffer.data();
}

TReader::TReader(const char* data, std::size_t size) : m_pos(data), m_end(data + size) {
}

bool TReader::fill() {
    if (m_fd < 0)
        return false;
    for (;;) {
        const ssize_t got = ::read(m_fd, m_buffer.data(), m_buffer.size());
        if (got > 0) {
            m_pos = m_buffer.data();
            m_end = m_pos + got;
            return true;
        }
        if (got == 0)
            return false;
        if (errno == EINTR)
            continue;
        m_ioError = std::strerror(errno);
        fail(Fault::Io);
        return false;
    }
}

bool TReader::readExact(char* dest, std::size_t n) {
    while (n > 0) {
        if (m_pos == m_end && !fill()) {
            fail(Fault::End);
            return false;
        }
        const std::size_t take = std::min<std::size_t>(n, m_end - m_pos);
        std::memcpy(dest, m_pos, take);
        m_pos += take;
        dest += take;
        n -= take;
    }
    return true;
}

TReader& TReader::readInt32(int32_t& value) {
    if (!ok())
        return *this;
    unsigned char b[4];
    if (m_end - m_pos >= 4) {
        std::memcpy(b, m_pos, 4);
        m_pos += 4;
    } else if (!readExact(reinterpret_cast<char*>(b), 4)) {
        return *this;
    }
    value =
        int32_t(uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24);
    m_offset += 4;
    return *this;
}

TReader& TReader::readByte(uint8_t& value) {
    if (!ok())
        return *this;
    char c;
    if (m_pos != m_end)
        c = *m_pos++;
    else if (!readExact(&c, 1))
        return *this;
    value = uint8_t(c);
    m_offset += 1;
    return *this;
}

TReader& TReader::readText(TText& text) {
    if (!ok())
        return *this;
    unsigned char count[2];
    if (m_end - m_pos >= 2) {
        std::memcpy(count, m_pos, 2);
        m_pos += 2;
    } else if (!readExact(reinterpret_cast<char*>(count), 2)) {
        return *this;
    }
    const std::size_t n = std::size_t(count[0]) | std::size_t(count[1]) << 8;
    if (n == 0) {
        fail(Fault::ZeroCount);
        return *this;
    }
    // Most texts lie whole in the buffer and are taken from there directly; only one that spans
    // a refill goes through the scratch copy. Either way n is at most 65,535.
    const char* bytes;
    if (std::size_t(m_end - m_pos) >= n) {
        bytes = m_pos;
        m_pos += n;
    } else {
        m_scratch.resize(n);
        if (!readExact(m_scratch.data(), n))
            return *this;
        bytes = m_scratch.data();
    }
    const void* zero = std::memchr(bytes, 0, n);
    if (!zero) {
        fail(Fault::NoTerminator);
        return *this;
    }
    text.assign(bytes, static_cast<const char*>(zero));
    m_offset += 2 + n;
    return *this;
}

uint64_t TReader::drainRemaining() {
    uint64_t left = uint64_t(m_end - m_pos);
    m_pos = m_end;
    while (ok() && fill()) {
        left += uint64_t(m_end - m_pos);
        m_pos = m_end;
    }
    return left;
}

TWriter::TWriter(int fd) : m_fd(fd) {
}

bool TWriter::writeOut(const char* data, std::size_t n) {
    while (n > 0) {
        const ssize_t put = ::write(m_fd, data, n);
        if (put < 0) {
            if (errno == EINTR)
                continue;
            m_error = std::strerror(errno);
            m_ok = false;
            return false;
        }
        data += put;
        n -= std::size_t(put);
    }
    return true;
}

void TWriter::put(const char* data, std::size_t n) {
    if (!m_ok)
        return;
    if (m_fd >= 0 && m_buffer.size() + n > BufferSize) {
        if (!flush())
            return;
        if (n >= BufferSize) {
            writeOut(data, n);
            return;
        }
    }
    m_buffer.append(data, n);
}

bool TWriter::flush() {
    if (!m_ok || m_fd < 0 || m_buffer.empty())
        return m_ok;
    writeOut(m_buffer.data(), m_buffer.size());
    m_buffer.clear();
    return m_ok;
}

TWriter& TWriter::writeInt32(int32_t value) {
    const auto u = uint32_t(value);
    const char b[4] = {char(u & 0xFF), char(u >> 8 & 0xFF), char(u >> 16 & 0xFF),
                       char(u >> 24 & 0xFF)};
    put(b, 4);
    return *this;
}

TWriter& TWriter::writeByte(uint8_t value) {
    const char c = char(value);
    put(&c, 1);
    return *this;
}

TWriter& TWriter::writeText(const TText& text) {
    const std::size_t len = CutText(text);
    const std::size_t n = len + 1;
    const char count[2] = {char(n & 0xFF), char(n >> 8 & 0xFF)};
    put(count, 2);
    put(text.data(), len);
    put("", 1);
    return *this;
}

std::size_t CutText(const TText& text) {
    constexpr std::size_t max = TWriter::MaxTextBytes;
    if (text.size() <= max)
        return text.size();
    const auto continuation = [&](std::size_t i) {
        return (uint8_t(text[i]) & 0xC0) == 0x80;
    };
    // text[cut] is the first byte left out; backing up over at most three continuation bytes
    // finds the start of the character it belongs to. Longer runs are not UTF-8: cut anywhere.
    std::size_t cut = max;
    for (int back = 0; back < 3 && continuation(cut); ++back)
        --cut;
    return continuation(cut) ? max : cut;
}
