#pragma once

#include "store/records.h"

#include <cstddef>
#include <cstdint>
#include <string>

// Reads the data file's fields through one large buffer, either from an open file descriptor or
// from bytes already in memory. The first fault stops the reader: every later read does nothing,
// so a record read across a fault is simply incomplete and the caller drops it.
class TReader {
public:
    enum class Fault {
        None,
        End,          // the bytes ran out inside a field
        ZeroCount,    // a counted text with N = 0
        NoTerminator, // a counted text whose N bytes hold no zero byte
        Io            // the operating system failed a read
    };

    static constexpr std::size_t BufferSize = std::size_t(1) << 20;

    // The buffer is sized for the file, up to BufferSize.
    TReader(int fd, uint64_t fileSize);
    TReader(const char* data, std::size_t size);
    TReader(const TReader&) = delete;
    TReader& operator=(const TReader&) = delete;

    TReader& readInt32(int32_t& value);
    TReader& readByte(uint8_t& value);
    TReader& readText(TText& text);

    bool ok() const { return m_fault == Fault::None; }
    Fault fault() const { return m_fault; }
    const std::string& ioError() const { return m_ioError; }
    // Where the reader stands: bytes consumed so far, or where the faulty field began.
    uint64_t offset() const { return m_offset; }
    // Counts the bytes left after the current position, reading them through; for a file that
    // should end here.
    uint64_t drainRemaining();

private:
    bool fill();
    bool readExact(char* dest, std::size_t n);
    void fail(Fault fault) {
        if (m_fault == Fault::None)
            m_fault = fault;
    }

    int m_fd = -1;
    std::string m_buffer;
    const char* m_pos = nullptr;
    const char* m_end = nullptr;
    uint64_t m_offset = 0;
    Fault m_fault = Fault::None;
    std::string m_ioError;
    std::string m_scratch;
};

// Writes the data file's fields into one large buffer that goes to the file whenever it fills.
// A failed write is remembered, with the system's reason, and every later write does nothing.
class TWriter {
public:
    static constexpr std::size_t BufferSize = std::size_t(1) << 20;
    static constexpr std::size_t MaxTextBytes = 65534;

    explicit TWriter(int fd = -1); // no file: collect everything in memory
    TWriter(const TWriter&) = delete;
    TWriter& operator=(const TWriter&) = delete;

    TWriter& writeInt32(int32_t value);
    TWriter& writeByte(uint8_t value);
    // A text longer than the format can count is cut at a character boundary (see CutText).
    TWriter& writeText(const TText& text);

    bool flush();
    bool ok() const { return m_ok; }
    const std::string& error() const { return m_error; }
    // In-memory writer: the bytes written so far.
    const std::string& bytes() const { return m_buffer; }

private:
    void put(const char* data, std::size_t n);

    bool writeOut(const char* data, std::size_t n);

    int m_fd = -1;
    std::string m_buffer;
    bool m_ok = true;
    std::string m_error;
};

// How many bytes of text the file can keep: all of it when it fits the 16-bit count, else the
// longest prefix of at most MaxTextBytes that does not end inside a UTF-8 multi-byte sequence.
std::size_t CutText(const TText& text);
