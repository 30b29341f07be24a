#include "platform/simulated/version_comparison.h"

namespace sim {

namespace {

int BitNumber(win::DWORD typeBit) {
    int bit = 0;
    while (bit < 31 && (typeBit & (win::DWORD{1} << bit)) == 0) {
        ++bit;
    }
    return bit;
}

bool IsRelational(win::BYTE condition) {
    return condition >= win::VER_EQUAL && condition <= win::VER_LESS_EQUAL;
}

bool Holds(win::DWORD system, win::DWORD requested, win::BYTE condition) {
    switch (condition) {
        case win::VER_EQUAL:
            return system == requested;
        case win::VER_GREATER:
            return system > requested;
        case win::VER_GREATER_EQUAL:
            return system >= requested;
        case win::VER_LESS:
            return system < requested;
        case win::VER_LESS_EQUAL:
            return system <= requested;
        default:
            return false;  // no relation given for a numeric field
    }
}

// A later field may narrow VER_EQUAL to a direction, or restate the leading
// direction; a contradicting or missing condition takes the leading one.
win::BYTE EffectiveCondition(win::BYTE condition, win::BYTE leading) {
    switch (leading) {
        case 0:
            return condition;
        case win::VER_EQUAL:
            return IsRelational(condition) ? condition : leading;
        case win::VER_GREATER:
        case win::VER_GREATER_EQUAL:
            return condition >= win::VER_EQUAL && condition <= win::VER_GREATER_EQUAL ? condition
                                                                                      : leading;
        default:
            return condition == win::VER_EQUAL || condition == win::VER_LESS ||
                           condition == win::VER_LESS_EQUAL
                       ? condition
                       : leading;
    }
}

struct RankedField {
    win::DWORD typeBit;
    win::DWORD system;
    win::DWORD requested;
};

// Major, minor, service pack major and minor compare as one number: the first
// field that differs decides by its condition; all equal, the last one does.
bool HoldsHierarchically(const machine::OsFacts& os, const win::OSVERSIONINFOEXA& request,
                         win::DWORD typeMask, win::DWORDLONG conditionMask) {
    const RankedField fields[] = {
        {win::VER_MAJORVERSION, os.major, request.dwMajorVersion},
        {win::VER_MINORVERSION, os.minor, request.dwMinorVersion},
        {win::VER_SERVICEPACKMAJOR, os.servicePackMajor, request.wServicePackMajor},
        {win::VER_SERVICEPACKMINOR, os.servicePackMinor, request.wServicePackMinor},
    };
    bool holds = true;
    win::BYTE leading = 0;
    for (const RankedField& field : fields) {
        if ((typeMask & field.typeBit) == 0) {
            continue;
        }
        const win::BYTE stated = ConditionOf(conditionMask, field.typeBit);
        const win::BYTE condition = EffectiveCondition(stated, leading);
        if (leading == 0 || (leading == win::VER_EQUAL && IsRelational(stated))) {
            leading = condition;
        }
        holds = Holds(field.system, field.requested, condition);
        if (field.system != field.requested || !IsRelational(condition)) {
            break;
        }
    }
    return holds;
}

}  // namespace

win::BYTE ConditionOf(win::DWORDLONG conditionMask, win::DWORD typeBit) {
    return static_cast<win::BYTE>((conditionMask >> (BitNumber(typeBit) * kBitsPerCondition)) &
                                  kConditionBits);
}

VersionMatch CompareVersion(const machine::OsFacts& os, const win::OSVERSIONINFOEXA& request,
                            win::DWORD typeMask, win::DWORDLONG conditionMask) {
    if (typeMask == 0 || conditionMask == 0) {
        return VersionMatch::BadArguments;
    }
    if ((typeMask & win::VER_PRODUCT_TYPE) != 0 &&
        !Holds(os.productType, request.wProductType,
               ConditionOf(conditionMask, win::VER_PRODUCT_TYPE))) {
        return VersionMatch::DoesNotHold;
    }
    if ((typeMask & win::VER_SUITENAME) != 0) {
        const win::WORD wanted = request.wSuiteMask;
        const auto present = static_cast<win::WORD>(wanted & os.suiteMask);
        switch (ConditionOf(conditionMask, win::VER_SUITENAME)) {
            case win::VER_AND:
                if (present != wanted) {
                    return VersionMatch::DoesNotHold;
                }
                break;
            case win::VER_OR:
                if (present == 0 && wanted != 0) {
                    return VersionMatch::DoesNotHold;
                }
                break;
            default:
                return VersionMatch::BadArguments;
        }
    }
    if ((typeMask & win::VER_PLATFORMID) != 0 &&
        !Holds(os.platformId, request.dwPlatformId,
               ConditionOf(conditionMask, win::VER_PLATFORMID))) {
        return VersionMatch::DoesNotHold;
    }
    if ((typeMask & win::VER_BUILDNUMBER) != 0 &&
        !Holds(os.build, request.dwBuildNumber, ConditionOf(conditionMask, win::VER_BUILDNUMBER))) {
        return VersionMatch::DoesNotHold;
    }
    const win::DWORD ranked = win::VER_MAJORVERSION | win::VER_MINORVERSION |
                              win::VER_SERVICEPACKMAJOR | win::VER_SERVICEPACKMINOR;
    if ((typeMask & ranked) != 0 && !HoldsHierarchically(os, request, typeMask, conditionMask)) {
        return VersionMatch::DoesNotHold;
    }
    return VersionMatch::Holds;
}

}  // namespace sim
