#include "services/svc_ctrl.h"

#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/buffer.h"
#include "services/svc_ctrl_manager.h"
#include "support/machine_test.h"

namespace {

class SvcCtrlTest : public MachineTest {
  protected:
    SvcCtrlTest() {
        machine::Service hub;
        hub.name = "usbhub";
        hub.binaryPath = "\\SystemRoot\\system32\\drivers\\usbhub.sys";
        hub.displayName = "USB Hub";
        machine().services["usbhub"] = hub;
        machine::Service bare;
        bare.name = "bare";
        machine().services["bare"] = bare;
    }
};

TEST_F(SvcCtrlTest, ReadsTheBinaryPathOfEachServiceInTurn) {
    {
        TSvcCtrlManager manager;
        ASSERT_EQ(0u, manager.Open());
        TSvcCtrl service;
        ASSERT_EQ(0u, service.OpenService("USBHUB", manager.ManagerHandle()));
        EXPECT_EQ("USBHUB", service.ServiceName());  // the name it was opened with
        std::string path = "old";
        EXPECT_EQ(0u, service.GetBinPathNameInfo(path));
        EXPECT_EQ("\\SystemRoot\\system32\\drivers\\usbhub.sys", path);
        service.CloseService();
        EXPECT_EQ("", service.ServiceName());

        ASSERT_EQ(0u, service.OpenService("bare", manager.ManagerHandle()));
        path = "old";
        EXPECT_EQ(0u, service.GetBinPathNameInfo(path));
        EXPECT_EQ("", path);
        // Left open: the destructors close service, then manager.
    }
    EXPECT_EQ(0u, platform.OpenServiceHandles());
    EXPECT_TRUE(log.Problems().empty());
    // The two-call protocol, once per service.
    EXPECT_EQ(2u, platform.calls().Count("QueryServiceConfigA", "usbhub"));
    EXPECT_EQ(2u, platform.calls().Count("QueryServiceConfigA", "bare"));
}

TEST_F(SvcCtrlTest, MissingServiceHasItsOwnTrace) {
    TSvcCtrlManager manager;
    ASSERT_EQ(0u, manager.Open());
    TSvcCtrl service;
    EXPECT_EQ(win::ERROR_SERVICE_DOES_NOT_EXIST,
              service.OpenService("nosuch", manager.ManagerHandle()));
    EXPECT_FALSE(service.IsOpen());
    platform.faults().Add("OpenServiceA", win::ERROR_ACCESS_DENIED);
    EXPECT_EQ(win::ERROR_ACCESS_DENIED, service.OpenService("usbhub", manager.ManagerHandle()));
    EXPECT_EQ((std::vector<std::string>{
                  "OpenService: The specified service does not exist as an installed service.\n",
                  "OpenService: OpenService failed with error = 0x00000005\n"}),
              log.Problems());
}

TEST_F(SvcCtrlTest, SecondOpenIsRefusedWithoutAskingThePlatform) {
    TSvcCtrlManager manager;
    ASSERT_EQ(0u, manager.Open());
    TSvcCtrl service;
    ASSERT_EQ(0u, service.OpenService("usbhub", manager.ManagerHandle()));
    EXPECT_EQ(win::ERROR_INVALID_PARAMETER, service.OpenService("bare", manager.ManagerHandle()));
    EXPECT_EQ(1u, platform.calls().Count("OpenServiceA"));
    EXPECT_EQ("usbhub", service.ServiceName());
    EXPECT_TRUE(log.Contains("OpenService: Another service control is already open.\n"));
    std::string path;
    EXPECT_EQ(0u, service.GetBinPathNameInfo(path));
    EXPECT_EQ("\\SystemRoot\\system32\\drivers\\usbhub.sys", path);
}

TEST_F(SvcCtrlTest, ClosedObjectsRefuseQuietlyOrLoudly) {
    TSvcCtrl service;
    std::string path = "kept";
    EXPECT_EQ(1u, service.GetBinPathNameInfo(path));
    EXPECT_EQ("kept", path);
    service.CloseService();  // INFO only
    TSvcCtrlManager manager;
    EXPECT_EQ(1u, manager.Close());
    EXPECT_EQ((std::vector<std::string>{"GetBinPathNameInfo: no open service control found.\n",
                                        "Close: no open service control manager to close.\n"}),
              log.Problems());
    EXPECT_TRUE(log.Contains("CloseService: no open service control to close.\n"));
    EXPECT_EQ(0u, platform.calls().Count("CloseServiceHandle"));
}

TEST_F(SvcCtrlTest, NeverOpenedManagerIsDestroyedSilently) {
    { TSvcCtrlManager manager; }
    EXPECT_TRUE(log.messages.empty());
}

TEST_F(SvcCtrlTest, FailedClosesStillForgetTheHandles) {
    {
        TSvcCtrlManager manager;
        ASSERT_EQ(0u, manager.Open());
        TSvcCtrl service;
        ASSERT_EQ(0u, service.OpenService("usbhub", manager.ManagerHandle()));
        platform.faults().Add("CloseServiceHandle", win::ERROR_INVALID_HANDLE);
        service.CloseService();
        EXPECT_FALSE(service.IsOpen());
        EXPECT_EQ("", service.ServiceName());
    }  // the manager's destructor fails as well
    EXPECT_EQ((std::vector<std::string>{
                  "CloseService: CloseServiceHandle for service control failed with error = "
                  "0x00000006\n",
                  "Close: CloseServiceHandle for control manager failed with error = 0x00000006\n",
                  "~TSvcCtrlManager: close failed with error = 0x00000006\n"}),
              log.Problems());
}

TEST_F(SvcCtrlTest, ManagerOpenFailureIsTraced) {
    platform.faults().Add("OpenSCManagerA", win::ERROR_ACCESS_DENIED);
    TSvcCtrlManager manager;
    EXPECT_EQ(win::ERROR_ACCESS_DENIED, manager.Open());
    EXPECT_EQ(nullptr, manager.ManagerHandle());
    EXPECT_TRUE(log.Contains("Open: OpenSCManager failed with error = 0x00000005\n"));
}

TEST_F(SvcCtrlTest, ConfigurationQueryFailures) {
    TSvcCtrlManager manager;
    ASSERT_EQ(0u, manager.Open());
    TSvcCtrl service;
    ASSERT_EQ(0u, service.OpenService("usbhub", manager.ManagerHandle()));
    std::string path = "old";

    platform.faults().AddOnCall("QueryServiceConfigA", 1, win::ERROR_ACCESS_DENIED);
    EXPECT_EQ(win::ERROR_ACCESS_DENIED, service.GetBinPathNameInfo(path));
    EXPECT_EQ("", path);  // cleared first
    EXPECT_TRUE(
        log.Contains("GetBinPathNameInfo: QueryServiceConfig failed to retrieve buffer "
                     "size with error = 0x00000005\n"));

    platform.faults().Clear();
    platform.faults().AddOnCall("QueryServiceConfigA", 2, win::ERROR_GEN_FAILURE);
    EXPECT_EQ(win::ERROR_GEN_FAILURE, service.GetBinPathNameInfo(path));
    EXPECT_TRUE(
        log.Contains("GetBinPathNameInfo: QueryServiceConfig failed with error = 0x0000001F\n"));

    platform.faults().Clear();
    FailAllocations(0, 1);
    EXPECT_EQ(win::ERROR_NOT_ENOUGH_MEMORY, service.GetBinPathNameInfo(path));
    ResetAllocationFailures();
    EXPECT_EQ("", path);
}

// The provider itself: handles are checked, and the record lies in the
// caller's buffer with its strings.
TEST_F(SvcCtrlTest, SimulatedManagerKeepsTheWindowsContract) {
    const win::SC_HANDLE manager = platform.OpenSCManagerA(nullptr, nullptr, win::GENERIC_READ);
    ASSERT_NE(nullptr, manager);
    const win::SC_HANDLE service = platform.OpenServiceA(manager, "usbhub", 1);
    ASSERT_NE(nullptr, service);
    EXPECT_EQ(nullptr, platform.OpenServiceA(service, "usbhub", 1));
    EXPECT_EQ(win::ERROR_INVALID_HANDLE, platform.GetLastError());
    EXPECT_EQ(nullptr, platform.OpenServiceA(manager, std::string(257, 'a').c_str(), 1));
    EXPECT_EQ(win::ERROR_INVALID_NAME, platform.GetLastError());

    win::DWORD needed = 0;
    EXPECT_FALSE(platform.QueryServiceConfigA(manager, nullptr, 0, &needed));
    EXPECT_EQ(win::ERROR_INVALID_HANDLE, platform.GetLastError());
    EXPECT_FALSE(platform.QueryServiceConfigA(service, nullptr, 0, &needed));
    EXPECT_EQ(win::ERROR_INSUFFICIENT_BUFFER, platform.GetLastError());
    std::vector<std::uint8_t> buffer(needed);
    win::DWORD again = 0;
    EXPECT_FALSE(platform.QueryServiceConfigA(
        service, reinterpret_cast<win::QUERY_SERVICE_CONFIGA*>(buffer.data()), needed - 1, &again));
    EXPECT_EQ(needed, again);
    ASSERT_TRUE(platform.QueryServiceConfigA(
        service, reinterpret_cast<win::QUERY_SERVICE_CONFIGA*>(buffer.data()), needed, &again));
    win::QUERY_SERVICE_CONFIGA config;
    std::memcpy(&config, buffer.data(), sizeof config);
    for (const char* text :
         {config.lpBinaryPathName, config.lpLoadOrderGroup, config.lpDependencies,
          config.lpServiceStartName, config.lpDisplayName}) {
        const auto* p = reinterpret_cast<const std::uint8_t*>(text);
        EXPECT_TRUE(p >= buffer.data() + sizeof config && p < buffer.data() + needed);
    }
    EXPECT_STREQ("\\SystemRoot\\system32\\drivers\\usbhub.sys", config.lpBinaryPathName);
    EXPECT_STREQ("USB Hub", config.lpDisplayName);
    EXPECT_EQ(win::SERVICE_KERNEL_DRIVER, config.dwServiceType);

    EXPECT_EQ(2u, platform.OpenServiceHandles());
    EXPECT_TRUE(platform.CloseServiceHandle(service));
    EXPECT_FALSE(platform.CloseServiceHandle(service));
    EXPECT_EQ(win::ERROR_INVALID_HANDLE, platform.GetLastError());
    EXPECT_FALSE(platform.QueryServiceConfigA(service, nullptr, 0, &needed));
    EXPECT_EQ(win::ERROR_INVALID_HANDLE, platform.GetLastError());
    EXPECT_TRUE(platform.CloseServiceHandle(manager));
    EXPECT_EQ(0u, platform.OpenServiceHandles());
}

}  // namespace
