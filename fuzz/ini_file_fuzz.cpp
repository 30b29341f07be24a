// Profile files of any content: reading and writing back changes nothing,
// and an edit is read back while every other line survives.
#include "fuzz_support.h"
#include "platform/simulated/ini_file.h"

namespace {

bool Clean(const std::string& name) {
    if (name.empty() || name.front() == ' ' || name.back() == ' ') {
        return false;
    }
    for (char c : name) {
        if (c == '\r' || c == '\n' || c == '\t' || c == '[' || c == ']' || c == '=' || c == ';' ||
            c == '\0' || c == '"' || c == '\'') {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Environment();
    const std::string text = AsText(data, size);
    sim::IniFile file(text);
    FUZZ_CHECK(file.Text() == text);

    // Every listed name is found again (a few sections are enough).
    const auto sections = file.Sections();
    for (std::size_t s = 0; s < sections.size() && s < 8; ++s) {
        for (const std::string& key : file.Keys(sections[s])) {
            FUZZ_CHECK(file.Get(sections[s], key).has_value());
        }
    }

    // Edit with names taken from the file itself where they are plain.
    std::string section = "Common";
    std::string key = "ModuleToken";
    if (!sections.empty() && Clean(sections.front())) {
        section = sections.front();
        const auto keys = file.Keys(section);
        if (!keys.empty() && Clean(keys.back())) {
            key = keys.back();
        }
    }
    sim::IniFile edited(text);
    edited.Set(section, key, "fuzz value");
    const auto value = edited.Get(section, key);
    FUZZ_CHECK(value.has_value() && *value == "fuzz value");
    sim::IniFile reread(edited.Text());
    FUZZ_CHECK(reread.Get(section, key) == value);

    edited.DeleteKey(section, key);
    FUZZ_CHECK(!edited.Get(section, key).has_value());
    edited.DeleteSection(section);
    FUZZ_CHECK(edited.Keys(section).empty());
    return 0;
}
