#include "store/data.h"

#include <string_view>

void TData::SortNotes() {
    // The choice is asked for at every comparison, as the main window's control holds it then.
    Notes.stableSort([this](const TNote& a, const TNote& b) {
        switch (SortChoice ? SortChoice() : SortDate) {
        case SortTitle:
            return std::string_view(a.Title) < std::string_view(b.Title);
        case SortCategory:
            return std::string_view(a.Category) < std::string_view(b.Category);
        default:
            return a.Id < b.Id;
        }
    });
}
