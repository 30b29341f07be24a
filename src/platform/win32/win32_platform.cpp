#include "platform/win32/win32_platform.h"

// After our own headers: <windows.h> turns the constant names into macros.
#include <windows.h>
#include <objbase.h>
#include <setupapi.h>
#include <cfgmgr32.h>
#include <winver.h>

namespace win {

namespace {

// The mirrors must be the records Windows fills.
static_assert(sizeof(win::GUID) == sizeof(::GUID));
static_assert(sizeof(win::OSVERSIONINFOA) == sizeof(::OSVERSIONINFOA));
static_assert(sizeof(win::OSVERSIONINFOEXA) == sizeof(::OSVERSIONINFOEXA));
static_assert(sizeof(win::SP_DEVINFO_DATA) == sizeof(::SP_DEVINFO_DATA));
static_assert(sizeof(win::SYSTEM_INFO) == sizeof(::SYSTEM_INFO));
static_assert(sizeof(win::QUERY_SERVICE_CONFIGA) == sizeof(::QUERY_SERVICE_CONFIGA));
static_assert(offsetof(win::QUERY_SERVICE_CONFIGA, lpBinaryPathName) ==
              offsetof(::QUERY_SERVICE_CONFIGA, lpBinaryPathName));
static_assert(offsetof(win::SYSTEM_INFO, dwNumberOfProcessors) ==
              offsetof(::SYSTEM_INFO, dwNumberOfProcessors));
static_assert(offsetof(win::SP_DEVINFO_DATA, Reserved) == offsetof(::SP_DEVINFO_DATA, Reserved));
static_assert(offsetof(win::OSVERSIONINFOEXA, wProductType) ==
              offsetof(::OSVERSIONINFOEXA, wProductType));
static_assert(sizeof(win::VS_FIXEDFILEINFO) == sizeof(::VS_FIXEDFILEINFO));
static_assert(sizeof(win::ULONG) == sizeof(::ULONG));

template <typename To, typename From>
To As(From from) {
    return reinterpret_cast<To>(from);
}

using IsWow64ProcessFn = ::BOOL(WINAPI*)(::HANDLE, ::PBOOL);
using VerSetConditionMaskFn = ::ULONGLONG(WINAPI*)(::ULONGLONG, ::DWORD, ::BYTE);
using VerifyVersionInfoAFn = ::BOOL(WINAPI*)(::LPOSVERSIONINFOEXA, ::DWORD, ::DWORDLONG);

// A kernel32 function that older releases lack, looked up instead of
// imported so that the program still loads there and can say why it stops.
// Through void*: a FARPROC cast to another function type draws a warning.
template <typename Fn>
Fn Kernel32Function(const char* name) {
    return As<Fn>(As<void*>(::GetProcAddress(::GetModuleHandleA("kernel32"), name)));
}

}  // namespace

// Both arrived with Windows 2000, before which the start-up check refuses to
// run; without them every request simply fails.
ULONGLONG Win32Platform::VerSetConditionMask(ULONGLONG ConditionMask, DWORD TypeMask,
                                             BYTE Condition) {
    static const auto fn = Kernel32Function<VerSetConditionMaskFn>("VerSetConditionMask");
    return fn != nullptr ? fn(ConditionMask, TypeMask, Condition) : ConditionMask;
}

BOOL Win32Platform::VerifyVersionInfoA(OSVERSIONINFOEXA* lpVersionInformation, DWORD dwTypeMask,
                                       DWORDLONG dwlConditionMask) {
    static const auto fn = Kernel32Function<VerifyVersionInfoAFn>("VerifyVersionInfoA");
    if (fn == nullptr) {
        ::SetLastError(ERROR_PROC_NOT_FOUND);
        return 0;
    }
    return fn(As<::LPOSVERSIONINFOEXA>(lpVersionInformation), dwTypeMask, dwlConditionMask);
}

BOOL Win32Platform::GetVersionExA(OSVERSIONINFOA* lpVersionInformation) {
    return ::GetVersionExA(As<::LPOSVERSIONINFOA>(lpVersionInformation));
}

void Win32Platform::GetSystemInfo(SYSTEM_INFO* lpSystemInfo) {
    ::GetSystemInfo(As<::LPSYSTEM_INFO>(lpSystemInfo));
}

HMODULE Win32Platform::GetModuleHandleA(const char* lpModuleName) {
    return As<HMODULE>(::GetModuleHandleA(lpModuleName));
}

FARPROC Win32Platform::GetProcAddress(HMODULE hModule, const char* lpProcName) {
    void* proc = As<void*>(::GetProcAddress(As<::HMODULE>(hModule), lpProcName));
    return As<FARPROC>(proc);
}

HANDLE Win32Platform::GetCurrentProcess() {
    return ::GetCurrentProcess();
}

BOOL Win32Platform::IsWow64Process(HANDLE hProcess, BOOL* Wow64Process) {
    // Windows 2000 and XP before SP2 lack the function.
    const auto fn = Kernel32Function<IsWow64ProcessFn>("IsWow64Process");
    if (fn == nullptr) {
        ::SetLastError(ERROR_PROC_NOT_FOUND);
        return 0;
    }
    return fn(hProcess, As<::PBOOL>(Wow64Process));
}

BOOL Win32Platform::SetupDiClassNameFromGuidA(const GUID* ClassGuid, char* ClassName,
                                              DWORD ClassNameSize, DWORD* RequiredSize) {
    return ::SetupDiClassNameFromGuidA(As<const ::GUID*>(ClassGuid), ClassName, ClassNameSize,
                                       As<::PDWORD>(RequiredSize));
}

BOOL Win32Platform::SetupDiBuildClassInfoList(DWORD Flags, GUID* ClassGuidList,
                                              DWORD ClassGuidListSize, DWORD* RequiredSize) {
    return ::SetupDiBuildClassInfoList(Flags, As<::LPGUID>(ClassGuidList), ClassGuidListSize,
                                       As<::PDWORD>(RequiredSize));
}

HKEY Win32Platform::SetupDiOpenClassRegKey(const GUID* ClassGuid, REGSAM samDesired) {
    return As<HKEY>(::SetupDiOpenClassRegKey(As<const ::GUID*>(ClassGuid), samDesired));
}

LONG Win32Platform::RegQueryValueExA(HKEY hKey, const char* lpValueName, DWORD* lpReserved,
                                     DWORD* lpType, BYTE* lpData, DWORD* lpcbData) {
    return ::RegQueryValueExA(As<::HKEY>(hKey), lpValueName, As<::LPDWORD>(lpReserved),
                              As<::LPDWORD>(lpType), lpData, As<::LPDWORD>(lpcbData));
}

LONG Win32Platform::RegCloseKey(HKEY hKey) {
    return ::RegCloseKey(As<::HKEY>(hKey));
}

HDEVINFO Win32Platform::SetupDiGetClassDevsA(const GUID* ClassGuid, const char* Enumerator,
                                             HWND hwndParent, DWORD Flags) {
    return ::SetupDiGetClassDevsA(As<const ::GUID*>(ClassGuid), Enumerator, As<::HWND>(hwndParent),
                                  Flags);
}

BOOL Win32Platform::SetupDiEnumDeviceInfo(HDEVINFO DeviceInfoSet, DWORD MemberIndex,
                                          SP_DEVINFO_DATA* DeviceInfoData) {
    return ::SetupDiEnumDeviceInfo(DeviceInfoSet, MemberIndex,
                                   As<::PSP_DEVINFO_DATA>(DeviceInfoData));
}

HDEVINFO Win32Platform::SetupDiCreateDeviceInfoList(const GUID* ClassGuid, HWND hwndParent) {
    return ::SetupDiCreateDeviceInfoList(As<const ::GUID*>(ClassGuid), As<::HWND>(hwndParent));
}

BOOL Win32Platform::SetupDiOpenDeviceInfoA(HDEVINFO DeviceInfoSet, const char* DeviceInstanceId,
                                           HWND hwndParent, DWORD OpenFlags,
                                           SP_DEVINFO_DATA* DeviceInfoData) {
    return ::SetupDiOpenDeviceInfoA(DeviceInfoSet, DeviceInstanceId, As<::HWND>(hwndParent),
                                    OpenFlags, As<::PSP_DEVINFO_DATA>(DeviceInfoData));
}

BOOL Win32Platform::SetupDiDestroyDeviceInfoList(HDEVINFO DeviceInfoSet) {
    return ::SetupDiDestroyDeviceInfoList(DeviceInfoSet);
}

BOOL Win32Platform::SetupDiGetDeviceInstanceIdA(HDEVINFO DeviceInfoSet,
                                                SP_DEVINFO_DATA* DeviceInfoData,
                                                char* DeviceInstanceId, DWORD DeviceInstanceIdSize,
                                                DWORD* RequiredSize) {
    return ::SetupDiGetDeviceInstanceIdA(DeviceInfoSet, As<::PSP_DEVINFO_DATA>(DeviceInfoData),
                                         DeviceInstanceId, DeviceInstanceIdSize,
                                         As<::PDWORD>(RequiredSize));
}

BOOL Win32Platform::SetupDiGetDeviceRegistryPropertyA(HDEVINFO DeviceInfoSet,
                                                      SP_DEVINFO_DATA* DeviceInfoData,
                                                      DWORD Property, DWORD* PropertyRegDataType,
                                                      BYTE* PropertyBuffer,
                                                      DWORD PropertyBufferSize,
                                                      DWORD* RequiredSize) {
    return ::SetupDiGetDeviceRegistryPropertyA(DeviceInfoSet,
                                               As<::PSP_DEVINFO_DATA>(DeviceInfoData), Property,
                                               As<::PDWORD>(PropertyRegDataType), PropertyBuffer,
                                               PropertyBufferSize, As<::PDWORD>(RequiredSize));
}

HKEY Win32Platform::SetupDiOpenDevRegKey(HDEVINFO DeviceInfoSet, SP_DEVINFO_DATA* DeviceInfoData,
                                         DWORD Scope, DWORD HwProfile, DWORD KeyType,
                                         REGSAM samDesired) {
    return As<HKEY>(::SetupDiOpenDevRegKey(DeviceInfoSet, As<::PSP_DEVINFO_DATA>(DeviceInfoData),
                                           Scope, HwProfile, KeyType, samDesired));
}

CONFIGRET Win32Platform::CM_Get_DevNode_Status(ULONG* pulStatus, ULONG* pulProblemNumber,
                                               DEVINST dnDevInst, ULONG ulFlags) {
    return ::CM_Get_DevNode_Status(As<::PULONG>(pulStatus), As<::PULONG>(pulProblemNumber),
                                   dnDevInst, ulFlags);
}

HRESULT Win32Platform::CLSIDFromString(const OLECHAR* lpsz, GUID* pclsid) {
    return ::CLSIDFromString(As<::LPCOLESTR>(lpsz), As<::LPCLSID>(pclsid));
}

SC_HANDLE Win32Platform::OpenSCManagerA(const char* lpMachineName, const char* lpDatabaseName,
                                        DWORD dwDesiredAccess) {
    return As<SC_HANDLE>(::OpenSCManagerA(lpMachineName, lpDatabaseName, dwDesiredAccess));
}

SC_HANDLE Win32Platform::OpenServiceA(SC_HANDLE hSCManager, const char* lpServiceName,
                                      DWORD dwDesiredAccess) {
    return As<SC_HANDLE>(
        ::OpenServiceA(As<::SC_HANDLE>(hSCManager), lpServiceName, dwDesiredAccess));
}

BOOL Win32Platform::QueryServiceConfigA(SC_HANDLE hService, QUERY_SERVICE_CONFIGA* lpServiceConfig,
                                        DWORD cbBufSize, DWORD* pcbBytesNeeded) {
    return ::QueryServiceConfigA(As<::SC_HANDLE>(hService),
                                 As<::LPQUERY_SERVICE_CONFIGA>(lpServiceConfig), cbBufSize,
                                 As<::LPDWORD>(pcbBytesNeeded));
}

BOOL Win32Platform::CloseServiceHandle(SC_HANDLE hSCObject) {
    return ::CloseServiceHandle(As<::SC_HANDLE>(hSCObject));
}

DWORD Win32Platform::GetFileVersionInfoSizeA(const char* lptstrFilename, DWORD* lpdwHandle) {
    return ::GetFileVersionInfoSizeA(lptstrFilename, As<::LPDWORD>(lpdwHandle));
}

BOOL Win32Platform::GetFileVersionInfoA(const char* lptstrFilename, DWORD dwHandle, DWORD dwLen,
                                        void* lpData) {
    return ::GetFileVersionInfoA(lptstrFilename, dwHandle, dwLen, lpData);
}

BOOL Win32Platform::VerQueryValueA(const void* pBlock, const char* lpSubBlock, void** lplpBuffer,
                                   UINT* puLen) {
    return ::VerQueryValueA(pBlock, lpSubBlock, lplpBuffer, As<::PUINT>(puLen));
}

UINT Win32Platform::GetSystemDirectoryA(char* lpBuffer, UINT uSize) {
    return ::GetSystemDirectoryA(lpBuffer, uSize);
}

DWORD Win32Platform::GetModuleFileNameA(HMODULE hModule, char* lpFilename, DWORD nSize) {
    return ::GetModuleFileNameA(As<::HMODULE>(hModule), lpFilename, nSize);
}

DWORD Win32Platform::GetFileAttributesA(const char* lpFileName) {
    return ::GetFileAttributesA(lpFileName);
}

DWORD Win32Platform::GetPrivateProfileStringA(const char* lpAppName, const char* lpKeyName,
                                              const char* lpDefault, char* lpReturnedString,
                                              DWORD nSize, const char* lpFileName) {
    return ::GetPrivateProfileStringA(lpAppName, lpKeyName, lpDefault, lpReturnedString, nSize,
                                      lpFileName);
}

BOOL Win32Platform::WritePrivateProfileStringA(const char* lpAppName, const char* lpKeyName,
                                               const char* lpString, const char* lpFileName) {
    return ::WritePrivateProfileStringA(lpAppName, lpKeyName, lpString, lpFileName);
}

DWORD Win32Platform::GetLastError() {
    return ::GetLastError();
}

void Win32Platform::SetLastError(DWORD dwErrCode) {
    ::SetLastError(dwErrCode);
}

HANDLE Win32Platform::GetStdHandle(DWORD nStdHandle) {
    return ::GetStdHandle(nStdHandle);
}

BOOL Win32Platform::GetConsoleMode(HANDLE hConsoleHandle, DWORD* lpMode) {
    return ::GetConsoleMode(hConsoleHandle, As<::LPDWORD>(lpMode));
}

int Win32Platform::MultiByteToWideChar(UINT CodePage, DWORD dwFlags, const char* lpMultiByteStr,
                                       int cbMultiByte, OLECHAR* lpWideCharStr, int cchWideChar) {
    return ::MultiByteToWideChar(CodePage, dwFlags, lpMultiByteStr, cbMultiByte,
                                 As<::LPWSTR>(lpWideCharStr), cchWideChar);
}

BOOL Win32Platform::WriteConsoleW(HANDLE hConsoleOutput, const OLECHAR* lpBuffer,
                                  DWORD nNumberOfCharsToWrite, DWORD* lpNumberOfCharsWritten,
                                  void* lpReserved) {
    return ::WriteConsoleW(hConsoleOutput, As<const ::WCHAR*>(lpBuffer), nNumberOfCharsToWrite,
                           As<::LPDWORD>(lpNumberOfCharsWritten), lpReserved);
}

UINT Win32Platform::GetACP() {
    return ::GetACP();
}

int Win32Platform::WideCharToMultiByte(UINT CodePage, DWORD dwFlags, const OLECHAR* lpWideCharStr,
                                       int cchWideChar, char* lpMultiByteStr, int cbMultiByte,
                                       const char* lpDefaultChar, BOOL* lpUsedDefaultChar) {
    return ::WideCharToMultiByte(CodePage, dwFlags, As<const ::WCHAR*>(lpWideCharStr), cchWideChar,
                                 lpMultiByteStr, cbMultiByte, lpDefaultChar,
                                 As<::LPBOOL>(lpUsedDefaultChar));
}

}  // namespace win
