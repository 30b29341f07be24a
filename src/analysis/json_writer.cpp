#include "analysis/json_writer.h"

#include "text/print_format.h"

namespace analysis {

void JsonWriter::NewLine() {
    if (pretty_) {
        out_.push_back('\n');
        out_.append(2 * empty_.size(), ' ');
    }
}

void JsonWriter::BeforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!empty_.empty()) {
        if (!empty_.back()) {
            out_.push_back(',');
        }
        empty_.back() = false;
        NewLine();
    }
}

void JsonWriter::Open(char bracket) {
    BeforeValue();
    out_.push_back(bracket);
    empty_.push_back(true);
}

void JsonWriter::Close(char bracket) {
    const bool wasEmpty = empty_.back();
    empty_.pop_back();
    if (!wasEmpty) {
        NewLine();
    }
    out_.push_back(bracket);
}

void JsonWriter::Key(std::string_view key) {
    BeforeValue();
    Quoted(key);
    out_ += pretty_ ? ": " : ":";
    afterKey_ = true;
}

void JsonWriter::Quoted(std::string_view utf8) {
    out_.push_back('"');
    for (const char c : utf8) {
        switch (c) {
            case '"':
                out_ += "\\\"";
                break;
            case '\\':
                out_ += "\\\\";
                break;
            case '\n':
                out_ += "\\n";
                break;
            case '\r':
                out_ += "\\r";
                break;
            case '\t':
                out_ += "\\t";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char escaped[8];
                    FormatPrint(escaped, sizeof escaped, "\\u%04x",
                                static_cast<unsigned>(static_cast<unsigned char>(c)));
                    out_ += escaped;
                } else {
                    out_.push_back(c);
                }
        }
    }
    out_.push_back('"');
}

void JsonWriter::String(std::string_view narrow) {
    BeforeValue();
    std::string utf8;
    utf8.reserve(narrow.size());
    codePage_.AppendUtf8(utf8, narrow);
    Quoted(utf8);
}

void JsonWriter::Utf8(std::string_view text) {
    BeforeValue();
    std::string valid;
    CodePage::Find(65001)->AppendUtf8(valid, text);
    Quoted(valid);
}

void JsonWriter::Number(std::size_t value) {
    BeforeValue();
    out_ += std::to_string(value);
}

void JsonWriter::Bool(bool value) {
    BeforeValue();
    out_ += value ? "true" : "false";
}

void JsonWriter::Null() {
    BeforeValue();
    out_ += "null";
}

void JsonWriter::OptionalString(const std::string* narrow) {
    if (narrow != nullptr) {
        String(*narrow);
    } else {
        Null();
    }
}

}  // namespace analysis
