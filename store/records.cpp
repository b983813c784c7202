#include "store/records.h"

#include "store/datetime.h"
#include "store/stream.h"

TNote::TNote() : Category("None"), Date(CurrentDateTimeText()) {
}

TNote::TNote(int32_t id) : Id(id) {
}

TNote::TNote(int32_t id, TText title, TText category, uint8_t closed, TText body)
    : Id(id), Title(std::move(title)), Category(std::move(category)), Date(CurrentDateTimeText()),
      Body(std::move(body)), Closed(closed) {
}

TWriter& TNote::Write(TWriter& out) const {
    return out.writeInt32(Id)
        .writeText(Title)
        .writeText(Category)
        .writeText(Date)
        .writeByte(Closed)
        .writeText(Body);
}

TReader& TNote::Read(TReader& in) {
    return in.readInt32(Id)
        .readText(Title)
        .readText(Category)
        .readText(Date)
        .readByte(Closed)
        .readText(Body);
}

TWriter& TCategory::Write(TWriter& out) const {
    return out.writeText(Name);
}

TReader& TCategory::Read(TReader& in) {
    return in.readText(Name);
}

TWriter& THeader::Write(TWriter& out) const {
    return out.writeInt32(Version).writeInt32(NoteCount).writeInt32(CategoryCount);
}

TReader& THeader::Read(TReader& in) {
    return in.readInt32(Version).readInt32(NoteCount).readInt32(CategoryCount);
}
