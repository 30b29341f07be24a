// The product suites of the running system, one bit at a time.
#pragma once

#include <cstdint>

#include "platform/platform.h"

class ProductSuiteQuery {
  public:
    // Sets `suiteMask` and suiteCount.
    StatusCode GetProductSuites(std::uint16_t& suiteMask);

    // Suites found, VER_SUITE_SMALLBUSINESS_RESTRICTED not counted.
    std::uint16_t suiteCount = 0;
};
