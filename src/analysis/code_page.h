// The report's narrow text is in the ANSI code page of the machine that wrote
// it. This converts it to Unicode (for JSON) and Unicode back to it (for a
// report that an editor saved as UTF-8 or UTF-16).
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace analysis {

// The conversions of a code page that has no table here: the system's own,
// supplied by the front end.
class CodePageConverter {
  public:
    virtual ~CodePageConverter() = default;
    // False when the bytes are not text of the code page.
    virtual bool ToUtf16(std::string_view narrow, std::u16string& wide) const = 0;
    // Appends the bytes of `wide`; false when the code page has none for one
    // of its characters.
    virtual bool FromUtf16(std::u16string_view wide, std::string& narrow) const = 0;
};

class CodePage {
  public:
    // 1252 (Western European), 28591 (ISO 8859-1), 20127 (US-ASCII) and
    // 65001 (UTF-8); nothing for the others.
    static std::optional<CodePage> Find(unsigned number);
    static CodePage Default() { return CodePage(1252); }
    // Any other code page, through `converter`.
    static CodePage Through(unsigned number, std::shared_ptr<const CodePageConverter> converter);

    unsigned Number() const { return number_; }
    // Characters the code page leaves undefined become U+FFFD.
    void AppendUtf8(std::string& out, std::string_view narrow) const;
    // The code page's bytes for `c`; false when it has none.
    bool AppendNarrow(std::string& out, char32_t c) const;

  private:
    explicit CodePage(unsigned number) : number_(number) {}
    char32_t ToUnicode(unsigned char c) const;
    void AppendUtf8Converted(std::string& out, std::string_view narrow) const;
    bool AppendNarrowConverted(std::string& out, char32_t c) const;

    unsigned number_;
    std::shared_ptr<const CodePageConverter> converter_;
};

// Decodes one UTF-8 character at the start of `s` into `c`: its length, or 0
// when `s` does not start with a well-formed one.
std::size_t DecodeUtf8(std::string_view s, char32_t& c);
// Appends `c` as UTF-8.
void AppendUtf8Char(std::string& out, char32_t c);

}  // namespace analysis
