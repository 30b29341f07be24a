// The seam between the core and Windows. The core never includes <windows.h>;
// it sees the records and constants of win_types.h and one virtual per Windows
// function, named and shaped like the narrow ("A") function so that core code
// reads like the Win32 code it stands for.
#pragma once

#include "wintypes/win_types.h"

namespace win {

// One virtual per Windows function the system calls. Same names, argument
// order and return conventions as the narrow functions; failures are read with
// GetLastError, except where the function returns its error code directly.
// Each has a body that fails with ERROR_CALL_NOT_IMPLEMENTED: a Platform of
// this class itself is what answers before a front end installs one.
class Platform {
  public:
    virtual ~Platform() = default;

    // Version verification and system information.
    virtual ULONGLONG VerSetConditionMask(ULONGLONG ConditionMask, DWORD TypeMask, BYTE Condition);
    virtual BOOL VerifyVersionInfoA(OSVERSIONINFOEXA* lpVersionInformation, DWORD dwTypeMask,
                                    DWORDLONG dwlConditionMask);
    virtual BOOL GetVersionExA(OSVERSIONINFOA* lpVersionInformation);
    virtual void GetSystemInfo(SYSTEM_INFO* lpSystemInfo);
    virtual HMODULE GetModuleHandleA(const char* lpModuleName);
    virtual FARPROC GetProcAddress(HMODULE hModule, const char* lpProcName);
    virtual HANDLE GetCurrentProcess();
    // Looked up at run time by the real provider: a direct import would keep
    // the program from loading on systems that lack the function.
    virtual BOOL IsWow64Process(HANDLE hProcess, BOOL* Wow64Process);

    // Setup classes and the registry.
    virtual BOOL SetupDiClassNameFromGuidA(const GUID* ClassGuid, char* ClassName,
                                           DWORD ClassNameSize, DWORD* RequiredSize);
    // The installed setup classes; ClassGuidListSize and RequiredSize count GUIDs.
    virtual BOOL SetupDiBuildClassInfoList(DWORD Flags, GUID* ClassGuidList,
                                           DWORD ClassGuidListSize, DWORD* RequiredSize);
    virtual HKEY SetupDiOpenClassRegKey(const GUID* ClassGuid, REGSAM samDesired);
    virtual LONG RegQueryValueExA(HKEY hKey, const char* lpValueName, DWORD* lpReserved,
                                  DWORD* lpType, BYTE* lpData, DWORD* lpcbData);
    virtual LONG RegCloseKey(HKEY hKey);

    // Device information sets.
    virtual HDEVINFO SetupDiGetClassDevsA(const GUID* ClassGuid, const char* Enumerator,
                                          HWND hwndParent, DWORD Flags);
    virtual BOOL SetupDiEnumDeviceInfo(HDEVINFO DeviceInfoSet, DWORD MemberIndex,
                                       SP_DEVINFO_DATA* DeviceInfoData);
    virtual HDEVINFO SetupDiCreateDeviceInfoList(const GUID* ClassGuid, HWND hwndParent);
    virtual BOOL SetupDiOpenDeviceInfoA(HDEVINFO DeviceInfoSet, const char* DeviceInstanceId,
                                        HWND hwndParent, DWORD OpenFlags,
                                        SP_DEVINFO_DATA* DeviceInfoData);
    virtual BOOL SetupDiDestroyDeviceInfoList(HDEVINFO DeviceInfoSet);
    virtual BOOL SetupDiGetDeviceInstanceIdA(HDEVINFO DeviceInfoSet,
                                             SP_DEVINFO_DATA* DeviceInfoData,
                                             char* DeviceInstanceId, DWORD DeviceInstanceIdSize,
                                             DWORD* RequiredSize);
    virtual BOOL SetupDiGetDeviceRegistryPropertyA(HDEVINFO DeviceInfoSet,
                                                   SP_DEVINFO_DATA* DeviceInfoData, DWORD Property,
                                                   DWORD* PropertyRegDataType, BYTE* PropertyBuffer,
                                                   DWORD PropertyBufferSize, DWORD* RequiredSize);
    // The device's software (driver) key, or INVALID_HANDLE_VALUE.
    virtual HKEY SetupDiOpenDevRegKey(HDEVINFO DeviceInfoSet, SP_DEVINFO_DATA* DeviceInfoData,
                                      DWORD Scope, DWORD HwProfile, DWORD KeyType,
                                      REGSAM samDesired);
    // Returns its CONFIGRET; Windows 2000 has it in setupapi.dll.
    virtual CONFIGRET CM_Get_DevNode_Status(ULONG* pulStatus, ULONG* pulProblemNumber,
                                            DEVINST dnDevInst, ULONG ulFlags);

    // COM.
    virtual HRESULT CLSIDFromString(const OLECHAR* lpsz, GUID* pclsid);

    // Service control manager.
    virtual SC_HANDLE OpenSCManagerA(const char* lpMachineName, const char* lpDatabaseName,
                                     DWORD dwDesiredAccess);
    virtual SC_HANDLE OpenServiceA(SC_HANDLE hSCManager, const char* lpServiceName,
                                   DWORD dwDesiredAccess);
    virtual BOOL QueryServiceConfigA(SC_HANDLE hService, QUERY_SERVICE_CONFIGA* lpServiceConfig,
                                     DWORD cbBufSize, DWORD* pcbBytesNeeded);
    virtual BOOL CloseServiceHandle(SC_HANDLE hSCObject);

    // File version information and directories.
    virtual DWORD GetFileVersionInfoSizeA(const char* lptstrFilename, DWORD* lpdwHandle);
    virtual BOOL GetFileVersionInfoA(const char* lptstrFilename, DWORD dwHandle, DWORD dwLen,
                                     void* lpData);
    virtual BOOL VerQueryValueA(const void* pBlock, const char* lpSubBlock, void** lplpBuffer,
                                UINT* puLen);
    virtual UINT GetSystemDirectoryA(char* lpBuffer, UINT uSize);
    virtual DWORD GetModuleFileNameA(HMODULE hModule, char* lpFilename, DWORD nSize);
    virtual DWORD GetFileAttributesA(const char* lpFileName);

    // Profile (INI) files.
    virtual DWORD GetPrivateProfileStringA(const char* lpAppName, const char* lpKeyName,
                                           const char* lpDefault, char* lpReturnedString,
                                           DWORD nSize, const char* lpFileName);
    virtual BOOL WritePrivateProfileStringA(const char* lpAppName, const char* lpKeyName,
                                            const char* lpString, const char* lpFileName);

    // Console output: a console shows wide characters, not the ANSI bytes.
    virtual HANDLE GetStdHandle(DWORD nStdHandle);
    virtual BOOL GetConsoleMode(HANDLE hConsoleHandle, DWORD* lpMode);
    virtual int MultiByteToWideChar(UINT CodePage, DWORD dwFlags, const char* lpMultiByteStr,
                                    int cbMultiByte, OLECHAR* lpWideCharStr, int cchWideChar);
    virtual BOOL WriteConsoleW(HANDLE hConsoleOutput, const OLECHAR* lpBuffer,
                               DWORD nNumberOfCharsToWrite, DWORD* lpNumberOfCharsWritten,
                               void* lpReserved);

    // The system's ANSI code page, the one saved reports are read in.
    virtual UINT GetACP();
    virtual int WideCharToMultiByte(UINT CodePage, DWORD dwFlags, const OLECHAR* lpWideCharStr,
                                    int cchWideChar, char* lpMultiByteStr, int cbMultiByte,
                                    const char* lpDefaultChar, BOOL* lpUsedDefaultChar);

    virtual DWORD GetLastError();
    virtual void SetLastError(DWORD dwErrCode);

  private:
    DWORD lastError_ = ERROR_SUCCESS;
};

// The process-wide current platform. Until a front end (or a test) installs
// one, every call fails with ERROR_CALL_NOT_IMPLEMENTED.
Platform& Current();

// Installs a platform for its own lifetime and restores the previous one.
class ScopedPlatform {
  public:
    explicit ScopedPlatform(Platform& platform);
    ~ScopedPlatform();
    ScopedPlatform(const ScopedPlatform&) = delete;
    ScopedPlatform& operator=(const ScopedPlatform&) = delete;

  private:
    Platform* previous_;
};

}  // namespace win
