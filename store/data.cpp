#include "store/data.h"

#include <limits>

bool TData::AddNote(const TText& title, const TText& category, uint8_t closed, const TText& body) {
    if (LastId == std::numeric_limits<int32_t>::max())
        return false;
    ++LastId;
    Notes.push_back(TNote(LastId, title, category, closed, body));
    return true;
}

void TData::AddCategory(const TCategory& category) {
    if (std::find(Categories.begin(), Categories.end(), category) == Categories.end())
        Categories.push_back(category);
}

void TData::DeleteCategory(const TCategory& category) {
    std::erase(Categories, category);
}

TNote* TData::FindNote(int32_t id) {
    return Notes.find(TNote(id));
}
