#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace torvane {

// The text of a file of semicolon-separated values as a German spreadsheet
// program reads it: a field holding a semicolon, a double quote or a line
// break is put in double quotes, its quotes doubled; lines end in CR LF.
// Bytes pass through unchanged (Windows-1252 stays Windows-1252).
class CsvText {
public:
    CsvText& field(std::string_view value);
    CsvText& field(std::int64_t value);
    // An empty field.
    CsvText& skip() { return field(std::string_view()); }
    void endLine();
    // Room for this many bytes in all, so that a long list grows in one step.
    void reserve(std::size_t bytes) { text_.reserve(bytes); }

    const std::string& text() const { return text_; }

private:
    void separate();

    std::string text_;
    bool inLine_ = false;
};

} // namespace torvane
