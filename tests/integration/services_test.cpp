// The real service manager, version functions and system directory under
// Wine, against the simulated machine with the same description. The
// scenario (services.sh) writes the description's registry file with
// ServicesPrefix.WriteRegistryFile, imports it, puts the driver files into
// system32\drivers and then runs ServicesWine.*.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "log/log_config.h"
#include "log/trace_log.h"
#include "machine/registry_services.h"
#include "platform/simulated/simulated_platform.h"
#include "platform/win32/win32_platform.h"
#include "report/report.h"
#include "services/svc_ctrl.h"
#include "services/svc_ctrl_manager.h"
#include "services/system_dir.h"
#include "services/version_res_info.h"

namespace {

constexpr const char* kSystemDir = "C:\\windows\\system32";
constexpr const char* kDrivers = "C:\\windows\\system32\\drivers\\";

void AddService(machine::Machine& machine, const std::string& name,
                std::optional<std::string> binaryPath) {
    machine::Service service;
    service.name = name;
    service.binaryPath = std::move(binaryPath);
    service.displayName = name + " test driver";
    machine.services[name] = service;
}

// The files are the very ones in the prefix: the simulated side reads their
// resources itself.
void AddPeFile(machine::Machine& machine, const std::string& file) {
    const std::string path = kDrivers + file;
    machine.files[path] = machine::DriverFile{path, {}, {}, {}};
    machine::AttachPeFile(machine.files[path], path);
}

machine::Machine DescribedMachine() {
    machine::Machine machine;
    machine.systemDirectory = kSystemDir;
    AddService(machine, "MvsiHub", "\\SystemRoot\\system32\\drivers\\mvsihub.sys");
    AddService(machine, "MvsiOne", "system32\\DRIVERS\\MvsiOne.SYS");
    AddService(machine, "MvsiNoVer", "%SystemRoot%\\system32\\drivers\\mvsinover.sys");
    AddService(machine, "MvsiMissing", "\\SystemRoot\\system32\\drivers\\mvsimissing.sys");
    AddService(machine, "MvsiNoPath", std::nullopt);
    AddPeFile(machine, "mvsihub.sys");
    AddPeFile(machine, "mvsione.sys");
    AddPeFile(machine, "mvsinover.sys");
    return machine;
}

// What the queries give for one service, one fact a line.
std::vector<std::string> Observe(const std::string& name) {
    std::vector<std::string> facts;
    const auto fact = [&](const std::string& text) { facts.push_back(text); };
    TSvcCtrlManager manager;
    fact("manager " + std::to_string(manager.Open()));
    TSvcCtrl service;
    const StatusCode opened = service.OpenService(name, manager.ManagerHandle());
    fact("open " + std::to_string(opened));
    if (opened != 0) {
        return facts;
    }
    std::string binPath;
    fact("binary " + std::to_string(service.GetBinPathNameInfo(binPath)) + " " + binPath);
    const std::string file = binPath.substr(binPath.find_last_of('\\') + 1);
    VersionResInfo info;
    const StatusCode loaded = info.LoadVersionResource(kDrivers + file);
    fact("load " + std::to_string(loaded));
    if (loaded != 0) {
        return facts;
    }
    std::uint16_t a = 0, b = 0, c = 0, d = 0;
    info.GetFileVersion(a, b, c, d);
    char text[128];
    std::snprintf(text, sizeof text, "file %u.%u.%u.%u", a, b, c, d);
    fact(text);
    info.GetProductVersion(a, b, c, d);
    std::snprintf(text, sizeof text, "product %u.%u.%u.%u", a, b, c, d);
    fact(text);
    LangCodePageList list;
    fact(std::string("translations ") + (info.GetLangCodePageList(list) ? "yes" : "no"));
    for (const LangCodePage entry : list) {
        const auto language = static_cast<std::uint16_t>(entry & 0xFFFF);
        const auto codePage = static_cast<std::uint16_t>(entry >> 16);
        std::snprintf(text, sizeof text, "%04x%04x", language, codePage);
        for (const char* key : {"CompanyName", "InternalName", "OriginalFilename", "ProductName",
                                "FileDescription", "companyname"}) {
            const char* value = nullptr;
            std::uint32_t length = 0;
            const bool found =
                info.GetLangCodeDependentResStr(value, length, key, language, codePage);
            fact(std::string(text) + " " + key + " " +
                 (found ? std::string("'") + value + "'" : std::string("missing")));
        }
    }
    return facts;
}

std::string ReportOf(const std::string& name) {
    Report report;
    TSvcCtrlManager manager;
    manager.Open();
    TSvcCtrl service;
    if (service.OpenService(name, manager.ManagerHandle()) == 0) {
        report.SetIndent(6);
        report.AddCommonServiceInfo(service);
        report.AddNewLines(1);
        report.AddDriverVersionInfo(service);
    }
    return report.GetText();
}

class ServicesWine : public ::testing::Test {
  protected:
    ServicesWine() : simulated(DescribedMachine()) {
        ResetLogState();
        InitLog(DefaultLogConfig());
    }
    ~ServicesWine() override { ResetLogState(); }

    template <typename F>
    auto OnReal(F f) {
        win::ScopedPlatform scope(real);
        return f();
    }
    template <typename F>
    auto OnSimulated(F f) {
        win::ScopedPlatform scope(simulated);
        return f();
    }

    win::Win32Platform real;
    sim::SimulatedPlatform simulated;
};

TEST(ServicesPrefix, WriteRegistryFile) {
    const char* target = std::getenv("MVSI_SERVICES_REG");
    if (target == nullptr) {
        GTEST_SKIP() << "only for the services scenario";
    }
    machine::RegistryExport reg;
    machine::AddServiceKeys(reg, DescribedMachine());
    std::ofstream(target, std::ios::binary) << reg.Text();
    EXPECT_TRUE(std::ifstream(target).good());
}

TEST_F(ServicesWine, SystemDirectory) {
    std::string realDir, simulatedDir;
    EXPECT_EQ(0u, OnReal([&] { return GetSystemDir(realDir); }));
    EXPECT_EQ(0u, OnSimulated([&] { return GetSystemDir(simulatedDir); }));
    EXPECT_EQ(simulatedDir, realDir);
    EXPECT_EQ(std::string(kSystemDir) + "\\", realDir);
}

TEST_F(ServicesWine, DriversWithVersionResourcesAgree) {
    for (const char* name : {"MvsiHub", "MvsiOne", "mvsihub"}) {
        const std::vector<std::string> simulatedFacts = OnSimulated([&] { return Observe(name); });
        EXPECT_EQ(simulatedFacts, OnReal([&] { return Observe(name); })) << name;
        EXPECT_EQ(OnSimulated([&] { return ReportOf(name); }),
                  OnReal([&] { return ReportOf(name); }))
            << name;
    }
    // Both sides did read the files' resources.
    const std::vector<std::string> facts = OnReal([] { return Observe("MvsiHub"); });
    for (const char* expected :
         {"file 5.1.2600.5512", "product 5.1.2600.1", "translations yes",
          "040904b0 CompanyName 'Example Corporation'",
          "040904b0 companyname 'Example Corporation'", "040704e4 ProductName missing",
          "040704e4 FileDescription 'USB-Hub-Treiber f\xFCr Ger\xE4te'"}) {
        EXPECT_NE(facts.end(), std::find(facts.begin(), facts.end(), expected)) << expected;
    }
    const std::string report = OnReal([] { return ReportOf("MvsiOne"); });
    EXPECT_NE(std::string::npos, report.find("Language 0x0409/Code Page 0x04E4:"));
    EXPECT_NE(std::string::npos, report.find("Product Name:        not available"));
}

TEST_F(ServicesWine, ServiceThatIsNotInstalled) {
    EXPECT_EQ(OnSimulated([] { return Observe("MvsiNoSuch"); }),
              OnReal([] { return Observe("MvsiNoSuch"); }));
    EXPECT_EQ("open 1060", OnReal([] { return Observe("MvsiNoSuch"); }).at(1));
}

TEST_F(ServicesWine, MissingDriverFile) {
    const std::vector<std::string> facts = OnReal([] { return Observe("MvsiMissing"); });
    EXPECT_EQ(OnSimulated([] { return Observe("MvsiMissing"); }), facts);
    EXPECT_EQ("load 2", facts.back());
}

TEST_F(ServicesWine, ServiceWithoutImagePath) {
    const std::vector<std::string> facts = OnReal([] { return Observe("MvsiNoPath"); });
    EXPECT_EQ(OnSimulated([] { return Observe("MvsiNoPath"); }), facts);
    // Windows gives an empty path; the driver directory itself is then refused.
    EXPECT_EQ("binary 0 ", facts.at(2));
    EXPECT_EQ("load 5", facts.at(3));
}

// Where Wine differs from Windows, stated one by one.
TEST_F(ServicesWine, KnownWineDifferences) {
    const std::vector<std::string> simulatedFacts =
        OnSimulated([] { return Observe("MvsiNoVer"); });
    const std::vector<std::string> realFacts = OnReal([] { return Observe("MvsiNoVer"); });
    ASSERT_EQ(4u, simulatedFacts.size());
    ASSERT_EQ(4u, realFacts.size());
    EXPECT_EQ(simulatedFacts[1], realFacts[1]);
    // Windows hands the binary path back as stored; Wine expands %SystemRoot%.
    EXPECT_EQ("binary 0 %SystemRoot%\\system32\\drivers\\mvsinover.sys", simulatedFacts[2]);
    EXPECT_EQ("binary 0 C:\\windows\\system32\\drivers\\mvsinover.sys", realFacts[2]);
    // A file without a version resource: Windows 1813, Wine 1812.
    EXPECT_EQ("load 1813", simulatedFacts[3]);
    EXPECT_EQ("load 1812", realFacts[3]);
}

}  // namespace
