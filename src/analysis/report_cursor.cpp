#include "analysis/report_cursor.h"

#include "text/joined.h"

namespace analysis {

namespace {

std::string_view TrimLeft(std::string_view line) {
    const std::size_t first = line.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string_view() : line.substr(first);
}

bool AllSpaces(std::string_view text) {
    return text.find_first_not_of(' ') == std::string_view::npos;
}

}  // namespace

std::string_view TrimRight(std::string_view line) {
    const std::size_t last = line.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string_view() : line.substr(0, last + 1);
}

std::string_view ReportCursor::Peek(std::size_t ahead) const {
    return pos_ + ahead < lines_.Count() ? lines_[pos_ + ahead] : std::string_view();
}

bool ReportCursor::PeekBlank(std::size_t ahead) const {
    return AllSpaces(Peek(ahead));
}

bool ReportCursor::PeekHeading(std::string_view text, std::size_t ahead) const {
    return TrimRight(TrimLeft(Peek(ahead))) == text;
}

void ReportCursor::Blank() {
    if (!PeekBlank()) {
        Fail("an empty line");
    }
    ++pos_;
}

void ReportCursor::Heading(std::string_view text) {
    if (!PeekHeading(text)) {
        Fail(Joined({"\"", text, "\""}));
    }
    ++pos_;
}

bool ReportCursor::Labeled(std::size_t indent, std::string_view label, std::size_t column,
                           std::string& value) {
    const std::string_view line = Peek();
    if (line.size() < indent + label.size() || !AllSpaces(line.substr(0, indent)) ||
        line.substr(indent, label.size()) != label) {
        return false;
    }
    const std::string_view rest = line.substr(indent + label.size());
    const std::size_t pad = column > label.size() ? column - label.size() : 0;
    if (rest.size() <= pad && AllSpaces(rest)) {
        value.clear();
    } else if (rest.size() > pad && AllSpaces(rest.substr(0, pad)) && rest[pad] != ' ') {
        value.assign(rest.substr(pad));
    } else if (rest.size() > pad && AllSpaces(rest.substr(0, pad))) {
        value.assign(rest.substr(pad));  // a value that starts with spaces
    } else {
        Fail(Joined(
            {"\"", label, "\" with its value at column ", std::to_string(indent + column + 1)}));
    }
    ++pos_;
    return true;
}

void ReportCursor::ExpectLabeled(std::size_t indent, std::string_view label, std::size_t column,
                                 std::string& value) {
    if (!Labeled(indent, label, column, value)) {
        Fail(Joined({"\"", std::string(indent, ' '), label, "\""}));
    }
}

bool ReportCursor::Continuation(std::size_t column, std::string& value) {
    const std::string_view line = Peek();
    if (line.size() <= column || !AllSpaces(line.substr(0, column)) || line[column] == ' ') {
        return false;
    }
    value.assign(line.substr(column));
    ++pos_;
    return true;
}

void ReportCursor::Traces(TraceLines& traces, TraceSlot slot) {
    for (;;) {
        const std::string_view line = TrimLeft(Peek());
        TraceKind kind = TraceKind::Error;
        std::string_view tag = "ERROR:";
        if (line.substr(0, 8) == "WARNING:") {
            kind = TraceKind::Warning;
            tag = "WARNING:";
        } else if (line.substr(0, 6) != "ERROR:") {
            return;
        }
        std::string_view message = line.substr(tag.size());
        if (!message.empty() && message[0] == ' ') {
            message.remove_prefix(1);
        }
        traces.push_back({kind, slot, std::string(message), LineNumber()});
        ++pos_;
        if (message.size() >= kTraceMessageLimit) {
            continue;  // cut by the trace log: its line feed was lost
        }
        if (!PeekBlank()) {
            Fail("the empty line after a trace message");
        }
        ++pos_;
    }
}

bool ReportCursor::PeekTrace(std::size_t ahead) const {
    const std::string_view line = TrimLeft(Peek(ahead));
    return line.substr(0, 6) == "ERROR:" || line.substr(0, 8) == "WARNING:";
}

std::size_t ReportCursor::IndentOf(std::size_t lineNumber) const {
    const std::string_view line = lineNumber - 1 < lines_.Count() ? lines_[lineNumber - 1] : "";
    const std::size_t first = line.find_first_not_of(' ');
    return first == std::string_view::npos ? line.size() : first;
}

void ReportCursor::Fail(std::string expected) const {
    throw Refusal{{LineNumber(), std::move(expected),
                   AtEnd() ? std::string("the end of the text") : QuoteLine(Peek())}};
}

}  // namespace analysis
