#include "platform/platform.h"

#include "platform/null_platform.h"

namespace win {

namespace {

NullPlatform& Fallback() {
    static NullPlatform fallback;
    return fallback;
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

}  // namespace win
