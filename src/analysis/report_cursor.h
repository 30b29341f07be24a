// Walks the lines of a saved report for the reader: each step either finds
// what the layout puts there or stops the reading with the line it found.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "analysis/read_failure.h"
#include "analysis/report_data.h"
#include "analysis/report_lines.h"

namespace analysis {

// Thrown by the cursor, caught by the reader: the first line that is not a
// report's.
struct Refusal {
    ReadFailure failure;
};

class ReportCursor {
  public:
    explicit ReportCursor(const ReportLines& lines) : lines_(lines) {}

    std::size_t LineNumber() const { return pos_ + 1; }
    bool AtEnd() const { return pos_ >= lines_.Count(); }
    std::size_t Remaining() const { return AtEnd() ? 0 : lines_.Count() - pos_; }
    std::string_view Peek(std::size_t ahead = 0) const;
    // A line of spaces only (trailing spaces may have been removed), or the
    // end of the text.
    bool PeekBlank(std::size_t ahead = 0) const;
    // The line without its indentation and trailing spaces is `text`.
    bool PeekHeading(std::string_view text, std::size_t ahead = 0) const;
    // An ERROR or WARNING line.
    bool PeekTrace(std::size_t ahead = 0) const;
    // The spaces that start line `lineNumber` (1-based).
    std::size_t IndentOf(std::size_t lineNumber) const;

    void Skip() { ++pos_; }
    std::size_t Position() const { return pos_; }
    void Rewind(std::size_t position) { pos_ = position; }
    void Blank();
    void Heading(std::string_view text);
    // `label` after `indent` spaces and its value at `column` (counted after
    // the indentation); a value of spaces only may have lost them.
    bool Labeled(std::size_t indent, std::string_view label, std::size_t column,
                 std::string& value);
    void ExpectLabeled(std::size_t indent, std::string_view label, std::size_t column,
                       std::string& value);
    // A further value of a list: `column` spaces, then the value.
    bool Continuation(std::size_t column, std::string& value);
    // The ERROR and WARNING lines that stand here, each with the empty line
    // that its message's own line feed leaves (none after a message that the
    // trace log cut).
    void Traces(TraceLines& traces, TraceSlot slot);

    [[noreturn]] void Fail(std::string expected) const;

  private:
    const ReportLines& lines_;
    std::size_t pos_ = 0;
};

std::string_view TrimRight(std::string_view line);

}  // namespace analysis
