#include "store/data.h"

#include <algorithm>
#include <string_view>

void TData::SortNotes() {
    // The choice is asked for at every comparison, as the main window's control holds it then.
    const auto less = [this](const TNote& a, const TNote& b) {
        switch (SortChoice ? SortChoice() : SortDate) {
        case SortTitle:
            return std::string_view(a.Title) < std::string_view(b.Title);
        case SortCategory:
            return std::string_view(a.Category) < std::string_view(b.Category);
        default:
            return a.Id < b.Id;
        }
    };
    // A list already in order is what a stable sort would leave it as; a file saved by the
    // program is in id order, so loading it takes one pass instead of a full sort.
    if (std::is_sorted(Notes.begin(), Notes.end(), less))
        return;
    Notes.stableSort(less);
}
