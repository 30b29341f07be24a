#include "cli/class_arguments.h"

#include <cstdio>
#include <optional>

#include "devices/setup_class_list.h"
#include "devices/guid_util.h"

namespace {

// What can only be meant as a GUID: a brace, or the 36 characters of the
// unbraced form with its dashes in place. Everything else is a name.
bool LooksLikeGuid(const std::string& text) {
    if (!text.empty() && (text.front() == '{' || text.back() == '}')) {
        return true;
    }
    return text.size() == 36 && text[8] == '-' && text[13] == '-' && text[18] == '-' &&
           text[23] == '-';
}

// Through the system's own GUID parser, which takes either case.
bool ParseClassGuid(const std::string& text, win::GUID& guid) {
    const std::string braced = text.size() == 36 ? "{" + text + "}" : text;
    return braced.size() == 38 && GuidFromString(guid, braced.c_str()) == 0;
}

}  // namespace

bool ResolveClassArguments(const std::vector<std::string>& args, std::vector<win::GUID>& guids,
                           std::string& error) {
    guids.clear();
    std::optional<SetupClassList> installed;
    StatusCode listed = 0;
    // The installed names close every refusal, so the user sees the choice.
    const auto refuse = [&](const std::string& why) {
        if (!installed) {
            installed.emplace();
            listed = installed->Load();
        }
        char code[16];
        std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(listed));
        const std::string names = installed->NameList();
        error = "--class " + why +
                (listed != 0 ? std::string("; the installed classes could not be listed (error ") +
                                   code + ")"
                 : names.empty() ? std::string("; no setup class is installed")
                                 : "; installed classes: " + names);
        return false;
    };
    for (const std::string& arg : args) {
        win::GUID guid{};
        if (LooksLikeGuid(arg)) {
            if (!ParseClassGuid(arg, guid)) {
                return refuse("'" + arg + "': not a setup class GUID");
            }
            guids.push_back(guid);
            continue;
        }
        if (!installed) {
            installed.emplace();
            listed = installed->Load();
        }
        const InstalledClass* found = listed == 0 ? installed->FindByName(arg) : nullptr;
        if (found == nullptr) {
            return refuse("'" + arg + "': no installed setup class has this name");
        }
        guids.push_back(found->guid);
    }
    return true;
}
