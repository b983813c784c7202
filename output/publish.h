#pragma once

#include "store/data.h"

#include <functional>
#include <string>
#include <string_view>

class TStringGrid;

// The note ids of a list, row by row: rows 1 .. rowCount - 1 hold one note each (row 0 is the
// title row), idText(row) is the row's id column in decimal.
struct TListedRows {
    int rowCount = 0;
    std::function<const std::string&(int row)> idText;
};

// The rows of a note grid; the id is in column 4.
TListedRows GridRows(const TStringGrid& grid);

// Writes the page of the listed notes, taking each note from the store by its id, in order and
// in large pieces to sink; a sink that returns false stops the writing (then the result is
// false). fileName is the bare name the links point into; dateTime heads the page.
bool WritePage(TData& store, const TListedRows& rows, const std::string& fileName,
               const std::string& dateTime, const std::function<bool(std::string_view)>& sink);

// The whole page as one text.
std::string PageText(TData& store, const TListedRows& rows, const std::string& fileName,
                     const std::string& dateTime);

// Publishes the listed notes to the full path given, dated now. The page replaces the file only
// once written whole; on failure an old file of that name is left as it was.
TPublishResult PublishPage(TData& store, const TListedRows& rows, const std::string& path);

// A text as page content: markup characters as character references, line feeds as CR LF,
// text that is not UTF-8 read as Windows-1252 (as the controls show it).
void AppendHtmlText(std::string& out, std::string_view text);

// A file name as an address part: every byte but the unreserved ones percent-encoded.
std::string PercentEncoded(std::string_view name);
