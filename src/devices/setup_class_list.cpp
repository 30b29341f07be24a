#include "devices/setup_class_list.h"

#include <algorithm>

#include "log/trace_log.h"
#include "platform/failure_code.h"
#include "platform/sized_query.h"
#include "text/guid_text.h"

namespace {

char Fold(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Windows compares class names without regard to case (ASCII folding).
int CompareNames(const std::string& a, const std::string& b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto x = static_cast<unsigned char>(Fold(a[i]));
        const auto y = static_cast<unsigned char>(Fold(b[i]));
        if (x != y) {
            return x < y ? -1 : 1;
        }
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

// The name in a buffer of the usual size, then, for a longer one, in a
// buffer of the size the first call asked for.
StatusCode ReadClassName(const win::GUID& guid, std::string& name) {
    std::vector<char> buffer(win::MAX_CLASS_NAME_LEN, '\0');
    win::DWORD required = 0;
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (win::Current().SetupDiClassNameFromGuidA(
                &guid, buffer.data(), static_cast<win::DWORD>(buffer.size()), &required)) {
            name.assign(buffer.begin(), std::find(buffer.begin(), buffer.end(), '\0'));
            return 0;
        }
        const StatusCode error = LastFailureCode();
        if (attempt > 0 || error != win::ERROR_INSUFFICIENT_BUFFER || required <= buffer.size() ||
            required > 0x10000) {
            return error;
        }
        buffer.assign(required, '\0');
    }
    return win::ERROR_INSUFFICIENT_BUFFER;
}

}  // namespace

StatusCode SetupClassList::Load() {
    Trace(LOG_INFO, "SetupClassList::Load...\n");
    classes.clear();
    constexpr win::DWORD kGuid = sizeof(win::GUID);
    // The protocol counts GUIDs; the buffer helper counts bytes.
    const SizedAnswer answer = QuerySized([](void* buffer, win::DWORD size, win::DWORD* needed) {
        win::DWORD count = 0;
        const win::BOOL ok = win::Current().SetupDiBuildClassInfoList(
            0, static_cast<win::GUID*>(buffer), size / kGuid, &count);
        *needed = count * kGuid;
        return ok;
    });
    if (answer.failedAt != SizedQueryStep::Done) {
        Trace(LOG_ERROR, "Load: SetupDiBuildClassInfoList failed with error 0x%08X.\n",
              answer.error);
        return answer.error;
    }
    for (std::size_t offset = 0; offset + kGuid <= answer.size; offset += kGuid) {
        InstalledClass entry;
        std::copy_n(answer.buffer.get() + offset, kGuid,
                    reinterpret_cast<std::uint8_t*>(&entry.guid));
        const StatusCode error = ReadClassName(entry.guid, entry.name);
        if (error != 0) {
            Trace(LOG_ERROR,
                  "Load: SetupDiClassNameFromGuid failed for class %s with error 0x%08X.\n",
                  GuidText(entry.guid).c_str(), error);
        }
        entry.named = error == 0;
        classes.push_back(std::move(entry));
    }
    return 0;
}

void SetupClassList::CountPresentDevices(std::uint32_t limit) {
    for (InstalledClass& entry : classes) {
        CountPresentDevicesOfClass(entry.guid, limit, entry.presentDevices);
    }
}

void SetupClassList::SortByName() {
    std::stable_sort(classes.begin(), classes.end(),
                     [](const InstalledClass& a, const InstalledClass& b) {
                         if (a.named != b.named) {
                             return a.named;
                         }
                         const int byName = a.named ? CompareNames(a.name, b.name) : 0;
                         return byName != 0 ? byName < 0 : GuidText(a.guid) < GuidText(b.guid);
                     });
}

const InstalledClass* SetupClassList::FindByName(const std::string& name) const {
    for (const InstalledClass& entry : classes) {
        if (entry.named && CompareNames(entry.name, name) == 0) {
            return &entry;
        }
    }
    return nullptr;
}

std::string SetupClassList::NameList() const {
    std::vector<std::string> names;
    for (const InstalledClass& entry : classes) {
        if (entry.named) {
            names.push_back(entry.name);
        }
    }
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return CompareNames(a, b) < 0; });
    std::string text;
    for (const std::string& name : names) {
        text += (text.empty() ? "" : ", ") + name;
    }
    return text;
}

StatusCode CountPresentDevicesOfClass(const win::GUID& guid, std::uint32_t limit,
                                      std::uint32_t& count) {
    count = 0;
    const std::string text = GuidText(guid);
    const win::HDEVINFO set =
        win::Current().SetupDiGetClassDevsA(&guid, nullptr, nullptr, win::DIGCF_PRESENT);
    if (set == win::InvalidHandleValue()) {
        const StatusCode error = LastFailureCode();
        Trace(LOG_ERROR,
              "CountPresentDevices: SetupDiGetClassDevs failed for class %s with error 0x%08X.\n",
              text.c_str(), error);
        return error;
    }
    StatusCode result = 0;
    while (count < limit) {
        win::SP_DEVINFO_DATA data{};
        data.cbSize = sizeof data;
        if (!win::Current().SetupDiEnumDeviceInfo(set, count, &data)) {
            const StatusCode error = LastFailureCode();
            if (error != win::ERROR_NO_MORE_ITEMS) {
                Trace(LOG_ERROR,
                      "CountPresentDevices: SetupDiEnumDeviceInfo failed for class %s, device "
                      "index %u, with error 0x%08X.\n",
                      text.c_str(), count, error);
                result = error;
            }
            break;
        }
        ++count;
    }
    if (!win::Current().SetupDiDestroyDeviceInfoList(set)) {
        Trace(LOG_ERROR,
              "CountPresentDevices: SetupDiDestroyDeviceInfoList failed with error 0x%08X.\n",
              LastFailureCode());
    }
    return result;
}
