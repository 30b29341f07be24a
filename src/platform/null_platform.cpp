#include "platform/null_platform.h"

#include <cstring>

namespace win {

ULONGLONG NullPlatform::VerSetConditionMask(ULONGLONG, DWORD, BYTE) {
    return Fail<ULONGLONG>(0);
}
BOOL NullPlatform::VerifyVersionInfoA(OSVERSIONINFOEXA*, DWORD, DWORDLONG) {
    return Fail(FALSE);
}
BOOL NullPlatform::GetVersionExA(OSVERSIONINFOA*) {
    return Fail(FALSE);
}

void NullPlatform::GetSystemInfo(SYSTEM_INFO* lpSystemInfo) {
    if (lpSystemInfo != nullptr) {
        std::memset(lpSystemInfo, 0, sizeof(*lpSystemInfo));
    }
    Fail(0);
}

HMODULE NullPlatform::GetModuleHandleA(const char*) {
    return Fail<HMODULE>(nullptr);
}
FARPROC NullPlatform::GetProcAddress(HMODULE, const char*) {
    return Fail<FARPROC>(nullptr);
}
HANDLE NullPlatform::GetCurrentProcess() {
    return Fail<HANDLE>(nullptr);
}
BOOL NullPlatform::IsWow64Process(HANDLE, BOOL*) {
    return Fail(FALSE);
}

BOOL NullPlatform::SetupDiClassNameFromGuidA(const GUID*, char*, DWORD, DWORD*) {
    return Fail(FALSE);
}
HKEY NullPlatform::SetupDiOpenClassRegKey(const GUID*, REGSAM) {
    return Fail(static_cast<HKEY>(InvalidHandleValue()));
}
LONG NullPlatform::RegQueryValueExA(HKEY, const char*, DWORD*, DWORD*, BYTE*, DWORD*) {
    return Fail(static_cast<LONG>(ERROR_CALL_NOT_IMPLEMENTED));
}
LONG NullPlatform::RegCloseKey(HKEY) {
    return Fail(static_cast<LONG>(ERROR_CALL_NOT_IMPLEMENTED));
}

HDEVINFO NullPlatform::SetupDiGetClassDevsA(const GUID*, const char*, HWND, DWORD) {
    return Fail(InvalidHandleValue());
}
BOOL NullPlatform::SetupDiEnumDeviceInfo(HDEVINFO, DWORD, SP_DEVINFO_DATA*) {
    return Fail(FALSE);
}
HDEVINFO NullPlatform::SetupDiCreateDeviceInfoList(const GUID*, HWND) {
    return Fail(InvalidHandleValue());
}
BOOL NullPlatform::SetupDiOpenDeviceInfoA(HDEVINFO, const char*, HWND, DWORD, SP_DEVINFO_DATA*) {
    return Fail(FALSE);
}
BOOL NullPlatform::SetupDiDestroyDeviceInfoList(HDEVINFO) {
    return Fail(FALSE);
}
BOOL NullPlatform::SetupDiGetDeviceInstanceIdA(HDEVINFO, SP_DEVINFO_DATA*, char*, DWORD, DWORD*) {
    return Fail(FALSE);
}
BOOL NullPlatform::SetupDiGetDeviceRegistryPropertyA(HDEVINFO, SP_DEVINFO_DATA*, DWORD, DWORD*,
                                                     BYTE*, DWORD, DWORD*) {
    return Fail(FALSE);
}

HRESULT NullPlatform::CLSIDFromString(const OLECHAR*, GUID*) {
    return Fail(HresultFromWin32(ERROR_CALL_NOT_IMPLEMENTED));
}

SC_HANDLE NullPlatform::OpenSCManagerA(const char*, const char*, DWORD) {
    return Fail<SC_HANDLE>(nullptr);
}
SC_HANDLE NullPlatform::OpenServiceA(SC_HANDLE, const char*, DWORD) {
    return Fail<SC_HANDLE>(nullptr);
}
BOOL NullPlatform::QueryServiceConfigA(SC_HANDLE, QUERY_SERVICE_CONFIGA*, DWORD, DWORD*) {
    return Fail(FALSE);
}
BOOL NullPlatform::CloseServiceHandle(SC_HANDLE) {
    return Fail(FALSE);
}

DWORD NullPlatform::GetFileVersionInfoSizeA(const char*, DWORD*) {
    return Fail<DWORD>(0);
}
BOOL NullPlatform::GetFileVersionInfoA(const char*, DWORD, DWORD, void*) {
    return Fail(FALSE);
}
BOOL NullPlatform::VerQueryValueA(const void*, const char*, void**, UINT*) {
    return Fail(FALSE);
}
UINT NullPlatform::GetSystemDirectoryA(char*, UINT) {
    return Fail<UINT>(0);
}
DWORD NullPlatform::GetModuleFileNameA(HMODULE, char*, DWORD) {
    return Fail<DWORD>(0);
}

DWORD NullPlatform::GetPrivateProfileStringA(const char*, const char*, const char* lpDefault,
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
    return Fail(copied);
}
BOOL NullPlatform::WritePrivateProfileStringA(const char*, const char*, const char*, const char*) {
    return Fail(FALSE);
}

DWORD NullPlatform::GetLastError() {
    return lastError_;
}
void NullPlatform::SetLastError(DWORD dwErrCode) {
    lastError_ = dwErrCode;
}

HANDLE NullPlatform::GetStdHandle(DWORD) {
    return Fail(InvalidHandleValue());
}
BOOL NullPlatform::GetConsoleMode(HANDLE, DWORD*) {
    return Fail(FALSE);
}
int NullPlatform::MultiByteToWideChar(UINT, DWORD, const char*, int, OLECHAR*, int) {
    return Fail(0);
}
BOOL NullPlatform::WriteConsoleW(HANDLE, const OLECHAR*, DWORD, DWORD*, void*) {
    return Fail(FALSE);
}

}  // namespace win
