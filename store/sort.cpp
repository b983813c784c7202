#include "store/data.h"

#include <cstring>
#include <string_view>

namespace {

// A text key: its first eight bytes as one big-endian number decide most comparisons without
// touching the text (all of it for texts of up to eight bytes, most category names); other
// ties fall back to the whole text. Bytes compare unsigned.
struct TextKey {
    uint64_t prefix;
    std::string_view text;

    explicit TextKey(std::string_view t) : prefix(0), text(t) {
        unsigned char bytes[8] = {};
        std::memcpy(bytes, t.data(), std::min<std::size_t>(t.size(), 8));
        for (unsigned char b : bytes)
            prefix = prefix << 8 | b;
    }
};

bool operator<(const TextKey& a, const TextKey& b) {
    if (a.prefix != b.prefix)
        return a.prefix < b.prefix;
    // Equal prefixes of two short texts: one is the other followed by zero bytes.
    if (a.text.size() <= 8 && b.text.size() <= 8)
        return a.text.size() < b.text.size();
    return a.text < b.text;
}

} // namespace

void TData::SortNotes() {
    // The choice cannot change while the sort runs: read it once.
    const int choice = SortChoice ? SortChoice() : SortDate;
    const auto less = [](const auto& a, const auto& b) { return a < b; };
    switch (choice) {
    case SortTitle:
        Notes.stableSortByKey([](const TNote& n) { return TextKey(n.Title); }, less);
        break;
    case SortCategory:
        Notes.stableSortByKey([](const TNote& n) { return TextKey(n.Category); }, less);
        break;
    default:
        Notes.stableSortByKey([](const TNote& n) { return n.Id; }, less);
        break;
    }
}
