#include "report/report.h"

#include <cstring>

#include "devices/guid_util.h"
#include "log/trace_log.h"

void Report::Append(const char* s, std::size_t length, std::uint32_t c) {
    if (column < c) {
        text.append(c - column, ' ');
        column = c;
    }
    text.append(s, length);
    column += static_cast<std::uint32_t>(length);
}

void Report::AddText(const std::string& s, std::uint32_t c) {
    Append(s.data(), s.size(), c);
}

void Report::AddText(const char* s, std::uint32_t c) {
    Append(s != nullptr ? s : "", s != nullptr ? std::strlen(s) : 0, c);
}

void Report::AddNewLines(std::uint32_t count) {
    for (std::uint32_t i = 0; i < count; ++i) {
        text += "\r\n";
        text += indent;
    }
    column = 0;
    lineIndent = static_cast<std::uint32_t>(indent.size());
}

void Report::SetIndent(std::uint32_t width) {
    indent.assign(width, ' ');
    if (column != 0) {
        return;  // takes effect at the next line break
    }
    if (lineIndent < width) {
        text.append(width - lineIndent, ' ');
    } else if (lineIndent > width) {
        // The line holds only its indentation, which follows a line feed.
        const std::size_t last = text.find_last_not_of(' ');
        text.erase(last == std::string::npos ? 0 : last + 1);
        text.append(width, ' ');
    }
    lineIndent = width;
}

void Report::AddDecimal(std::uint32_t value) {
    AddText(std::to_string(value), 31);
}

void Report::AddGuid(const win::GUID& guid) {
    std::string guidText;
    GuidToString(guid, guidText);
    AddText(guidText, 7);
}

void Report::Output(std::uint32_t type, const char* message) {
    if (type == LOG_ERROR) {
        AddText("ERROR:", 0);
        AddText(message, 7);
        AddNewLines(1);
    } else if (type == LOG_WARNING) {
        AddText("WARNING:", 0);
        AddText(message, 9);
        AddNewLines(1);
    }
}
