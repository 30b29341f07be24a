#include "analysis/html_writer.h"

namespace analysis {

namespace {

constexpr char kReplacement[] = "\xEF\xBF\xBD";  // U+FFFD

// Characters that HTML's parser reports as errors in a document's text.
bool Forbidden(char32_t c) {
    return (c < 0x20 && c != '\t' && c != '\n' && c != '\r') || (c >= 0x7F && c < 0xA0) ||
           (c >= 0xFDD0 && c <= 0xFDEF) || (c & 0xFFFE) == 0xFFFE;
}

void AppendEscaped(std::string& out, std::string_view utf8) {
    for (std::size_t i = 0; i < utf8.size();) {
        const char byte = utf8[i];
        switch (byte) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&#39;";
                break;
            default:
                break;
        }
        if (byte == '&' || byte == '<' || byte == '>' || byte == '"' || byte == '\'') {
            ++i;
            continue;
        }
        char32_t c = 0;
        const std::size_t n = DecodeUtf8(utf8.substr(i), c);
        if (n == 0 || Forbidden(c)) {
            out += kReplacement;
            i += n == 0 ? 1 : n;
        } else {
            out.append(utf8.data() + i, n);
            i += n;
        }
    }
}

}  // namespace

std::string EscapeHtml(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    AppendEscaped(out, text);
    return out;
}

void HtmlWriter::Escaped(std::string_view utf8) {
    AppendEscaped(out_, utf8);
}

// Out of line: the pages call it a few hundred times.
HtmlWriter& HtmlWriter::Raw(std::string_view markup) {
    out_ += markup;
    return *this;
}

HtmlWriter& HtmlWriter::Text(std::string_view narrow) {
    scratch_.clear();
    codePage_.AppendUtf8(scratch_, narrow);
    Escaped(scratch_);
    return *this;
}

HtmlWriter& HtmlWriter::Utf8(std::string_view text) {
    Escaped(text);
    return *this;
}

HtmlWriter& HtmlWriter::Number(std::size_t value) {
    out_ += std::to_string(value);
    return *this;
}

HtmlWriter& HtmlWriter::Element(const char* tag, const char* cls, std::string_view narrow) {
    out_ += '<';
    out_ += tag;
    if (cls != nullptr && *cls != '\0') {
        out_ += " class=\"";
        out_ += cls;
        out_ += '"';
    }
    out_ += '>';
    // An empty value is said, not left as an empty element.
    narrow.empty() ? static_cast<void>(out_ += "<span class=\"muted\">(empty)</span>")
                   : static_cast<void>(Text(narrow));
    out_ += "</";
    out_ += tag;
    out_ += '>';
    return *this;
}

}  // namespace analysis
