#include "osinfo/version_probe.h"

#include "log/trace_log.h"
#include "osinfo/product_suite_query.h"
#include "osinfo/version_request.h"
#include "platform/failure_code.h"

namespace {

constexpr std::uint32_t kHighestVersionNumber = 20;

// Puts the candidate into the field that the kind compares; false for a kind
// that is not a version number.
bool PutCandidate(win::OSVERSIONINFOEXA& request, std::uint32_t versionType,
                  std::uint32_t candidate) {
    switch (versionType) {
        case win::VER_MINORVERSION:
            request.dwMinorVersion = candidate;
            return true;
        case win::VER_MAJORVERSION:
            request.dwMajorVersion = candidate;
            return true;
        case win::VER_BUILDNUMBER:
            request.dwBuildNumber = candidate;
            return true;
        case win::VER_SERVICEPACKMINOR:
            request.wServicePackMinor = static_cast<win::WORD>(candidate);
            return true;
        case win::VER_SERVICEPACKMAJOR:
            request.wServicePackMajor = static_cast<win::WORD>(candidate);
            return true;
        default:
            return false;
    }
}

}  // namespace

StatusCode GetProductType(std::uint8_t& productType) {
    productType = 0;
    win::Platform& platform = win::Current();
    const win::DWORDLONG condition =
        platform.VerSetConditionMask(0, win::VER_PRODUCT_TYPE, win::VER_EQUAL);
    for (std::uint32_t candidate = 0; candidate <= 0xFF; ++candidate) {
        win::OSVERSIONINFOEXA request = EmptyVersionRequest();
        request.wProductType = static_cast<win::BYTE>(candidate);
        if (platform.VerifyVersionInfoA(&request, win::VER_PRODUCT_TYPE, condition)) {
            productType = static_cast<std::uint8_t>(candidate);
            return win::ERROR_SUCCESS;
        }
        const StatusCode error = LastFailureCode();
        if (error != win::ERROR_OLD_WIN_VERSION) {
            // One unanswered candidate says nothing about the others.
            Trace(LOG_ERROR, "GetProductType: VerifyVersionInfo(%u) failed with error 0x%08X\n",
                  candidate, error);
        }
    }
    Trace(LOG_ERROR, "GetProductType: Type not found.\n");
    return win::ERROR_FUNCTION_FAILED;
}

StatusCode IsWindowsServer(bool& isServer) {
    isServer = false;
    std::uint8_t productType = 0;
    const StatusCode status = GetProductType(productType);
    if (status != win::ERROR_SUCCESS) {
        Trace(LOG_ERROR, "IsWindowsServer: GetProductType failed with 0x%08X\n", status);
        return status;
    }
    // Domain controllers are servers too, and so is an unnamed type.
    isServer = productType != win::VER_NT_WORKSTATION;
    return win::ERROR_SUCCESS;
}

StatusCode IsWindowsHomeServer(bool& isHomeServer) {
    isHomeServer = false;
    ProductSuiteQuery suites;
    std::uint16_t suiteMask = 0;
    const StatusCode status = suites.GetProductSuites(suiteMask);
    if (status != win::ERROR_SUCCESS) {
        Trace(LOG_ERROR, "IsWindowsHomeServer: GetProductSuites failed with 0x%08X\n", status);
        return status;
    }
    isHomeServer = (suiteMask & win::VER_SUITE_WH_SERVER) != 0;
    return win::ERROR_SUCCESS;
}

StatusCode GetVersionNumber(std::uint32_t versionType, std::uint32_t& value) {
    value = 0;
    win::OSVERSIONINFOEXA probe{};
    // Checked before anything is asked: a kind we cannot fill is refused.
    if (!PutCandidate(probe, versionType, 0)) {
        Trace(LOG_ERROR, "GetVersionNumber: Unexpected version type %u.\n", versionType);
        return win::ERROR_INVALID_PARAMETER;
    }
    win::Platform& platform = win::Current();
    const win::DWORDLONG condition = platform.VerSetConditionMask(0, versionType, win::VER_EQUAL);
    for (std::uint32_t candidate = 0; candidate <= kHighestVersionNumber; ++candidate) {
        win::OSVERSIONINFOEXA request = EmptyVersionRequest();
        PutCandidate(request, versionType, candidate);
        if (platform.VerifyVersionInfoA(&request, versionType, condition)) {
            value = candidate;
            return win::ERROR_SUCCESS;
        }
        const StatusCode error = LastFailureCode();
        if (error != win::ERROR_OLD_WIN_VERSION) {
            Trace(LOG_ERROR, "GetVersionNumber: VerifyVersionInfo(%u) failed with error 0x%08X\n",
                  candidate, error);
        }
    }
    Trace(LOG_ERROR, "GetVersionNumber: Version number of type %u not found in range [0 .. %u].\n",
          versionType, kHighestVersionNumber);
    return win::ERROR_FUNCTION_FAILED;
}
