#include "sweep/round_trip_reports.h"

#include <cstdint>
#include <stdexcept>

#include "log/trace_log.h"
#include "machine/machine_loader.h"
#include "sweep/fault_sweep.h"

namespace {

machine::Machine LoadExample(const std::filesystem::path& path) {
    machine::Machine machine;
    std::string error;
    if (!machine::MachineLoader::FromFile(path.string(), machine, error)) {
        throw std::runtime_error(path.string() + ": " + error);
    }
    return machine;
}

const char kBinaryFolder[] = "\\SystemRoot\\system32\\drivers\\";

// The worked example with the audio device's function driver (first of the
// class's services), an upper filter (last of them) and the root hub's
// binary path of the given lengths.
machine::Machine WithLongNames(std::size_t nameLength, std::size_t binaryLength) {
    machine::Machine machine =
        LoadExample(MVSI_SOURCE_DIR "/examples/machines/worked-example.json");
    machine::Device& audio = machine.devices.at(1);
    audio.properties[win::SPDRP_SERVICE] =
        machine::RegValue::String("a" + std::string(nameLength - 1, 'x'));
    audio.properties[win::SPDRP_UPPERFILTERS] =
        machine::RegValue::MultiString({"fltB", "fltA", "z" + std::string(nameLength - 1, 'x')});
    machine.services.at("usbhub").binaryPath =
        kBinaryFolder + std::string(binaryLength - sizeof kBinaryFolder + 1 - 4, 'b') + ".sys";
    return machine;
}

// The length of the ERROR message that quotes `quoted`, its line feed
// included, as the report shows it.
std::size_t MessageLength(const std::string& text, const std::string& quoted) {
    const std::size_t at = text.find("'" + quoted + "'");
    const std::size_t start = text.rfind("ERROR: ", at);
    const std::size_t end = text.find('\n', at);
    if (at == std::string::npos || start == std::string::npos || end == std::string::npos) {
        throw std::runtime_error("no ERROR line quotes '" + quoted.substr(0, 20) + "...'");
    }
    return end + 1 - (start + 7);
}

// What the messages add to the name and to the binary path.
std::pair<std::size_t, std::size_t> MessageOverheads() {
    static const std::pair<std::size_t, std::size_t> overheads = [] {
        const std::size_t name = 10;
        const std::size_t binary = 400;
        const machine::Machine machine = WithLongNames(name, binary);
        const LogSettings saved = LogState();
        ConfigureSweepLog();
        const std::string text = GenerateReport(machine).text;
        LogState() = saved;
        const std::string path = *machine.services.at("usbhub").binaryPath;
        return std::make_pair(MessageLength(text, "a" + std::string(name - 1, 'x')) - name,
                              MessageLength(text, path) - binary);
    }();
    return overheads;
}

}  // namespace

std::size_t VisitSweepReports(std::uint32_t mask, const ReportVisitor& visit) {
    ConfigureSweepLog(mask);
    std::size_t count = 0;
    for (const auto& path : ExampleMachines()) {
        const machine::Machine machine = LoadExample(path);
        const std::string name =
            path.filename().string() + (mask == 7 ? "" : " under mask " + std::to_string(mask));
        const SweepReport baseline = GenerateReport(machine);
        visit(name, baseline.text);
        ++count;
        for (const FailedCall& call : CallsToFail(baseline.calls)) {
            visit(name + ": " + call.function + " call " + std::to_string(call.number),
                  GenerateReport(machine, &call).text);
            ++count;
        }
        count += ForEachFailedAllocation(machine, [&](std::size_t skip, const SweepReport& r) {
            visit(name + ": allocation " + std::to_string(skip + 1), r.text);
        });
    }
    ResetLogState();
    return count;
}

std::size_t VisitMaskReports(const ReportVisitor& visit) {
    std::size_t count = 0;
    for (std::uint32_t mask = 0; mask < 8; ++mask) {
        ConfigureSweepLog(mask);
        for (const auto& path : ExampleMachines()) {
            visit(path.filename().string() + " under mask " + std::to_string(mask),
                  GenerateReport(LoadExample(path)).text);
            ++count;
        }
    }
    ResetLogState();
    return count;
}

machine::Machine LongNameMachine(std::size_t length) {
    const auto [name, binary] = MessageOverheads();
    return WithLongNames(length - name, length - binary);
}

std::size_t VisitLongNameReports(const ReportVisitor& visit) {
    ConfigureSweepLog();
    // The buffer holds LOG_TEXT_SIZE - 1 bytes: a message of that length
    // keeps its line feed, one byte more loses it.
    const std::size_t lengths[] = {LOG_TEXT_SIZE - 3, LOG_TEXT_SIZE - 2, LOG_TEXT_SIZE - 1,
                                   LOG_TEXT_SIZE,     LOG_TEXT_SIZE + 1, 2 * LOG_TEXT_SIZE,
                                   5 * LOG_TEXT_SIZE};
    for (const std::size_t length : lengths) {
        visit("messages of " + std::to_string(length) + " bytes",
              GenerateReport(LongNameMachine(length)).text);
    }
    ResetLogState();
    return std::size(lengths);
}
