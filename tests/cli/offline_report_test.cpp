// Reports from registry exports: a described machine carried through the
// Wine harness's .reg, the system keys and driver file copies, read back,
// gives the report of the described machine.
#include <algorithm>
#include <map>
#include <tuple>
#include <cstdio>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "tools/wine_prefix/prefix_content.h"
#include "cli/report_cli.h"
#include "log/log_config.h"
#include "log/trace_log.h"
#include "machine/ansi_code_page.h"
#include "machine/driver_folder.h"
#include "text/guid_text.h"
#include "machine/machine_from_registry.h"
#include "machine/machine_loader.h"
#include "machine/registry_system_keys.h"
#include "platform/simulated/simulated_platform.h"
#include "platform/simulated/version_block.h"
#include "report/final_report.h"
#include "services/pe_image_builder.h"
#include "support/carried_machine.h"
#include "support/scratch_dir.h"

namespace {

// String data in hex form ("hex(2):41,00"): ANSI bytes in REGEDIT4, UTF-16
// in Version 5.00.
std::string WidenHexLine(const std::string& line) {
    const std::size_t eq = line.find("=hex(");
    if (eq == std::string::npos || line.size() < eq + 8 || line[eq + 7] != ':' ||
        std::string("127").find(line[eq + 5]) == std::string::npos || line[eq + 6] != ')') {
        return line;
    }
    std::string ansi;
    for (std::size_t at = eq + 8; at + 1 < line.size(); at += 3) {
        ansi.push_back(static_cast<char>(std::stoi(line.substr(at, 2), nullptr, 16)));
    }
    std::string out = line.substr(0, eq + 8);
    char byte[4];
    bool first = true;
    for (const char16_t c : machine::AnsiToWide(ansi)) {
        for (const unsigned b : {unsigned{c} & 0xFFu, unsigned{c} >> 8u}) {
            std::snprintf(byte, sizeof byte, "%02x", b);
            out += (first ? "" : ",") + std::string(byte);
            first = false;
        }
    }
    return out;
}

// A REGEDIT4 text as Version 5.00: UTF-16LE with a BOM, continuation lines
// joined (very long lines, as some tools write them).
std::string Utf16Export(const std::string& regedit4) {
    std::string body;
    std::string logical;
    std::size_t at = regedit4.find("\r\n") + 2;
    while (at < regedit4.size()) {
        std::size_t end = regedit4.find("\r\n", at);
        end = end == std::string::npos ? regedit4.size() : end;
        std::string line = regedit4.substr(at, end - at);
        at = end + 2;
        if (!logical.empty()) {
            line.erase(0, line.find_first_not_of(' '));
        }
        if (!line.empty() && line.back() == '\\') {
            logical += line.substr(0, line.size() - 1);
            continue;
        }
        body += "\r\n" + WidenHexLine(logical + line);
        logical.clear();
    }
    std::u16string wide = u"Windows Registry Editor Version 5.00";
    wide += machine::AnsiToWide(body);
    std::string bytes = "\xFF\xFE";
    for (const char16_t c : wide) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
    }
    return bytes;
}

class OfflineReportTest : public ::testing::Test {
  protected:
    // The described machine → .reg files + driver folder → machine.
    machine::Machine RoundTrip(const machine::Machine& described) {
        const std::string reg = dir.Path("machine.reg");
        const std::string system = dir.Path("system.reg");
        const std::string drivers = dir.Path("drivers");
        EXPECT_TRUE(WriteWholeFile(reg, BuildPrefixContent(described).reg));
        machine::RegistryExport keys;
        machine::AddSystemKeys(keys, described);
        EXPECT_TRUE(WriteWholeFile(system, keys.Text()));
        WriteDriverFiles(Carried(described), drivers);

        machine::RegistryTree tree;
        std::string error;
        EXPECT_TRUE(machine::LoadRegFile(reg, tree, error)) << error;
        EXPECT_TRUE(machine::LoadRegFile(system, tree, error)) << error;
        machine::Machine imported;
        EXPECT_TRUE(machine::MachineFromRegistry(std::move(tree), imported, error)) << error;
        EXPECT_TRUE(machine::AddDriverFolder(drivers, imported, error)) << error;
        return imported;
    }

    ScratchDir dir;
};

TEST_F(OfflineReportTest, ExampleMachinesGiveTheSameReportThroughTheirExports) {
    const std::string examples = std::string(MVSI_SOURCE_DIR) + "/examples/machines";
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(examples)) {
        files.push_back(entry.path().string());
    }
    ASSERT_GE(files.size(), 5u);
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        machine::Machine described;
        std::string error;
        ASSERT_TRUE(machine::MachineLoader::FromFile(file, described, error)) << error;
        const machine::Machine imported = RoundTrip(described);
        EXPECT_EQ(ReportOf(Carried(described)), ReportOf(imported));
        std::filesystem::remove_all(dir.Path("drivers"));
    }
}

TEST_F(OfflineReportTest, WithoutDriverCopiesEveryFileIsMissingAsOnWindows) {
    machine::Machine described;
    std::string error;
    ASSERT_TRUE(machine::MachineLoader::FromFile(
        std::string(MVSI_SOURCE_DIR) + "/examples/machines/worked-example.json", described, error));
    machine::RegistryExport keys;
    machine::AddSystemKeys(keys, described);
    machine::RegistryTree tree;
    const std::string text = BuildPrefixContent(described).reg + keys.Text().substr(8);
    ASSERT_TRUE(machine::LoadRegBytes(reinterpret_cast<const std::uint8_t*>(text.data()),
                                      text.size(), "m.reg", tree, error))
        << error;
    machine::Machine imported;
    ASSERT_TRUE(machine::MachineFromRegistry(std::move(tree), imported, error));
    const std::string report = ReportOf(imported);
    EXPECT_NE(std::string::npos, report.find("GetFileVersionInfoSize failed with error 0x00000002"))
        << report;
    EXPECT_EQ(std::string::npos, report.find("File Version:"));
}

// A machine of real size: 2000 device keys and 500 services in a
// Version 5.00 export of tens of megabytes.
TEST_F(OfflineReportTest, RealSizedUtf16ExportIsRead) {
    machine::Machine big;
    big.systemDirectory = "C:\\Windows\\system32";
    big.os.suiteMask = win::VER_SUITE_TERMINAL | win::VER_SUITE_SINGLEUSERTS;
    big.os.processorCount = 8;
    machine::SetupClass usb;
    ParseGuidText("{36fc9e60-c465-11cf-8056-444553540000}", usb.guid);
    usb.name = "USB";
    big.classes.push_back(usb);
    const std::vector<std::uint8_t> blob(3000, 0x5A);
    for (int i = 0; i < 2000; ++i) {
        machine::Device device;
        device.instanceId =
            "USB\\VID_1234&PID_" + std::to_string(1000 + i % 100) + "\\" + std::to_string(i);
        device.properties[win::SPDRP_DEVICEDESC] =
            machine::RegValue::String("Device " + std::to_string(i));
        device.properties[win::SPDRP_CLASSGUID] =
            machine::RegValue::String(i % 10 == 0 ? "{36fc9e60-c465-11cf-8056-444553540000}"
                                                  : "{4d36e96c-e325-11ce-bfc1-08002be10318}");
        device.properties[win::SPDRP_SERVICE] =
            machine::RegValue::String("svc" + std::to_string(i % 500));
        device.properties[win::SPDRP_HARDWAREID] = machine::RegValue::MultiString(
            {"USB\\VID_1234&PID_5678&REV_0100", "USB\\VID_1234&PID_5678"});
        // Stands for the Device Parameters and driver data regedit exports in hex.
        device.properties[win::SPDRP_LOWERFILTERS] = machine::RegValue{win::REG_MULTI_SZ, {0}};
        device.properties[0x0F] = machine::RegValue{win::REG_BINARY, blob};
        big.devices.push_back(device);
    }
    for (int i = 0; i < 500; ++i) {
        machine::Service service;
        service.name = "svc" + std::to_string(i);
        service.binaryPath = "\\SystemRoot\\system32\\drivers\\svc" + std::to_string(i) + ".sys";
        big.services[service.name] = service;
    }
    machine::RegistryExport keys;
    machine::AddSystemKeys(keys, big);
    const std::string text = Utf16Export(BuildPrefixContent(big).reg + keys.Text().substr(8));
    ASSERT_GT(text.size(), 20u * 1000 * 1000);
    const std::string file = dir.Path("big.reg");
    ASSERT_TRUE(WriteWholeFile(file, text));

    machine::RegistryTree tree;
    std::string error;
    ASSERT_TRUE(machine::LoadRegFile(file, tree, error)) << error;
    machine::Machine imported;
    ASSERT_TRUE(machine::MachineFromRegistry(std::move(tree), imported, error)) << error;
    const std::string report = ReportOf(imported);

    EXPECT_EQ(2000u, imported.devices.size());
    EXPECT_EQ(500u, imported.services.size());
    EXPECT_EQ(blob, imported.devices[1999].properties[0x0F].data);
    EXPECT_EQ(ReportOf(Carried(big)), report);
}

}  // namespace
