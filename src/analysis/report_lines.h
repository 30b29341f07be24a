// The bytes of a saved report as lines of narrow text in its code page.
// Takes what happens to a report on its way into a ticket: "\r\n" or "\n"
// line breaks, a UTF-8 or UTF-16LE byte order mark, UTF-16LE text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "analysis/code_page.h"
#include "analysis/read_failure.h"

namespace analysis {

class ReportLines {
  public:
    // False with `failure` for text that cannot be a report: NUL bytes,
    // malformed UTF-8 or UTF-16, characters the code page lacks. Narrow
    // `bytes` are not copied: they must outlive the lines.
    bool Load(std::string_view bytes, const CodePage& codePage, ReadFailure& failure);

    // The last line is what follows the last line break (possibly empty).
    std::size_t Count() const { return lines_.size(); }
    std::string_view operator[](std::size_t index) const {
        return text_.substr(lines_[index].first, lines_[index].second);
    }

  private:
    bool FromUnicode(std::string_view bytes, bool utf16, const CodePage& codePage,
                     ReadFailure& failure);

    std::string decoded_;
    std::string_view text_;
    std::vector<std::pair<std::size_t, std::size_t>> lines_;  // offset and length
};

}  // namespace analysis
