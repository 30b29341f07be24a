#include "report/final_report.h"

#include <string>

#include <gtest/gtest.h>

#include "cli/default_machine.h"
#include "cli/report_cli.h"
#include "support/machine_test.h"
#include "support/worked_example_report.h"

namespace {

const char kUsbGuidText[] = "{36fc9e60-c465-11cf-8056-444553540000}";

class FinalReportTest : public MachineTest {
  protected:
    FinalReportTest() {
        std::string error;
        EXPECT_TRUE(LoadDefaultMachine(machine(), error)) << error;
    }

    std::string Generate(bool usb, bool ieee1394) {
        FinalReport report;
        report.Generate(ReportTitle(), usb, ieee1394);
        return report.GetText();
    }

    // A USB device with the function driver `service` and nothing else.
    void AddUsbDevice(const std::string& id, const std::string& service) {
        machine::Device device;
        device.instanceId = id;
        device.properties[win::SPDRP_DEVICEDESC] = machine::RegValue::String("Dev " + id);
        device.properties[win::SPDRP_CLASSGUID] = machine::RegValue::String(kUsbGuidText);
        device.properties[win::SPDRP_SERVICE] = machine::RegValue::String(service);
        machine().devices.push_back(device);
    }

    static std::size_t Count(const std::string& text, const std::string& what) {
        std::size_t n = 0;
        for (std::size_t at = text.find(what); at != std::string::npos;
             at = text.find(what, at + 1)) {
            ++n;
        }
        return n;
    }
};

TEST_F(FinalReportTest, WorkedExampleByteForByte) {
    EXPECT_EQ(WorkedExampleReport(), Generate(true, true));
    EXPECT_EQ(1u, log.Texts(LOG_INFO).size() > 0 ? 1u : 0u);
    EXPECT_EQ("FinalReport::Generate...\n", log.Texts(LOG_INFO).front());
    EXPECT_TRUE(log.Problems().empty());
}

TEST_F(FinalReportTest, ClassSelectionDecidesTheSections) {
    const std::string full = WorkedExampleReport();
    const std::size_t usbAt = full.find("Device Setup Class:");
    const std::size_t ieeeAt = full.rfind("Device Setup Class:");
    EXPECT_EQ(full.substr(0, usbAt), Generate(false, false));
    EXPECT_EQ("\r\n\r\n", full.substr(usbAt - 4, 4));  // the System section's two breaks
    EXPECT_EQ(full.substr(0, usbAt) + full.substr(ieeeAt), Generate(false, true));
    const std::string usbOnly = full.substr(0, ieeeAt - 4);
    EXPECT_EQ(usbOnly, Generate(true, false));
}

TEST_F(FinalReportTest, EachServiceOnceInByteOrder) {
    machine().devices.clear();
    AddUsbDevice("USB\\A\\1", "svc");
    AddUsbDevice("USB\\B\\1", "Svc");
    AddUsbDevice("USB\\C\\1", "b");
    AddUsbDevice("USB\\D\\1", "svc");
    for (const char* name : {"svc", "b"}) {
        machine::Service service;
        service.name = name;
        service.binaryPath = std::string(name) + ".sys";
        machine().services[name] = service;
    }
    // "Svc" matches "svc" in the case-blind service database: both open.
    const std::string text = Generate(true, false);
    const std::size_t upper = text.find("Name:                Svc\r\n");
    const std::size_t b = text.find("Name:                b\r\n");
    const std::size_t lower = text.find("Name:                svc\r\n");
    ASSERT_NE(std::string::npos, upper) << text;
    ASSERT_NE(std::string::npos, b);
    ASSERT_NE(std::string::npos, lower);
    EXPECT_LT(upper, b);
    EXPECT_LT(b, lower);
    EXPECT_EQ(3u, Count(text, "   Service:\r\n"));
    EXPECT_EQ(4u, Count(text, "   Device:\r\n"));
}

TEST_F(FinalReportTest, FailedDeviceLoadLeavesIndentThreeForTheNextHeading) {
    platform.faults().AddOnArgument("SetupDiGetClassDevsA", kUsbGuidText, win::ERROR_ACCESS_DENIED);
    const std::string text = Generate(true, true);
    const std::string ours =
        "ERROR: AddDevNodesReportForSetupClass: LoadDevicesOfClass failed with error "
        "0x00000005.\n\r\n";
    ASSERT_NE(std::string::npos, text.find(ours)) << text;
    EXPECT_NE(std::string::npos, text.find(ours + "   \r\n   \r\n   Device Setup Class:\r\n"))
        << text;
    EXPECT_EQ(std::string::npos, text.find("Device:"));
    EXPECT_EQ(2u, log.Problems().size());  // LoadDevices' own message, then ours
}

TEST_F(FinalReportTest, ManagerFailureKeepsDevicesAndLeavesIndentNine) {
    platform.faults().Add("OpenSCManagerA", win::ERROR_ACCESS_DENIED);
    const std::string text = Generate(true, true);
    EXPECT_EQ(2u, Count(text, "   Device:\r\n"));
    EXPECT_EQ(0u, Count(text, "Service:"));
    const std::string ours =
        "ERROR: AddDevNodesReportForSetupClass: Open service control manager failed with error "
        "0x00000005.\n\r\n";
    EXPECT_NE(std::string::npos,
              text.find(ours + "         \r\n         \r\n         Device Setup Class:\r\n"))
        << text;
}

TEST_F(FinalReportTest, ServiceThatCannotBeOpenedIsSkipped) {
    machine().services.erase("fltA");
    const std::string text = Generate(true, false);
    EXPECT_EQ(3u, Count(text, "   Service:\r\n"));
    EXPECT_EQ(std::string::npos, text.find("Name:                fltA"));
    const std::string ours =
        "ERROR: AddDevNodesReportForSetupClass: OpenService 'fltA' failed with error "
        "0x00000424.\n";
    ASSERT_NE(std::string::npos, text.find(ours)) << text;
    ASSERT_EQ(2u, log.Problems().size());  // OpenService's own message first, then ours
    EXPECT_EQ(0u, ("ERROR: " + log.Problems()[1]).find(ours));
    // The break before the failed service stays; the next section follows.
    EXPECT_NE(std::string::npos,
              text.find(ours + "\r\n\r\n   Service:\r\n      Name:                fltB"))
        << text;
}

TEST_F(FinalReportTest, StacksWithoutServicesLeaveIndentNine) {
    for (machine::Device& device : machine().devices) {
        device.properties.erase(win::SPDRP_SERVICE);
        device.properties.erase(win::SPDRP_UPPERFILTERS);
    }
    const std::string text = Generate(true, true);
    EXPECT_EQ(0u, Count(text, "Service:"));
    EXPECT_EQ(2u, Count(text, "      Driver Stack:\r\n"));
    EXPECT_NE(std::string::npos, text.find("\r\n         \r\n         Device Setup Class:\r\n"))
        << text;
}

}  // namespace
