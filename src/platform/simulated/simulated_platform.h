// An in-memory Windows machine with Windows' semantics: the two-call size
// protocols, the real error codes, device information sets and service
// handles that are checked, and version blocks laid out as Windows lays them.
// Every call is logged (CallLog) and may be made to fail (FaultTable).
//
// The argument each call logs, which is also what a fault's `argument`
// matches:
//   VerifyVersionInfoA         the type mask, "0x%02X"
//   GetModuleHandleA           the module name
//   GetProcAddress             the function name
//   SetupDiClassNameFromGuidA, SetupDiOpenClassRegKey, SetupDiGetClassDevsA
//                              the class GUID text ("" for none)
//   RegQueryValueExA           the value name
//   SetupDiBuildClassInfoList  the flags, "0x%X"
//   SetupDiEnumDeviceInfo      the index in decimal
//   SetupDiOpenDeviceInfoA     the instance ID
//   SetupDiGetDeviceInstanceIdA  the device's instance ID
//   SetupDiGetDeviceRegistryPropertyA  "<instance ID>|<property code>"
//   SetupDiOpenDevRegKey       the device's instance ID
//   CM_Get_DevNode_Status      the device's instance ID (the number in
//                              decimal when it names no device)
//   GetFileAttributesA         the path
//   CLSIDFromString            the text, narrowed
//   OpenServiceA, QueryServiceConfigA  the service name
//   GetFileVersionInfoSizeA, GetFileVersionInfoA  the path
//   VerQueryValueA             the sub-block path
//   Get/WritePrivateProfileStringA  "<section>|<key>"
//   every other function       ""
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/simulated/call_log.h"
#include "platform/simulated/fault_table.h"
#include "platform/simulated/ini_file.h"
#include "platform/simulated/memory_profile_store.h"
#include "platform/simulated/profile_store.h"
#include "machine/machine.h"

namespace sim {

class SimulatedPlatform : public win::Platform {
  public:
    // The profile functions use `profiles` (kept by the caller, outliving
    // this object) or, without one, files of their own in memory.
    explicit SimulatedPlatform(machine::Machine machine = {}, ProfileStore* profiles = nullptr);

    machine::Machine& machine() { return machine_; }
    const machine::Machine& machine() const { return machine_; }
    FaultTable& faults() { return faults_; }
    CallLog& calls() { return calls_; }
    ProfileStore& profiles() { return profiles_ != nullptr ? *profiles_ : ownProfiles_; }

    // Handles handed out and not yet released: tests check that none leak.
    std::size_t OpenDeviceInfoSets() const { return deviceSets_.size(); }
    std::size_t OpenRegistryKeys() const { return keys_.size(); }
    std::size_t OpenServiceHandles() const { return serviceHandles_.size(); }

    win::ULONGLONG VerSetConditionMask(win::ULONGLONG ConditionMask, win::DWORD TypeMask,
                                       win::BYTE Condition) override;
    win::BOOL VerifyVersionInfoA(win::OSVERSIONINFOEXA* lpVersionInformation, win::DWORD dwTypeMask,
                                 win::DWORDLONG dwlConditionMask) override;
    win::BOOL GetVersionExA(win::OSVERSIONINFOA* lpVersionInformation) override;
    void GetSystemInfo(win::SYSTEM_INFO* lpSystemInfo) override;
    win::HMODULE GetModuleHandleA(const char* lpModuleName) override;
    win::FARPROC GetProcAddress(win::HMODULE hModule, const char* lpProcName) override;
    win::HANDLE GetCurrentProcess() override;
    win::BOOL IsWow64Process(win::HANDLE hProcess, win::BOOL* Wow64Process) override;

    win::BOOL SetupDiClassNameFromGuidA(const win::GUID* ClassGuid, char* ClassName,
                                        win::DWORD ClassNameSize,
                                        win::DWORD* RequiredSize) override;
    win::BOOL SetupDiBuildClassInfoList(win::DWORD Flags, win::GUID* ClassGuidList,
                                        win::DWORD ClassGuidListSize,
                                        win::DWORD* RequiredSize) override;
    win::HKEY SetupDiOpenClassRegKey(const win::GUID* ClassGuid, win::REGSAM samDesired) override;
    win::LONG RegQueryValueExA(win::HKEY hKey, const char* lpValueName, win::DWORD* lpReserved,
                               win::DWORD* lpType, win::BYTE* lpData,
                               win::DWORD* lpcbData) override;
    win::LONG RegCloseKey(win::HKEY hKey) override;

    win::HDEVINFO SetupDiGetClassDevsA(const win::GUID* ClassGuid, const char* Enumerator,
                                       win::HWND hwndParent, win::DWORD Flags) override;
    win::BOOL SetupDiEnumDeviceInfo(win::HDEVINFO DeviceInfoSet, win::DWORD MemberIndex,
                                    win::SP_DEVINFO_DATA* DeviceInfoData) override;
    win::HDEVINFO SetupDiCreateDeviceInfoList(const win::GUID* ClassGuid,
                                              win::HWND hwndParent) override;
    win::BOOL SetupDiOpenDeviceInfoA(win::HDEVINFO DeviceInfoSet, const char* DeviceInstanceId,
                                     win::HWND hwndParent, win::DWORD OpenFlags,
                                     win::SP_DEVINFO_DATA* DeviceInfoData) override;
    win::BOOL SetupDiDestroyDeviceInfoList(win::HDEVINFO DeviceInfoSet) override;
    win::BOOL SetupDiGetDeviceInstanceIdA(win::HDEVINFO DeviceInfoSet,
                                          win::SP_DEVINFO_DATA* DeviceInfoData,
                                          char* DeviceInstanceId, win::DWORD DeviceInstanceIdSize,
                                          win::DWORD* RequiredSize) override;
    win::BOOL SetupDiGetDeviceRegistryPropertyA(
        win::HDEVINFO DeviceInfoSet, win::SP_DEVINFO_DATA* DeviceInfoData, win::DWORD Property,
        win::DWORD* PropertyRegDataType, win::BYTE* PropertyBuffer, win::DWORD PropertyBufferSize,
        win::DWORD* RequiredSize) override;
    win::HKEY SetupDiOpenDevRegKey(win::HDEVINFO DeviceInfoSet,
                                   win::SP_DEVINFO_DATA* DeviceInfoData, win::DWORD Scope,
                                   win::DWORD HwProfile, win::DWORD KeyType,
                                   win::REGSAM samDesired) override;
    win::CONFIGRET CM_Get_DevNode_Status(win::ULONG* pulStatus, win::ULONG* pulProblemNumber,
                                         win::DEVINST dnDevInst, win::ULONG ulFlags) override;

    win::HRESULT CLSIDFromString(const win::OLECHAR* lpsz, win::GUID* pclsid) override;

    win::SC_HANDLE OpenSCManagerA(const char* lpMachineName, const char* lpDatabaseName,
                                  win::DWORD dwDesiredAccess) override;
    win::SC_HANDLE OpenServiceA(win::SC_HANDLE hSCManager, const char* lpServiceName,
                                win::DWORD dwDesiredAccess) override;
    win::BOOL QueryServiceConfigA(win::SC_HANDLE hService,
                                  win::QUERY_SERVICE_CONFIGA* lpServiceConfig, win::DWORD cbBufSize,
                                  win::DWORD* pcbBytesNeeded) override;
    win::BOOL CloseServiceHandle(win::SC_HANDLE hSCObject) override;

    win::DWORD GetFileVersionInfoSizeA(const char* lptstrFilename, win::DWORD* lpdwHandle) override;
    win::BOOL GetFileVersionInfoA(const char* lptstrFilename, win::DWORD dwHandle, win::DWORD dwLen,
                                  void* lpData) override;
    win::BOOL VerQueryValueA(const void* pBlock, const char* lpSubBlock, void** lplpBuffer,
                             win::UINT* puLen) override;
    win::UINT GetSystemDirectoryA(char* lpBuffer, win::UINT uSize) override;
    win::DWORD GetModuleFileNameA(win::HMODULE hModule, char* lpFilename,
                                  win::DWORD nSize) override;
    win::DWORD GetFileAttributesA(const char* lpFileName) override;

    win::DWORD GetPrivateProfileStringA(const char* lpAppName, const char* lpKeyName,
                                        const char* lpDefault, char* lpReturnedString,
                                        win::DWORD nSize, const char* lpFileName) override;
    win::BOOL WritePrivateProfileStringA(const char* lpAppName, const char* lpKeyName,
                                         const char* lpString, const char* lpFileName) override;

    win::HANDLE GetStdHandle(win::DWORD nStdHandle) override;
    win::BOOL GetConsoleMode(win::HANDLE hConsoleHandle, win::DWORD* lpMode) override;
    int MultiByteToWideChar(win::UINT CodePage, win::DWORD dwFlags, const char* lpMultiByteStr,
                            int cbMultiByte, win::OLECHAR* lpWideCharStr, int cchWideChar) override;
    win::UINT GetACP() override;
    int WideCharToMultiByte(win::UINT CodePage, win::DWORD dwFlags,
                            const win::OLECHAR* lpWideCharStr, int cchWideChar,
                            char* lpMultiByteStr, int cbMultiByte, const char* lpDefaultChar,
                            win::BOOL* lpUsedDefaultChar) override;
    win::BOOL WriteConsoleW(win::HANDLE hConsoleOutput, const win::OLECHAR* lpBuffer,
                            win::DWORD nNumberOfCharsToWrite, win::DWORD* lpNumberOfCharsWritten,
                            void* lpReserved) override;

    win::DWORD GetLastError() override;
    void SetLastError(win::DWORD dwErrCode) override;

    // Standard output as the front end found it: a console (whose text the
    // WriteConsoleW calls collect here) or a file or pipe.
    struct Console {
        bool attached = false;
        std::u16string text;
    };
    Console& console() { return console_; }

  private:
    // Logs the call and consults the fault table. True when the call must
    // fail: the last error then holds the injected code.
    bool Enter(const char* function, const std::string& argument = std::string());
    // The same for the calls made for every device: their argument is built
    // only when the log or a fault looks at it.
    template <typename MakeArgument>
    bool EnterWith(const char* function, MakeArgument makeArgument) {
        const bool wanted = calls_.Enabled() || faults_.MatchesArgument(function);
        return Enter(function, wanted ? makeArgument() : std::string());
    }
    // Sets the last error and hands back the failure value of the call.
    template <typename T>
    T Fail(win::DWORD error, T failure) {
        lastError_ = error;
        return failure;
    }
    std::uintptr_t NewHandle() { return nextHandle_ += 0x10; }
    // The profile file as the store holds it; the store's error code.
    win::DWORD LoadProfile(const char* fileName, IniFile& file);

    // The device an SP_DEVINFO_DATA record names in a set, or null with the
    // error the SetupDi functions give.
    const machine::Device* FindElement(win::HDEVINFO set, const win::SP_DEVINFO_DATA* data,
                                       win::DWORD& error) const;
    // Adds an element for machine_.devices[device] and fills `data`.
    win::ULONG_PTR AddElement(std::uintptr_t set, std::size_t device);
    void FillRecord(win::ULONG_PTR element, std::size_t device, win::SP_DEVINFO_DATA& data) const;
    // The index of the first device with instance ID `id` (any case), or
    // machine_.devices.size().
    std::size_t FindDevice(const std::string& id);
    // A folder that holds a described file or is described itself.
    bool FolderExists(const std::string& folder) const;

    static constexpr std::uintptr_t kKernel32Module = 0x7c800000;

    // A device information set: its elements in the order they were added.
    // An element is named by the id kept in its record's Reserved field and
    // stands for a device, by index into machine_.devices.
    struct DeviceInfoSet {
        std::vector<win::ULONG_PTR> members;
        std::map<win::ULONG_PTR, std::size_t> devices;
        std::map<std::size_t, win::ULONG_PTR> elements;  // the reverse of `devices`
        bool hasClass = false;  // a set tied to one class takes only its devices
        win::GUID classGuid{};
    };
    // An open class registry key, or (with `driverValues`) the driver key of
    // a device, a subkey of its class key, found when it is opened: one
    // lookup per key, not one per query, on machines of any size. The values
    // are the machine's own (a map's entries stay where they are); nothing
    // removes a driver key while a handle to it is open.
    struct ClassKey {
        std::size_t classIndex = 0;
        const machine::RegValues* driverValues = nullptr;
    };
    // A service control manager (no service) or an open service.
    struct ServiceHandle {
        bool isManager = false;
        std::string serviceName;
    };

    machine::Machine machine_;
    FaultTable faults_;
    CallLog calls_;
    win::DWORD lastError_ = win::ERROR_SUCCESS;
    std::uintptr_t nextHandle_ = 0x10000;
    std::map<std::uintptr_t, DeviceInfoSet> deviceSets_;
    // Devices by folded instance ID. Tests edit machine_ at any time, so a
    // hit is checked against the device and a stale index is rebuilt.
    std::map<std::string, std::size_t> deviceIndex_;
    std::size_t deviceIndexSize_ = 0;
    std::map<std::uintptr_t, ClassKey> keys_;
    std::map<std::uintptr_t, ServiceHandle> serviceHandles_;
    // Buffers filled by GetFileVersionInfoA and their sizes: VerQueryValueA
    // walks and converts only within them.
    struct VersionBuffer {
        std::size_t size = 0;
        std::size_t copied = 0;
    };
    std::map<const void*, VersionBuffer> versionBuffers_;
    Console console_;
    ProfileStore* profiles_ = nullptr;
    MemoryProfileStore ownProfiles_;
};

}  // namespace sim
