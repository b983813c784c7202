#pragma once

#include "store/notelist.h"
#include "store/records.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// What Load found. Everything it read whole is in the store whatever the status.
struct TLoadResult {
    enum class Status {
        Loaded,     // the file was read whole
        Missing,    // no data file: the first run
        Unreadable, // the file exists but could not be opened or read (permissions, I/O)
        Damaged     // the file ended early or held an impossible record
    };
    Status status = Status::Missing;
    int notesRead = 0;
    int categoriesRead = 0;
    std::string path;       // full path of the data file
    std::string problem;    // for Unreadable and Damaged: what went wrong, in words
    std::string keptCopy;   // for Damaged: full path of the copy kept of the original, if made
};

// What Save did. On failure the old file is untouched and the store keeps every change.
struct TSaveResult {
    bool ok = true;
    std::string path;  // full path of the data file
    std::string error; // why it failed, in words
};

// What PublishHtml did.
struct TPublishResult {
    bool ok = true;
    std::string path;
    std::string error;
};

// The one note store: every note and category, in memory, mirrored by the data file.
class TData {
public:
    static constexpr const char* FileName = "Quillbox.dat";
    static constexpr int SortTitle = 0;
    static constexpr int SortCategory = 1;
    static constexpr int SortDate = 2;

    int32_t LastId = 0;
    THeader Header;
    TNoteList Notes;
    std::vector<TCategory> Categories; // in the order added, never sorted

    // Notes and categories (store/data.cpp).
    // AddNote refuses, returning false and adding nothing, once ids are used up.
    bool AddNote(const TText& title, const TText& category, uint8_t closed, const TText& body);
    void AddCategory(const TCategory& category);
    void DeleteCategory(const TCategory& category);
    TNote* FindNote(int32_t id);

    // The data file, relative to the current directory at each call (store/datafile.cpp).
    TLoadResult Load();
    TSaveResult Save();

    // Ordering (store/sort.cpp): a stable sort by the sort choice, read at each comparison.
    // The main window installs SortChoice; without it the choice is Date.
    void SortNotes();
    std::function<int()> SortChoice;

    // The note list view on the main window (ui/notelist.cpp).
    void FillGrid();
    void SearchNotes(const TText& text);
    TNote* SelectedNote();
    void DeleteSelectedNote();

    // The category pickers (ui/categoryform.cpp).
    void RefreshCategoryPickers();

    // The HTML page of the listed notes, written to the full path given (output/publish.cpp).
    TPublishResult PublishHtml(const std::string& path);

private:
    // Set when Load found the file damaged or unreadable; until a copy of that original is kept
    // beside it, Save will not replace it.
    bool m_damagedOriginalPending = false;
    std::string m_damagedPath; // full path of that original
    std::string m_keptCopy;

    bool keepDamagedOriginal(std::string& error);
};

extern TData* Data;
