// HTML text, built in one string. Every text that comes from a machine or a
// saved report goes through Text (narrow, in the report's code page) or Utf8:
// both escape what HTML gives a meaning, so no name can open an element.
#pragma once

#include <string>
#include <string_view>

#include "analysis/code_page.h"

namespace analysis {

class HtmlWriter {
  public:
    explicit HtmlWriter(const CodePage& codePage) : codePage_(codePage) {}

    // Markup of our own, written as it is.
    HtmlWriter& Raw(std::string_view markup);
    HtmlWriter& Text(std::string_view narrow);  // in the report's code page
    HtmlWriter& Utf8(std::string_view text);    // malformed bytes become U+FFFD
    HtmlWriter& Number(std::size_t value);

    // <tag class="cls">text</tag> in one call; `cls` may be empty. Empty
    // text is shown as "(empty)".
    HtmlWriter& Element(const char* tag, const char* cls, std::string_view narrow);

    std::string Take() { return std::move(out_); }
    std::size_t Size() const { return out_.size(); }
    void Reserve(std::size_t bytes) { out_.reserve(bytes); }

  private:
    void Escaped(std::string_view utf8);

    const CodePage& codePage_;
    std::string out_;
    std::string scratch_;
};

// `text` with the characters HTML gives a meaning replaced by references,
// and those it does not allow in a document (controls, noncharacters) by
// U+FFFD. `text` is UTF-8.
std::string EscapeHtml(std::string_view text);

}  // namespace analysis
