// The Windows records and constants that every layer may speak: portable
// mirrors of what the core hands across the seam, so that the described
// machine and the text helpers need no seam and no <windows.h>.
#pragma once

#if defined(_WINDOWS_) || defined(_INC_WINDOWS)
#error "include win_types.h before <windows.h>: its constants would be macro-expanded"
#endif

#include <cstddef>
#include <cstdint>

namespace win {

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using LONG = std::int32_t;
using UINT = std::uint32_t;
using BOOL = std::int32_t;
using HRESULT = std::int32_t;
using ULONGLONG = std::uint64_t;
using DWORDLONG = std::uint64_t;
using ULONG_PTR = std::uintptr_t;
using REGSAM = DWORD;
using OLECHAR = char16_t;     // wchar_t is 16 bits on Windows only
using ULONG = std::uint32_t;  // 32 bits on 64-bit Windows too
using CONFIGRET = ULONG;      // the configuration manager's own result codes
using DEVINST = DWORD;

// Opaque handles: never dereferenced by the core.
struct HKEY__;
struct SC_HANDLE__;
struct HINSTANCE__;
struct HWND__;
using HANDLE = void*;
using HDEVINFO = void*;
using HKEY = HKEY__*;
using SC_HANDLE = SC_HANDLE__*;
using HMODULE = HINSTANCE__*;
using HWND = HWND__*;
using FARPROC = void (*)();

inline constexpr BOOL FALSE = 0;
inline constexpr BOOL TRUE = 1;

inline HANDLE InvalidHandleValue() {
    return reinterpret_cast<HANDLE>(~std::uintptr_t{0});
}

struct GUID {
    DWORD Data1;
    WORD Data2;
    WORD Data3;
    BYTE Data4[8];
};
static_assert(sizeof(GUID) == 16);

inline bool operator==(const GUID& a, const GUID& b) {
    if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3) {
        return false;
    }
    for (int i = 0; i < 8; ++i) {
        if (a.Data4[i] != b.Data4[i]) {
            return false;
        }
    }
    return true;
}

struct OSVERSIONINFOA {
    DWORD dwOSVersionInfoSize;
    DWORD dwMajorVersion;
    DWORD dwMinorVersion;
    DWORD dwBuildNumber;
    DWORD dwPlatformId;
    char szCSDVersion[128];
};
static_assert(sizeof(OSVERSIONINFOA) == 148);

struct OSVERSIONINFOEXA {
    DWORD dwOSVersionInfoSize;
    DWORD dwMajorVersion;
    DWORD dwMinorVersion;
    DWORD dwBuildNumber;
    DWORD dwPlatformId;
    char szCSDVersion[128];
    WORD wServicePackMajor;
    WORD wServicePackMinor;
    WORD wSuiteMask;
    BYTE wProductType;
    BYTE wReserved;
};
static_assert(sizeof(OSVERSIONINFOEXA) == 156);

struct SP_DEVINFO_DATA {
    DWORD cbSize;
    GUID ClassGuid;
    DWORD DevInst;
    ULONG_PTR Reserved;
};
static_assert(sizeof(SP_DEVINFO_DATA) == (sizeof(void*) == 8 ? 32 : 28));

struct SYSTEM_INFO {
    WORD wProcessorArchitecture;
    WORD wReserved;
    DWORD dwPageSize;
    void* lpMinimumApplicationAddress;
    void* lpMaximumApplicationAddress;
    ULONG_PTR dwActiveProcessorMask;
    DWORD dwNumberOfProcessors;
    DWORD dwProcessorType;
    DWORD dwAllocationGranularity;
    WORD wProcessorLevel;
    WORD wProcessorRevision;
};
static_assert(sizeof(SYSTEM_INFO) == (sizeof(void*) == 8 ? 48 : 36));

struct QUERY_SERVICE_CONFIGA {
    DWORD dwServiceType;
    DWORD dwStartType;
    DWORD dwErrorControl;
    char* lpBinaryPathName;
    char* lpLoadOrderGroup;
    DWORD dwTagId;
    char* lpDependencies;
    char* lpServiceStartName;
    char* lpDisplayName;
};
static_assert(sizeof(QUERY_SERVICE_CONFIGA) == (sizeof(void*) == 8 ? 64 : 36));

struct VS_FIXEDFILEINFO {
    DWORD dwSignature;
    DWORD dwStrucVersion;
    DWORD dwFileVersionMS;
    DWORD dwFileVersionLS;
    DWORD dwProductVersionMS;
    DWORD dwProductVersionLS;
    DWORD dwFileFlagsMask;
    DWORD dwFileFlags;
    DWORD dwFileOS;
    DWORD dwFileType;
    DWORD dwFileSubtype;
    DWORD dwFileDateMS;
    DWORD dwFileDateLS;
};
static_assert(sizeof(VS_FIXEDFILEINFO) == 52);

// Error codes.
inline constexpr DWORD ERROR_SUCCESS = 0;
inline constexpr DWORD ERROR_INVALID_FUNCTION = 1;
inline constexpr DWORD ERROR_FILE_NOT_FOUND = 2;
inline constexpr DWORD ERROR_PATH_NOT_FOUND = 3;
inline constexpr DWORD ERROR_ACCESS_DENIED = 5;
inline constexpr DWORD ERROR_INVALID_HANDLE = 6;
inline constexpr DWORD ERROR_NOT_ENOUGH_MEMORY = 8;
inline constexpr DWORD ERROR_INVALID_DATA = 13;
inline constexpr DWORD ERROR_OUTOFMEMORY = 14;
inline constexpr DWORD ERROR_GEN_FAILURE = 31;
inline constexpr DWORD ERROR_INVALID_PARAMETER = 87;
inline constexpr DWORD ERROR_CALL_NOT_IMPLEMENTED = 120;
inline constexpr DWORD ERROR_INSUFFICIENT_BUFFER = 122;
inline constexpr DWORD ERROR_INVALID_NAME = 123;
inline constexpr DWORD ERROR_MOD_NOT_FOUND = 126;
inline constexpr DWORD ERROR_PROC_NOT_FOUND = 127;
inline constexpr DWORD ERROR_BAD_ARGUMENTS = 160;
inline constexpr DWORD ERROR_BAD_EXE_FORMAT = 193;
inline constexpr DWORD ERROR_MORE_DATA = 234;
inline constexpr DWORD ERROR_NO_MORE_ITEMS = 259;
inline constexpr DWORD ERROR_INVALID_ADDRESS = 487;
inline constexpr DWORD ERROR_SERVICE_DOES_NOT_EXIST = 1060;
inline constexpr DWORD ERROR_OLD_WIN_VERSION = 1150;
inline constexpr DWORD ERROR_RESOURCE_DATA_NOT_FOUND = 1812;
inline constexpr DWORD ERROR_RESOURCE_TYPE_NOT_FOUND = 1813;
inline constexpr DWORD ERROR_FUNCTION_FAILED = 1627;
inline constexpr DWORD ERROR_INVALID_CLASS = 0xE0000206;
inline constexpr DWORD ERROR_NO_SUCH_DEVINST = 0xE000020B;
inline constexpr DWORD ERROR_INVALID_DEVINST_NAME = 0xE0000205;
inline constexpr DWORD ERROR_KEY_DOES_NOT_EXIST = 0xE0000204;

inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057);
inline constexpr HRESULT CO_E_CLASSSTRING = static_cast<HRESULT>(0x800401F3);
inline constexpr HRESULT HresultFromWin32(DWORD code) {
    return code == 0 ? 0 : static_cast<HRESULT>((code & 0xFFFFu) | 0x80070000u);
}

// Version verification.
inline constexpr DWORD VER_MINORVERSION = 0x01;
inline constexpr DWORD VER_MAJORVERSION = 0x02;
inline constexpr DWORD VER_BUILDNUMBER = 0x04;
inline constexpr DWORD VER_PLATFORMID = 0x08;
inline constexpr DWORD VER_SERVICEPACKMINOR = 0x10;
inline constexpr DWORD VER_SERVICEPACKMAJOR = 0x20;
inline constexpr DWORD VER_SUITENAME = 0x40;
inline constexpr DWORD VER_PRODUCT_TYPE = 0x80;
inline constexpr BYTE VER_EQUAL = 1;
inline constexpr BYTE VER_GREATER = 2;
inline constexpr BYTE VER_GREATER_EQUAL = 3;
inline constexpr BYTE VER_LESS = 4;
inline constexpr BYTE VER_LESS_EQUAL = 5;
inline constexpr BYTE VER_AND = 6;
inline constexpr BYTE VER_OR = 7;
inline constexpr BYTE VER_NT_WORKSTATION = 1;
inline constexpr BYTE VER_NT_DOMAIN_CONTROLLER = 2;
inline constexpr BYTE VER_NT_SERVER = 3;
inline constexpr DWORD VER_PLATFORM_WIN32s = 0;
inline constexpr DWORD VER_PLATFORM_WIN32_WINDOWS = 1;
inline constexpr DWORD VER_PLATFORM_WIN32_NT = 2;

inline constexpr WORD VER_SUITE_SMALLBUSINESS = 0x0001;
inline constexpr WORD VER_SUITE_ENTERPRISE = 0x0002;
inline constexpr WORD VER_SUITE_BACKOFFICE = 0x0004;
inline constexpr WORD VER_SUITE_COMMUNICATIONS = 0x0008;
inline constexpr WORD VER_SUITE_TERMINAL = 0x0010;
inline constexpr WORD VER_SUITE_SMALLBUSINESS_RESTRICTED = 0x0020;
inline constexpr WORD VER_SUITE_EMBEDDEDNT = 0x0040;
inline constexpr WORD VER_SUITE_DATACENTER = 0x0080;
inline constexpr WORD VER_SUITE_SINGLEUSERTS = 0x0100;
inline constexpr WORD VER_SUITE_PERSONAL = 0x0200;
inline constexpr WORD VER_SUITE_BLADE = 0x0400;
inline constexpr WORD VER_SUITE_EMBEDDED_RESTRICTED = 0x0800;
inline constexpr WORD VER_SUITE_SECURITY_APPLIANCE = 0x1000;
inline constexpr WORD VER_SUITE_STORAGE_SERVER = 0x2000;
inline constexpr WORD VER_SUITE_COMPUTE_SERVER = 0x4000;
inline constexpr WORD VER_SUITE_WH_SERVER = 0x8000;

inline constexpr WORD PROCESSOR_ARCHITECTURE_INTEL = 0;
inline constexpr WORD PROCESSOR_ARCHITECTURE_ARM = 5;
inline constexpr WORD PROCESSOR_ARCHITECTURE_IA64 = 6;
inline constexpr WORD PROCESSOR_ARCHITECTURE_AMD64 = 9;
inline constexpr WORD PROCESSOR_ARCHITECTURE_ARM64 = 12;

// Registry.
inline constexpr DWORD REG_NONE = 0;
inline constexpr DWORD REG_SZ = 1;
inline constexpr DWORD REG_EXPAND_SZ = 2;
inline constexpr DWORD REG_BINARY = 3;
inline constexpr DWORD REG_DWORD = 4;
inline constexpr DWORD REG_DWORD_BIG_ENDIAN = 5;
inline constexpr DWORD REG_LINK = 6;
inline constexpr DWORD REG_MULTI_SZ = 7;
inline constexpr DWORD REG_RESOURCE_LIST = 8;
inline constexpr DWORD REG_QWORD = 11;
inline constexpr REGSAM KEY_READ = 0x20019;

// Device installation.
inline constexpr DWORD DIGCF_DEFAULT = 0x01;
inline constexpr DWORD DIGCF_PRESENT = 0x02;
inline constexpr DWORD DIGCF_ALLCLASSES = 0x04;
inline constexpr DWORD DIGCF_PROFILE = 0x08;
inline constexpr DWORD DIGCF_DEVICEINTERFACE = 0x10;
inline constexpr DWORD SPDRP_DEVICEDESC = 0;
inline constexpr DWORD SPDRP_HARDWAREID = 1;
inline constexpr DWORD SPDRP_COMPATIBLEIDS = 2;
inline constexpr DWORD SPDRP_SERVICE = 4;
inline constexpr DWORD SPDRP_CLASS = 7;
inline constexpr DWORD SPDRP_CLASSGUID = 8;
inline constexpr DWORD SPDRP_DRIVER = 9;
inline constexpr DWORD SPDRP_CONFIGFLAGS = 10;
inline constexpr DWORD SPDRP_MFG = 11;
inline constexpr DWORD SPDRP_FRIENDLYNAME = 12;
inline constexpr DWORD SPDRP_UPPERFILTERS = 17;
inline constexpr DWORD SPDRP_LOWERFILTERS = 18;
inline constexpr DWORD MAX_CLASS_NAME_LEN = 32;
inline constexpr DWORD DICS_FLAG_GLOBAL = 0x01;
inline constexpr DWORD DIREG_DEV = 0x01;
inline constexpr DWORD DIREG_DRV = 0x02;

// Device configuration flags (the Enum key's ConfigFlags value).
inline constexpr DWORD CONFIGFLAG_DISABLED = 0x00000001;
inline constexpr DWORD CONFIGFLAG_REINSTALL = 0x00000020;
inline constexpr DWORD CONFIGFLAG_FAILEDINSTALL = 0x00000040;
inline constexpr DWORD CONFIGFLAG_FINISH_INSTALL = 0x00000400;

// The configuration manager: results, device node status bits, problems.
inline constexpr CONFIGRET CR_SUCCESS = 0x00;
inline constexpr CONFIGRET CR_INVALID_POINTER = 0x03;
inline constexpr CONFIGRET CR_INVALID_FLAG = 0x04;
inline constexpr CONFIGRET CR_INVALID_DEVNODE = 0x05;
inline constexpr CONFIGRET CR_NO_SUCH_DEVNODE = 0x0D;
inline constexpr CONFIGRET CR_FAILURE = 0x13;
inline constexpr CONFIGRET CR_CALL_NOT_IMPLEMENTED = 0x34;
inline constexpr ULONG DN_DRIVER_LOADED = 0x00000002;
inline constexpr ULONG DN_STARTED = 0x00000008;
inline constexpr ULONG DN_HAS_PROBLEM = 0x00000400;
inline constexpr ULONG DN_DISABLEABLE = 0x00002000;
inline constexpr ULONG DN_NT_ENUMERATOR = 0x00800000;
inline constexpr ULONG DN_NT_DRIVER = 0x01000000;
inline constexpr ULONG CM_PROB_DISABLED = 0x16;
inline constexpr DWORD DIBCI_NOINSTALLCLASS = 0x01;
inline constexpr DWORD DIBCI_NODISPLAYCLASS = 0x02;

// Service control manager.
inline constexpr DWORD GENERIC_READ = 0x80000000;
inline constexpr DWORD SERVICE_QUERY_CONFIG = 0x0001;
inline constexpr DWORD SERVICE_KERNEL_DRIVER = 0x00000001;
inline constexpr DWORD SERVICE_DEMAND_START = 0x00000003;
inline constexpr DWORD SERVICE_ERROR_NORMAL = 0x00000001;

inline constexpr DWORD MAX_PATH = 260;

// File attributes.
inline constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x00000010;
inline constexpr DWORD FILE_ATTRIBUTE_ARCHIVE = 0x00000020;
inline constexpr DWORD INVALID_FILE_ATTRIBUTES = 0xFFFFFFFF;

// Console output.
inline constexpr DWORD STD_OUTPUT_HANDLE = static_cast<DWORD>(-11);
inline constexpr UINT CP_ACP = 0;

}  // namespace win

// Unsigned 32-bit status of the query operations: 0 is success, anything else
// a Windows error code.
using StatusCode = std::uint32_t;
