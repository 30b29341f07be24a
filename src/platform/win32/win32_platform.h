// The real provider: every method is one call of the Windows function of the
// same name. No logic here that a test on Linux could not see.
#pragma once

#include "platform/platform.h"

namespace win {

class Win32Platform final : public Platform {
  public:
    ULONGLONG VerSetConditionMask(ULONGLONG ConditionMask, DWORD TypeMask, BYTE Condition) override;
    BOOL VerifyVersionInfoA(OSVERSIONINFOEXA* lpVersionInformation, DWORD dwTypeMask,
                            DWORDLONG dwlConditionMask) override;
    BOOL GetVersionExA(OSVERSIONINFOA* lpVersionInformation) override;
    void GetSystemInfo(SYSTEM_INFO* lpSystemInfo) override;
    HMODULE GetModuleHandleA(const char* lpModuleName) override;
    FARPROC GetProcAddress(HMODULE hModule, const char* lpProcName) override;
    HANDLE GetCurrentProcess() override;
    BOOL IsWow64Process(HANDLE hProcess, BOOL* Wow64Process) override;
    BOOL SetupDiClassNameFromGuidA(const GUID* ClassGuid, char* ClassName, DWORD ClassNameSize,
                                   DWORD* RequiredSize) override;
    BOOL SetupDiBuildClassInfoList(DWORD Flags, GUID* ClassGuidList, DWORD ClassGuidListSize,
                                   DWORD* RequiredSize) override;
    HKEY SetupDiOpenClassRegKey(const GUID* ClassGuid, REGSAM samDesired) override;
    LONG RegQueryValueExA(HKEY hKey, const char* lpValueName, DWORD* lpReserved, DWORD* lpType,
                          BYTE* lpData, DWORD* lpcbData) override;
    LONG RegCloseKey(HKEY hKey) override;
    HDEVINFO SetupDiGetClassDevsA(const GUID* ClassGuid, const char* Enumerator, HWND hwndParent,
                                  DWORD Flags) override;
    BOOL SetupDiEnumDeviceInfo(HDEVINFO DeviceInfoSet, DWORD MemberIndex,
                               SP_DEVINFO_DATA* DeviceInfoData) override;
    HDEVINFO SetupDiCreateDeviceInfoList(const GUID* ClassGuid, HWND hwndParent) override;
    BOOL SetupDiOpenDeviceInfoA(HDEVINFO DeviceInfoSet, const char* DeviceInstanceId,
                                HWND hwndParent, DWORD OpenFlags,
                                SP_DEVINFO_DATA* DeviceInfoData) override;
    BOOL SetupDiDestroyDeviceInfoList(HDEVINFO DeviceInfoSet) override;
    BOOL SetupDiGetDeviceInstanceIdA(HDEVINFO DeviceInfoSet, SP_DEVINFO_DATA* DeviceInfoData,
                                     char* DeviceInstanceId, DWORD DeviceInstanceIdSize,
                                     DWORD* RequiredSize) override;
    BOOL SetupDiGetDeviceRegistryPropertyA(HDEVINFO DeviceInfoSet, SP_DEVINFO_DATA* DeviceInfoData,
                                           DWORD Property, DWORD* PropertyRegDataType,
                                           BYTE* PropertyBuffer, DWORD PropertyBufferSize,
                                           DWORD* RequiredSize) override;
    HKEY SetupDiOpenDevRegKey(HDEVINFO DeviceInfoSet, SP_DEVINFO_DATA* DeviceInfoData, DWORD Scope,
                              DWORD HwProfile, DWORD KeyType, REGSAM samDesired) override;
    CONFIGRET CM_Get_DevNode_Status(ULONG* pulStatus, ULONG* pulProblemNumber, DEVINST dnDevInst,
                                    ULONG ulFlags) override;
    HRESULT CLSIDFromString(const OLECHAR* lpsz, GUID* pclsid) override;
    SC_HANDLE OpenSCManagerA(const char* lpMachineName, const char* lpDatabaseName,
                             DWORD dwDesiredAccess) override;
    SC_HANDLE OpenServiceA(SC_HANDLE hSCManager, const char* lpServiceName,
                           DWORD dwDesiredAccess) override;
    BOOL QueryServiceConfigA(SC_HANDLE hService, QUERY_SERVICE_CONFIGA* lpServiceConfig,
                             DWORD cbBufSize, DWORD* pcbBytesNeeded) override;
    BOOL CloseServiceHandle(SC_HANDLE hSCObject) override;
    DWORD GetFileVersionInfoSizeA(const char* lptstrFilename, DWORD* lpdwHandle) override;
    BOOL GetFileVersionInfoA(const char* lptstrFilename, DWORD dwHandle, DWORD dwLen,
                             void* lpData) override;
    BOOL VerQueryValueA(const void* pBlock, const char* lpSubBlock, void** lplpBuffer,
                        UINT* puLen) override;
    UINT GetSystemDirectoryA(char* lpBuffer, UINT uSize) override;
    DWORD GetModuleFileNameA(HMODULE hModule, char* lpFilename, DWORD nSize) override;
    DWORD GetFileAttributesA(const char* lpFileName) override;
    DWORD GetPrivateProfileStringA(const char* lpAppName, const char* lpKeyName,
                                   const char* lpDefault, char* lpReturnedString, DWORD nSize,
                                   const char* lpFileName) override;
    BOOL WritePrivateProfileStringA(const char* lpAppName, const char* lpKeyName,
                                    const char* lpString, const char* lpFileName) override;
    HANDLE GetStdHandle(DWORD nStdHandle) override;
    BOOL GetConsoleMode(HANDLE hConsoleHandle, DWORD* lpMode) override;
    int MultiByteToWideChar(UINT CodePage, DWORD dwFlags, const char* lpMultiByteStr,
                            int cbMultiByte, OLECHAR* lpWideCharStr, int cchWideChar) override;
    UINT GetACP() override;
    int WideCharToMultiByte(UINT CodePage, DWORD dwFlags, const OLECHAR* lpWideCharStr,
                            int cchWideChar, char* lpMultiByteStr, int cbMultiByte,
                            const char* lpDefaultChar, BOOL* lpUsedDefaultChar) override;
    BOOL WriteConsoleW(HANDLE hConsoleOutput, const OLECHAR* lpBuffer, DWORD nNumberOfCharsToWrite,
                       DWORD* lpNumberOfCharsWritten, void* lpReserved) override;

    DWORD GetLastError() override;
    void SetLastError(DWORD dwErrCode) override;
};

}  // namespace win
