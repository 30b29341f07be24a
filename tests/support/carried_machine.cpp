#include "support/carried_machine.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <tuple>

#include <gtest/gtest.h>

#include "cli/report_cli.h"
#include "log/log_config.h"
#include "log/trace_log.h"
#include "platform/simulated/simulated_platform.h"
#include "report/final_report.h"
#include "support/scratch_dir.h"
#include "support/windows_folder_writer.h"

std::string ReportOf(const machine::Machine& machine) {
    sim::SimulatedPlatform platform(machine);
    win::ScopedPlatform scope(platform);
    ResetLogState();
    InitLog(DefaultLogConfig());
    ClassSelection selection;
    selection.allClasses = true;
    FinalReport report;
    report.Generate(ReportTitle(), selection);
    std::string text = report.GetText();
    ResetLogState();
    return text;
}

void TreeOrder(std::vector<machine::Device>& devices) {
    std::map<std::string, std::size_t, machine::CaseInsensitiveLess> first;
    auto rank = [&](const std::string& prefix) {
        return first.emplace(prefix, first.size()).first->second;
    };
    std::vector<std::tuple<std::size_t, std::size_t, std::size_t, machine::Device>> ranked;
    for (std::size_t i = 0; i < devices.size(); ++i) {
        const std::string& id = devices[i].instanceId;
        const std::size_t a = id.find('\\');
        const std::size_t b = id.find('\\', a + 1);
        const std::size_t enumerator = rank(id.substr(0, a));
        ranked.emplace_back(enumerator, rank(id.substr(0, b)), i, devices[i]);
    }
    std::sort(ranked.begin(), ranked.end(), [](const auto& x, const auto& y) {
        return std::tie(std::get<0>(x), std::get<1>(x), std::get<2>(x)) <
               std::tie(std::get<0>(y), std::get<1>(y), std::get<2>(y));
    });
    devices.clear();
    for (auto& entry : ranked) {
        devices.push_back(std::move(std::get<3>(entry)));
    }
}

machine::Machine Carried(machine::Machine machine) {
    machine.faults.clear();
    machine.moduleFileName.clear();
    machine.os.is64BitProcess = false;
    machine.os.platformId = win::VER_PLATFORM_WIN32_NT;
    const win::DWORD v = machine.os.major << 8 | machine.os.minor;
    machine.os.hasIsWow64Process = v > 0x0502 ||
                                   (v == 0x0502 && machine.os.servicePackMajor >= 1) ||
                                   (v == 0x0501 && machine.os.servicePackMajor >= 2);
    if ((machine.os.suiteMask & win::VER_SUITE_TERMINAL) == 0) {
        machine.os.suiteMask =
            static_cast<win::WORD>(machine.os.suiteMask & ~win::VER_SUITE_SINGLEUSERTS);
    }
    machine.os.servicePackMajor &= 0xFF;
    machine.os.servicePackMinor &= 0xFF;
    for (machine::Device& device : machine.devices) {
        device.present = true;
        for (char& c : device.instanceId) {
            c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
        }
    }
    TreeOrder(machine.devices);
    const std::string drivers = machine.systemDirectory + "\\drivers\\";
    for (auto it = machine.files.begin(); it != machine.files.end();) {
        const bool inDrivers =
            it->first.size() > drivers.size() &&
            !machine::CaseInsensitiveLess{}(it->first.substr(0, drivers.size()), drivers) &&
            !machine::CaseInsensitiveLess{}(drivers, it->first.substr(0, drivers.size())) &&
            it->first.find('\\', drivers.size()) == std::string::npos;
        it = inDrivers ? std::next(it) : machine.files.erase(it);
    }
    return machine;
}

void WriteDriverFiles(const machine::Machine& machine, const std::string& folder) {
    std::string error;
    ASSERT_TRUE(WriteDriverImages(machine, folder, error)) << error;
}
