#include "cli/class_arguments.h"

#include <optional>

#include "devices/setup_class_list.h"
#include "devices/guid_util.h"
#include "text/print_format.h"

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
const InstalledClass* FindByName(const SetupClassList& list, const std::string& name) {
    for (const InstalledClass& entry : list.Classes()) {
        if (entry.named && SetupClassList::CompareNames(entry.name, name) == 0) {
            return &entry;
        }
    }
    return nullptr;
}

// The names in the list's order, joined by ", ".
std::string NameList(const SetupClassList& list) {
    std::string text;
    for (const InstalledClass& entry : list.Classes()) {
        if (entry.named) {
            text += (text.empty() ? "" : ", ") + entry.name;
        }
    }
    return text;
}

bool ParseClassGuid(const std::string& text, win::GUID& guid) {
    const std::string braced = text.size() == 36 ? "{" + text + "}" : text;
    return braced.size() == 38 && GuidFromString(guid, braced.c_str()) == 0;
}

}  // namespace

bool ResolveClassArguments(const std::vector<std::string>& args, std::vector<win::GUID>& guids,
                           std::string& error) {
    guids.clear();
    // Listed once, and only when a name is to be looked up or refused.
    std::optional<SetupClassList> installed;
    StatusCode listed = 0;
    const auto list = [&]() -> const SetupClassList& {
        if (!installed) {
            installed.emplace();
            listed = installed->Load();
            installed->SortByName();
        }
        return *installed;
    };
    // The installed names close every refusal, so the user sees the choice.
    const auto refuse = [&](const std::string& why) {
        const std::string names = NameList(list());
        char code[16];
        FormatPrint(code, sizeof code, "0x%08X", static_cast<unsigned>(listed));
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
        const InstalledClass* found = FindByName(list(), arg);
        if (found == nullptr) {
            return refuse("'" + arg + "': no installed setup class has this name");
        }
        guids.push_back(found->guid);
    }
    return true;
}
