#include "platform/simulated/ini_file.h"

#include <utility>

#include "machine/machine.h"

namespace sim {

namespace {

bool SameName(const std::string& a, const std::string& b) {
    machine::CaseInsensitiveLess less;
    return !less(a, b) && !less(b, a);
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string Trim(const std::string& s) {
    std::size_t begin = 0;
    std::size_t end = s.size();
    while (begin < end && IsBlank(s[begin])) {
        ++begin;
    }
    while (end > begin && IsBlank(s[end - 1])) {
        --end;
    }
    return s.substr(begin, end - begin);
}

}  // namespace

IniFile::IniFile(const std::string& text) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t lf = text.find('\n', pos);
        if (lf == std::string::npos) {
            lines_.push_back(MakeLine(text.substr(pos), ""));
            break;
        }
        const bool crlf = lf > pos && text[lf - 1] == '\r';
        const std::size_t contentEnd = crlf ? lf - 1 : lf;
        lines_.push_back(MakeLine(text.substr(pos, contentEnd - pos), crlf ? "\r\n" : "\n"));
        pos = lf + 1;
    }
}

IniFile::Line IniFile::MakeLine(std::string content, std::string end) {
    Parsed parsed = Parse(content);
    return Line{std::move(content), std::move(end), std::move(parsed)};
}

IniFile::Parsed IniFile::Parse(const std::string& content) {
    Parsed parsed;
    const std::string line = Trim(content);
    if (line.empty() || line[0] == ';') {
        return parsed;
    }
    if (line[0] == '[') {
        parsed.kind = Parsed::kSection;
        const std::size_t close = line.find(']');
        parsed.name =
            Trim(line.substr(1, close == std::string::npos ? std::string::npos : close - 1));
        return parsed;
    }
    const std::size_t eq = line.find('=');
    if (eq == std::string::npos) {
        return parsed;
    }
    parsed.kind = Parsed::kKey;
    parsed.name = Trim(line.substr(0, eq));
    parsed.value = Trim(line.substr(eq + 1));
    const std::string& v = parsed.value;
    if (v.size() >= 2 && (v[0] == '"' || v[0] == '\'') && v.back() == v[0]) {
        parsed.value = v.substr(1, v.size() - 2);
    }
    return parsed;
}

std::vector<std::size_t> IniFile::SectionStarts(const std::string& section) const {
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const Parsed& p = lines_[i].parsed;
        if (p.kind == Parsed::kSection && SameName(p.name, section)) {
            starts.push_back(i);
        }
    }
    return starts;
}

std::size_t IniFile::SectionEnd(std::size_t start) const {
    std::size_t i = start + 1;
    while (i < lines_.size() && lines_[i].parsed.kind != Parsed::kSection) {
        ++i;
    }
    return i;
}

std::optional<std::size_t> IniFile::FindKey(const std::string& section,
                                            const std::string& key) const {
    for (std::size_t start : SectionStarts(section)) {
        const std::size_t end = SectionEnd(start);
        for (std::size_t i = start + 1; i < end; ++i) {
            const Parsed& p = lines_[i].parsed;
            if (p.kind == Parsed::kKey && SameName(p.name, key)) {
                return i;
            }
        }
    }
    return std::nullopt;
}

std::optional<std::string> IniFile::Get(const std::string& section, const std::string& key) const {
    if (auto line = FindKey(section, key)) {
        return lines_[*line].parsed.value;
    }
    return std::nullopt;
}

namespace {

// Names compare without regard to case; the first spelling is kept.
void AppendOnce(std::vector<std::string>& names, const std::string& name) {
    for (const std::string& known : names) {
        if (SameName(known, name)) {
            return;
        }
    }
    names.push_back(name);
}

}  // namespace

std::vector<std::string> IniFile::Sections() const {
    std::vector<std::string> names;
    for (const Line& line : lines_) {
        const Parsed& p = line.parsed;
        if (p.kind != Parsed::kSection) {
            continue;
        }
        AppendOnce(names, p.name);
    }
    return names;
}

std::vector<std::string> IniFile::Keys(const std::string& section) const {
    std::vector<std::string> names;
    for (std::size_t start : SectionStarts(section)) {
        const std::size_t end = SectionEnd(start);
        for (std::size_t i = start + 1; i < end; ++i) {
            const Parsed& p = lines_[i].parsed;
            if (p.kind != Parsed::kKey) {
                continue;
            }
            AppendOnce(names, p.name);
        }
    }
    return names;
}

void IniFile::Insert(std::size_t at, const std::string& content) {
    // A last line without a break gets one before anything follows it.
    if (at > 0 && lines_[at - 1].end.empty()) {
        lines_[at - 1].end = "\r\n";
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), MakeLine(content, "\r\n"));
}

void IniFile::Set(const std::string& section, const std::string& key, const std::string& value) {
    if (auto line = FindKey(section, key)) {
        lines_[*line] = MakeLine(lines_[*line].parsed.name + "=" + value, lines_[*line].end);
        return;
    }
    const std::vector<std::size_t> starts = SectionStarts(section);
    if (starts.empty()) {
        Insert(lines_.size(), "[" + section + "]");
        Insert(lines_.size(), key + "=" + value);
        return;
    }
    // After the section's last non-blank line: blank lines before the next
    // section stay where they are.
    std::size_t at = SectionEnd(starts.front());
    while (at > starts.front() + 1 && Trim(lines_[at - 1].content).empty()) {
        --at;
    }
    Insert(at, key + "=" + value);
}

void IniFile::DeleteKey(const std::string& section, const std::string& key) {
    while (auto line = FindKey(section, key)) {
        lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(*line));
    }
}

void IniFile::DeleteSection(const std::string& section) {
    for (std::vector<std::size_t> starts = SectionStarts(section); !starts.empty();
         starts = SectionStarts(section)) {
        lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(starts.front()),
                     lines_.begin() + static_cast<std::ptrdiff_t>(SectionEnd(starts.front())));
    }
}

std::string IniFile::Text() const {
    std::string text;
    for (const Line& line : lines_) {
        text += line.content;
        text += line.end;
    }
    return text;
}

}  // namespace sim
