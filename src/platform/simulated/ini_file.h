// A profile (INI) file held as its lines, read and edited the way the Windows
// profile functions do: section and key names compared without regard to
// case, whitespace around names and values ignored, a value in matching
// quotes read without them. Editing touches only the line concerned, so
// comments, blank lines and line breaks elsewhere survive byte for byte.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace sim {

class IniFile {
  public:
    IniFile() = default;
    explicit IniFile(const std::string& text);

    std::optional<std::string> Get(const std::string& section, const std::string& key) const;
    // Section names and the key names of one section, in file order, each once.
    std::vector<std::string> Sections() const;
    std::vector<std::string> Keys(const std::string& section) const;

    // Replaces the value of an existing key (keeping its spelling), adds a
    // missing key at the end of its section, and a missing section at the
    // end of the file.
    void Set(const std::string& section, const std::string& key, const std::string& value);
    void DeleteKey(const std::string& section, const std::string& key);
    void DeleteSection(const std::string& section);

    std::string Text() const;

  private:
    struct Parsed {
        enum Kind { kOther, kSection, kKey } kind = kOther;
        std::string name;
        std::string value;
    };
    struct Line {
        std::string content;
        std::string end;  // "\r\n", "\n", or "" for a last line without a break
        Parsed parsed;    // of content, kept so lookups do not parse every line again
    };
    static Line MakeLine(std::string content, std::string end);
    static Parsed Parse(const std::string& content);
    // Index of the first line of every section named `section`.
    std::vector<std::size_t> SectionStarts(const std::string& section) const;
    // One past the last line of the section starting at `start`.
    std::size_t SectionEnd(std::size_t start) const;
    std::optional<std::size_t> FindKey(const std::string& section, const std::string& key) const;
    void Insert(std::size_t at, const std::string& content);

    std::vector<Line> lines_;
};

}  // namespace sim
