#pragma once

#include <cstdint>
#include <string>

class TReader;
class TWriter;

// Texts are bytes exactly as the data file holds them (UTF-8 for notes typed here; older
// files may hold Windows-1252). They are compared byte for byte.
using TText = std::string;

// One note. Two notes are equal when their ids are equal, whatever their texts.
struct TNote {
    int32_t Id = 0;
    TText Title;
    TText Category;
    TText Date;
    TText Body; // line breaks are CR LF
    uint8_t Closed = 0;

    TNote();                 // id 0, category "None", dated now
    explicit TNote(int32_t id); // a key for lookups by id: texts empty, not dated
    TNote(int32_t id, TText title, TText category, uint8_t closed, TText body); // dated now

    bool operator==(const TNote& other) const { return Id == other.Id; }
    bool IsClosed() const { return Closed != 0; }

    TWriter& Write(TWriter& out) const;
    TReader& Read(TReader& in);
};

// One category; equal when the names hold the same bytes.
struct TCategory {
    TText Name;

    TCategory() = default;
    explicit TCategory(TText name) : Name(std::move(name)) {}

    bool operator==(const TCategory& other) const { return Name == other.Name; }

    TWriter& Write(TWriter& out) const;
    TReader& Read(TReader& in);
};

// The first twelve bytes of the data file.
struct THeader {
    int32_t Version = 0;
    int32_t NoteCount = 0;
    int32_t CategoryCount = 0;

    TWriter& Write(TWriter& out) const;
    TReader& Read(TReader& in);
};
