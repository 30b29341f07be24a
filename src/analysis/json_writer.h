// JSON text, pretty (two spaces per level) or on one line, members in the
// order written. Narrow text is converted from the report's code page.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/code_page.h"

namespace analysis {

class JsonWriter {
  public:
    JsonWriter(const CodePage& codePage, bool pretty) : codePage_(codePage), pretty_(pretty) {}

    void BeginObject() { Open('{'); }
    void EndObject() { Close('}'); }
    void BeginArray() { Open('['); }
    void EndArray() { Close(']'); }
    void Key(std::string_view key);
    void String(std::string_view narrow);  // in the report's code page
    void Utf8(std::string_view text);      // malformed bytes become U+FFFD
    void Number(std::size_t value);
    void Bool(bool value);
    void Null();
    // A string, or null when absent.
    void OptionalString(const std::string* narrow);

    std::string Take() { return std::move(out_); }

  private:
    void Open(char bracket);
    void Close(char bracket);
    void BeforeValue();
    void Quoted(std::string_view utf8);
    void NewLine();

    const CodePage& codePage_;
    bool pretty_;
    std::string out_;
    std::vector<bool> empty_;  // per open bracket: nothing inside yet
    bool afterKey_ = false;
};

}  // namespace analysis
