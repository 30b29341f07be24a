#include "osinfo/product_suite_query.h"

#include "log/trace_log.h"
#include "osinfo/version_request.h"
#include "platform/failure_code.h"

StatusCode ProductSuiteQuery::GetProductSuites(std::uint16_t& suiteMask) {
    suiteMask = 0;
    suiteCount = 0;
    win::Platform& platform = win::Current();
    const win::DWORDLONG condition =
        platform.VerSetConditionMask(0, win::VER_SUITENAME, win::VER_OR);
    for (unsigned bit = 0; bit < 16; ++bit) {
        const auto flag = static_cast<win::WORD>(1u << bit);
        win::OSVERSIONINFOEXA request = EmptyVersionRequest();
        request.wSuiteMask = flag;
        if (platform.VerifyVersionInfoA(&request, win::VER_SUITENAME, condition)) {
            suiteMask = static_cast<std::uint16_t>(suiteMask | flag);
            // Restricted small business is a qualifier of the small business
            // suite, not a suite of its own.
            if (flag != win::VER_SUITE_SMALLBUSINESS_RESTRICTED) {
                ++suiteCount;
            }
            continue;
        }
        const StatusCode status = LastFailureCode();
        if (status != win::ERROR_OLD_WIN_VERSION) {
            Trace(LOG_ERROR,
                  "GetProductSuites: GetProductSuites failed with 0x%08X for flag 0x%08X\n", status,
                  static_cast<unsigned>(flag));
            return status;
        }
    }
    return win::ERROR_SUCCESS;
}
