#include "analysis/service_reader.h"

#include <string>
#include <utility>
#include <vector>

#include "analysis/details_reader.h"
#include "analysis/language_line.h"
#include "analysis/sorted_index.h"

namespace analysis {

namespace {

constexpr std::size_t kServiceColumn = 21;
constexpr std::size_t kStringColumn = 21;  // 24, counted from the label at 3
constexpr std::size_t kServiceIndent = 6;

bool StartsWith(const std::string& text, std::string_view start) {
    return text.compare(0, start.size(), start) == 0;
}

bool ClosesClass(const std::string& message) {
    return StartsWith(message, "Close:") || StartsWith(message, "~TSvcCtrlManager:") ||
           StartsWith(message, "SetEmpty:");
}

// Moves the trailing run of `from`'s traces in `slot` that `closes` picks
// to the end of `to`, in `endSlot`; `from` and `to` may be the same.
template <typename Closes>
void MoveTrailing(TraceLines& from, TraceSlot slot, Closes closes, TraceLines& to,
                  TraceSlot endSlot) {
    std::size_t first = from.size();
    while (first > 0 && from[first - 1].slot == slot && closes(from[first - 1])) {
        --first;
    }
    TraceLines moved(from.begin() + static_cast<std::ptrdiff_t>(first), from.end());
    from.resize(first);
    for (TraceLine& trace : moved) {
        trace.slot = endSlot;
        to.push_back(std::move(trace));
    }
}

// The services the generator opened, in its order: every name of every
// stack that loaded, once each, in byte order.
std::vector<std::string> StackServices(const SetupClass& setupClass) {
    SortedSet<std::string> names;
    for (const Device& device : setupClass.devices) {
        for (std::size_t layer = 0; device.stack.loaded && layer < kStackLayers; ++layer) {
            for (const std::string& name : device.stack.layers[layer]) {
                names.Insert(name);
            }
        }
    }
    return names.Keys();
}

// Whether the manager opened. Then every service has an entry that starts
// with a blank line; one whose service could not be opened, under a trace
// mask without ERROR, is nothing but that line. The class ends with two
// blank lines before the next heading, or with one at the end of the text.
bool EntriesFollow(const ReportCursor& in, std::size_t entries) {
    std::size_t blanks = 0;
    while (blanks < in.Remaining() && in.PeekBlank(blanks)) {
        ++blanks;
    }
    if (blanks == in.Remaining()) {
        return blanks >= entries + 1;
    }
    if (blanks > 0 && (in.PeekTrace(blanks) || in.PeekHeading("Service:", blanks))) {
        return true;
    }
    return blanks >= entries + 2;
}

void ReadVersion(ReportCursor& in, Service& service) {
    in.Traces(service.traces, TraceSlot::VersionResource);
    service.versionLine = in.LineNumber();
    if (!in.Labeled(6, "File Version:", kServiceColumn, service.fileVersion)) {
        service.versionLoaded = false;
        // Without version lines the service's close follows directly, at
        // the indentation the section ends with.
        MoveTrailing(
            service.traces, TraceSlot::VersionResource,
            [&](const TraceLine& t) { return in.IndentOf(t.line) < kServiceIndent; },
            service.traces, TraceSlot::ServiceEnd);
        return;
    }
    in.Traces(service.traces, TraceSlot::ProductVersion);
    in.ExpectLabeled(6, "Product Version:", kServiceColumn, service.productVersion);
    in.Traces(service.traces, TraceSlot::Languages);
    if (in.PeekBlank() &&
        in.PeekHeading("File description for specific language/code page not available.", 1)) {
        service.languagesListed = false;
        in.Skip();
        in.Skip();
        return;
    }
    while (in.Peek().substr(0, 17) == "      Language 0x") {
        LanguageBlock block;
        block.line = in.LineNumber();
        unsigned language = 0;
        unsigned codePage = 0;
        if (!ScanLanguageLine(TrimRight(in.Peek()), language, codePage)) {
            in.Fail("\"      Language 0xLLLL/Code Page 0xCCCC:\"");
        }
        in.Skip();
        block.language = static_cast<std::uint16_t>(language);
        block.codePage = static_cast<std::uint16_t>(codePage);
        for (std::size_t i = 0; i < kVersionStrings; ++i) {
            in.Traces(block.traces,
                      static_cast<TraceSlot>(static_cast<std::size_t>(TraceSlot::Provider) + i));
            in.ExpectLabeled(9, VersionStringLabel(i), kStringColumn, block.strings[i]);
        }
        service.languages.push_back(std::move(block));
    }
}

void ReadService(ReportCursor& in, Service& service) {
    service.line = in.LineNumber();
    in.Heading("Service:");
    in.ExpectLabeled(6, "Name:", kServiceColumn, service.name);
    in.Traces(service.traces, TraceSlot::Binary);
    service.binaryLine = in.LineNumber();
    std::string binary;
    if (in.Labeled(6, "Binary:", kServiceColumn, binary)) {
        service.binary = binary;
    }
    ReadStartType(in, service);
    if (!service.binary && !service.startType && !in.PeekBlank()) {
        in.Fail("\"      Binary:\"");
    }
    in.Blank();
    ReadVersion(in, service);
    in.Traces(service.traces, TraceSlot::ServiceEnd);
}

}  // namespace

void MoveClassEnd(TraceLines& from, TraceSlot slot, SetupClass& setupClass) {
    MoveTrailing(
        from, slot, [](const TraceLine& t) { return ClosesClass(t.message); }, setupClass.traces,
        TraceSlot::ClassEnd);
}

void ReadServices(ReportCursor& in, SetupClass& setupClass) {
    in.Traces(setupClass.traces, TraceSlot::ServiceManager);
    MoveClassEnd(setupClass.traces, TraceSlot::ServiceManager, setupClass);
    bool failed = false;
    for (const TraceLine& trace : setupClass.traces) {
        failed = failed || trace.slot == TraceSlot::ServiceManager;
    }
    const std::vector<std::string> names = StackServices(setupClass);
    setupClass.managerOpened = !failed && (names.empty() || EntriesFollow(in, names.size()));
    if (!setupClass.managerOpened) {
        return;
    }
    // One entry per name, even where only its blank line is left of it, or
    // nothing: a text that ends early lost those blank lines (trimmed, or
    // cut off), and reading what is written back must give the same entries.
    for (std::size_t i = 0; i < names.size(); ++i) {
        Service service;
        service.line = in.AtEnd() ? in.LineNumber() - 1 : in.LineNumber();
        if (!in.AtEnd()) {
            in.Blank();
            in.Traces(service.traces, TraceSlot::OpenService);
        }
        if (in.PeekHeading("Service:")) {
            ReadService(in, service);
        } else {
            service.opened = false;
            service.name = names[i];
            service.line = service.traces.empty() ? service.line : service.traces.front().line;
        }
        setupClass.services.push_back(std::move(service));
    }
    if (!setupClass.services.empty()) {
        Service& last = setupClass.services.back();
        MoveClassEnd(last.traces, last.opened ? TraceSlot::ServiceEnd : TraceSlot::OpenService,
                     setupClass);
    }
}

}  // namespace analysis
