#include "platform/platform.h"

#include <cstring>

namespace win {

namespace {

Platform& Fallback() {
    static Platform fallback;
    return fallback;
}

template <typename T>
T NotImplemented(Platform& platform, T failure) {
    platform.SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return failure;
}

Platform* g_current = nullptr;

}  // namespace

Platform& Current() {
    return g_current != nullptr ? *g_current : Fallback();
}

ScopedPlatform::ScopedPlatform(Platform& platform) : previous_(g_current) {
    g_current = &platform;
}

ScopedPlatform::~ScopedPlatform() {
    g_current = previous_;
}

ULONGLONG Platform::VerSetConditionMask(ULONGLONG, DWORD, BYTE) {
    return NotImplemented<ULONGLONG>(*this, 0);
}
BOOL Platform::VerifyVersionInfoA(OSVERSIONINFOEXA*, DWORD, DWORDLONG) {
    return NotImplemented(*this, FALSE);
}
BOOL Platform::GetVersionExA(OSVERSIONINFOA*) {
    return NotImplemented(*this, FALSE);
}

void Platform::GetSystemInfo(SYSTEM_INFO* lpSystemInfo) {
    if (lpSystemInfo != nullptr) {
        std::memset(lpSystemInfo, 0, sizeof(*lpSystemInfo));
    }
    NotImplemented(*this, 0);
}

HMODULE Platform::GetModuleHandleA(const char*) {
    return NotImplemented<HMODULE>(*this, nullptr);
}
FARPROC Platform::GetProcAddress(HMODULE, const char*) {
    return NotImplemented<FARPROC>(*this, nullptr);
}
HANDLE Platform::GetCurrentProcess() {
    return NotImplemented<HANDLE>(*this, nullptr);
}
BOOL Platform::IsWow64Process(HANDLE, BOOL*) {
    return NotImplemented(*this, FALSE);
}

BOOL Platform::SetupDiClassNameFromGuidA(const GUID*, char*, DWORD, DWORD*) {
    return NotImplemented(*this, FALSE);
}
BOOL Platform::SetupDiBuildClassInfoList(DWORD, GUID*, DWORD, DWORD*) {
    return NotImplemented(*this, FALSE);
}
HKEY Platform::SetupDiOpenClassRegKey(const GUID*, REGSAM) {
    return NotImplemented(*this, static_cast<HKEY>(InvalidHandleValue()));
}
LONG Platform::RegQueryValueExA(HKEY, const char*, DWORD*, DWORD*, BYTE*, DWORD*) {
    return NotImplemented(*this, static_cast<LONG>(ERROR_CALL_NOT_IMPLEMENTED));
}
LONG Platform::RegCloseKey(HKEY) {
    return NotImplemented(*this, static_cast<LONG>(ERROR_CALL_NOT_IMPLEMENTED));
}

HDEVINFO Platform::SetupDiGetClassDevsA(const GUID*, const char*, HWND, DWORD) {
    return NotImplemented(*this, InvalidHandleValue());
}
BOOL Platform::SetupDiEnumDeviceInfo(HDEVINFO, DWORD, SP_DEVINFO_DATA*) {
    return NotImplemented(*this, FALSE);
}
HDEVINFO Platform::SetupDiCreateDeviceInfoList(const GUID*, HWND) {
    return NotImplemented(*this, InvalidHandleValue());
}
BOOL Platform::SetupDiOpenDeviceInfoA(HDEVINFO, const char*, HWND, DWORD, SP_DEVINFO_DATA*) {
    return NotImplemented(*this, FALSE);
}
BOOL Platform::SetupDiDestroyDeviceInfoList(HDEVINFO) {
    return NotImplemented(*this, FALSE);
}
BOOL Platform::SetupDiGetDeviceInstanceIdA(HDEVINFO, SP_DEVINFO_DATA*, char*, DWORD, DWORD*) {
    return NotImplemented(*this, FALSE);
}
BOOL Platform::SetupDiGetDeviceRegistryPropertyA(HDEVINFO, SP_DEVINFO_DATA*, DWORD, DWORD*, BYTE*,
                                                 DWORD, DWORD*) {
    return NotImplemented(*this, FALSE);
}

HKEY Platform::SetupDiOpenDevRegKey(HDEVINFO, SP_DEVINFO_DATA*, DWORD, DWORD, DWORD, REGSAM) {
    return NotImplemented(*this, static_cast<HKEY>(InvalidHandleValue()));
}
CONFIGRET Platform::CM_Get_DevNode_Status(ULONG*, ULONG*, DEVINST, ULONG) {
    return NotImplemented(*this, CR_CALL_NOT_IMPLEMENTED);
}

HRESULT Platform::CLSIDFromString(const OLECHAR*, GUID*) {
    return NotImplemented(*this, HresultFromWin32(ERROR_CALL_NOT_IMPLEMENTED));
}

SC_HANDLE Platform::OpenSCManagerA(const char*, const char*, DWORD) {
    return NotImplemented<SC_HANDLE>(*this, nullptr);
}
SC_HANDLE Platform::OpenServiceA(SC_HANDLE, const char*, DWORD) {
    return NotImplemented<SC_HANDLE>(*this, nullptr);
}
BOOL Platform::QueryServiceConfigA(SC_HANDLE, QUERY_SERVICE_CONFIGA*, DWORD, DWORD*) {
    return NotImplemented(*this, FALSE);
}
BOOL Platform::CloseServiceHandle(SC_HANDLE) {
    return NotImplemented(*this, FALSE);
}

DWORD Platform::GetFileVersionInfoSizeA(const char*, DWORD*) {
    return NotImplemented<DWORD>(*this, 0);
}
BOOL Platform::GetFileVersionInfoA(const char*, DWORD, DWORD, void*) {
    return NotImplemented(*this, FALSE);
}
BOOL Platform::VerQueryValueA(const void*, const char*, void**, UINT*) {
    return NotImplemented(*this, FALSE);
}
UINT Platform::GetSystemDirectoryA(char*, UINT) {
    return NotImplemented<UINT>(*this, 0);
}
DWORD Platform::GetModuleFileNameA(HMODULE, char*, DWORD) {
    return NotImplemented<DWORD>(*this, 0);
}
DWORD Platform::GetFileAttributesA(const char*) {
    return NotImplemented(*this, INVALID_FILE_ATTRIBUTES);
}

DWORD Platform::GetPrivateProfileStringA(const char*, const char*, const char* lpDefault,
                                         char* lpReturnedString, DWORD nSize, const char*) {
    // The profile functions hand back the default when they cannot read.
    DWORD copied = 0;
    if (lpReturnedString != nullptr && nSize > 0) {
        const char* source = lpDefault != nullptr ? lpDefault : "";
        while (source[copied] != '\0' && copied + 1 < nSize) {
            lpReturnedString[copied] = source[copied];
            ++copied;
        }
        lpReturnedString[copied] = '\0';
    }
    return NotImplemented(*this, copied);
}
BOOL Platform::WritePrivateProfileStringA(const char*, const char*, const char*, const char*) {
    return NotImplemented(*this, FALSE);
}

HANDLE Platform::GetStdHandle(DWORD) {
    return NotImplemented(*this, InvalidHandleValue());
}
BOOL Platform::GetConsoleMode(HANDLE, DWORD*) {
    return NotImplemented(*this, FALSE);
}
int Platform::MultiByteToWideChar(UINT, DWORD, const char*, int, OLECHAR*, int) {
    return NotImplemented(*this, 0);
}
BOOL Platform::WriteConsoleW(HANDLE, const OLECHAR*, DWORD, DWORD*, void*) {
    return NotImplemented(*this, FALSE);
}

// GetACP cannot fail on Windows; 0 says that no system answered.
UINT Platform::GetACP() {
    return NotImplemented(*this, 0u);
}
int Platform::WideCharToMultiByte(UINT, DWORD, const OLECHAR*, int, char*, int, const char*,
                                  BOOL*) {
    return NotImplemented(*this, 0);
}

DWORD Platform::GetLastError() {
    return lastError_;
}
void Platform::SetLastError(DWORD dwErrCode) {
    lastError_ = dwErrCode;
}

}  // namespace win
