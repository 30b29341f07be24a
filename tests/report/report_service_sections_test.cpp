#include <string>

#include <gtest/gtest.h>

#include "report/report.h"
#include "services/svc_ctrl.h"
#include "services/svc_ctrl_manager.h"
#include "services/version_fields.h"
#include "support/machine_test.h"

namespace {

constexpr const char* kDrivers = "C:\\WINDOWS\\system32\\drivers\\";

class ServiceSectionsTest : public MachineTest {
  protected:
    void AddService(const std::string& name, std::optional<std::string> binaryPath) {
        machine::Service service;
        service.name = name;
        service.binaryPath = std::move(binaryPath);
        machine().services[name] = service;
    }
    void AddDriver(const std::string& file, std::optional<machine::VersionFields> fields) {
        const std::string path = kDrivers + file;
        machine().files[path] = machine::DriverFile{path, std::move(fields), {}, {}};
    }
    // Both sections for one service, as the device section writes them.
    std::string Sections(const std::string& name) {
        Report report;
        TSvcCtrlManager manager;
        EXPECT_EQ(0u, manager.Open());
        TSvcCtrl service;
        const StatusCode status = service.OpenService(name, manager.ManagerHandle());
        EXPECT_EQ(0u, status);
        report.SetIndent(6);
        report.AddCommonServiceInfo(service);
        report.AddNewLines(1);
        report.AddDriverVersionInfo(service);
        return report.GetText();
    }
};

const std::string kSampleStrings =
    "      Language 0x0409/Code Page 0x04B0:\r\n"
    "         Provider:            Example Corporation\r\n"
    "         Internal Name:       usbhub.sys\r\n"
    "         Original Filename:   usbhub.sys\r\n"
    "         Product Name:        Example Operating System\r\n"
    "         File Description:    USB Hub Driver\r\n";

TEST_F(ServiceSectionsTest, ServiceWithTwoLanguages) {
    AddService("usbhub", "\\SystemRoot\\system32\\drivers\\usbhub.sys");
    AddDriver("usbhub.sys", SampleVersionFields());
    const std::string expected =
        "      Name:                usbhub\r\n"
        "      Binary:              \\SystemRoot\\system32\\drivers\\usbhub.sys\r\n"
        "      \r\n"
        "      File Version:        5.1.2600.5512\r\n"
        "      Product Version:     5.1.2600.1\r\n" +
        kSampleStrings +
        "      Language 0x0407/Code Page 0x04E4:\r\n"
        "         Provider:            Beispiel GmbH\r\n"
        "      ERROR: GetLangCodeDependentResStr: version information 'InternalName' for language "
        "0x0407 and code page 0x04E4 not available.\n\r\n"
        "         Internal Name:       not available\r\n"
        "      ERROR: GetLangCodeDependentResStr: version information 'OriginalFilename' for "
        "language "
        "0x0407 and code page 0x04E4 not available.\n\r\n"
        "         Original Filename:   not available\r\n"
        "      ERROR: GetLangCodeDependentResStr: version information 'ProductName' for language "
        "0x0407 and code page 0x04E4 not available.\n\r\n"
        "         Product Name:        not available\r\n"
        "         File Description:    USB-Hub-Treiber f\xFCr Ger\xE4te\r\n"
        "      ";
    EXPECT_EQ(expected, Sections("usbhub"));
    EXPECT_EQ(1u, platform.calls().Count("GetFileVersionInfoSizeA",
                                         std::string(kDrivers) + "usbhub.sys"));
}

TEST_F(ServiceSectionsTest, DriverIsLookedForInTheSystemDriverDirectoryOnly) {
    AddService("Example", "D:\\vendor\\bin\\Example.SYS");
    machine::VersionFields fields = SampleVersionFields();
    fields.translations = {0x04B00409};
    AddDriver("Example.SYS", fields);
    const std::string text = Sections("Example");
    EXPECT_NE(std::string::npos, text.find("File Version:        5.1.2600.5512\r\n"));
    EXPECT_EQ(1u, platform.calls().Count("GetFileVersionInfoSizeA",
                                         std::string(kDrivers) + "Example.SYS"));
}

TEST_F(ServiceSectionsTest, PathWithoutFileNameFallsBackToTheServiceName) {
    AddService("hidusb", std::nullopt);
    AddDriver("hidusb.sys", std::nullopt);  // present, without a version resource
    EXPECT_EQ(
        "      Name:                hidusb\r\n"
        "      Binary:              \r\n"
        "      \r\n"
        "      ERROR: LoadVersionResource: GetFileVersionInfoSize failed with error "
        "0x00000715.\n\r\n"
        "      ERROR: AddDriverVersionInfo: LoadVersionResource failed with error = "
        "0x00000715\n\r\n"
        "      ",
        Sections("hidusb"));
}

TEST_F(ServiceSectionsTest, FailedBinaryPathLooksUpTheServiceName) {
    AddService("usbhub", "C:\\other\\name.sys");
    machine::VersionFields fields = SampleVersionFields();
    fields.translations = {0x04B00409};
    AddDriver("usbhub.sys", fields);
    platform.faults().AddOnArgument("QueryServiceConfigA", "usbhub", win::ERROR_ACCESS_DENIED);
    const std::string text = Sections("usbhub");
    EXPECT_EQ(
        "      Name:                usbhub\r\n"
        "      ERROR: GetBinPathNameInfo: QueryServiceConfig failed to retrieve buffer size with "
        "error = "
        "0x00000005\n\r\n"
        "      ERROR: AddCommonServiceInfo: GetBinPathNameInfo failed with error 0x00000005.\n\r\n"
        "      \r\n"
        "      ERROR: GetBinPathNameInfo: QueryServiceConfig failed to retrieve buffer size with "
        "error = "
        "0x00000005\n\r\n"
        "      ERROR: AddDriverVersionInfo: GetBinPathNameInfo failed with error 0x00000005.\n\r\n"
        "      File Version:        5.1.2600.5512\r\n"
        "      Product Version:     5.1.2600.1\r\n" +
            kSampleStrings + "      ",
        text);
}

TEST_F(ServiceSectionsTest, NoTranslationTableGivesTheFixedSentence) {
    AddService("usbhub", "usbhub.sys");
    machine::VersionFields fields = SampleVersionFields();
    fields.hasTranslationValue = false;
    AddDriver("usbhub.sys", fields);
    const std::string text = Sections("usbhub");
    const std::string tail =
        "      Product Version:     5.1.2600.1\r\n"
        "      ERROR: GetLangCodePageList:  List of languages and code pages not available.\n\r\n"
        "      \r\n"
        "      File description for specific language/code page not available.\r\n"
        "      ";
    ASSERT_GE(text.size(), tail.size());
    EXPECT_EQ(tail, text.substr(text.size() - tail.size()));
}

TEST_F(ServiceSectionsTest, EmptyTranslationTableWritesNoLanguage) {
    AddService("usbhub", "usbhub.sys");
    machine::VersionFields fields = SampleVersionFields();
    fields.translations.clear();
    AddDriver("usbhub.sys", fields);
    const std::string text = Sections("usbhub");
    EXPECT_EQ(std::string::npos, text.find("Language"));
    EXPECT_EQ(std::string::npos, text.find("ERROR"));
}

TEST_F(ServiceSectionsTest, FailuresBeforeTheVersionLeaveOutTheVersionLines) {
    AddService("usbhub", "usbhub.sys");
    AddDriver("usbhub.sys", SampleVersionFields());
    platform.faults().Add("GetSystemDirectoryA", win::ERROR_GEN_FAILURE);
    std::string text = Sections("usbhub");
    EXPECT_NE(std::string::npos,
              text.find("ERROR: AddDriverVersionInfo: GetSystemDir failed with error = "
                        "0x0000001F\n"));
    EXPECT_EQ(std::string::npos, text.find("Version:"));
    EXPECT_EQ(0u, platform.calls().Count("GetFileVersionInfoSizeA"));

    platform.faults().Clear();
    AddService("long", std::string(300, 'n') + ".sys");
    text = Sections("long");
    EXPECT_NE(std::string::npos,
              text.find("ERROR: AddDriverVersionInfo: the driver file name of '"));
    EXPECT_EQ(std::string::npos, text.find("Version:"));
}

// A call that fails without setting an error must not pass for an answer:
// no version lines of 65535 from a resource that was never read.
TEST_F(ServiceSectionsTest, FailuresThatSetNoErrorStillShowAsErrors) {
    AddService("usbhub", "usbhub.sys");
    AddDriver("usbhub.sys", SampleVersionFields());
    for (const char* function : {"GetFileVersionInfoSizeA", "GetFileVersionInfoA"}) {
        platform.faults().Clear();
        platform.faults().Add(function, win::ERROR_SUCCESS);
        const std::string text = Sections("usbhub");
        EXPECT_NE(std::string::npos,
                  text.find("ERROR: AddDriverVersionInfo: LoadVersionResource failed with error = "
                            "0x00000001\n"))
            << function;
        EXPECT_EQ(std::string::npos, text.find("Version:")) << function;
    }

    platform.faults().Clear();
    platform.faults().AddOnCall("QueryServiceConfigA", 2, win::ERROR_SUCCESS);
    EXPECT_NE(std::string::npos,
              Sections("usbhub").find("QueryServiceConfig failed with error = 0x00000001\n"));
    TSvcCtrlManager manager;
    platform.faults().Add("OpenSCManagerA", win::ERROR_SUCCESS);
    EXPECT_EQ(win::ERROR_INVALID_FUNCTION, manager.Open());
    TSvcCtrl service;
    platform.faults().Add("OpenServiceA", win::ERROR_SUCCESS);
    EXPECT_EQ(win::ERROR_INVALID_FUNCTION, service.OpenService("usbhub", nullptr));
}

TEST_F(ServiceSectionsTest, PathWithArgumentsFindsNoFile) {
    AddService("svc", "%SystemRoot%\\system32\\svchost.exe -k netsvcs");
    const std::string text = Sections("svc");
    EXPECT_EQ(1u, platform.calls().Count("GetFileVersionInfoSizeA",
                                         std::string(kDrivers) + "svchost.exe -k netsvcs"));
    EXPECT_NE(std::string::npos,
              text.find("ERROR: AddDriverVersionInfo: LoadVersionResource failed with error = "
                        "0x00000002\n"));
    EXPECT_EQ(0u, platform.OpenServiceHandles());
}

}  // namespace
