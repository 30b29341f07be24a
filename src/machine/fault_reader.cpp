#include "machine/fault_reader.h"

namespace machine {

bool ReadFault(DescriptionReader& reader, const JsonValue& value, const std::string& path,
               Fault& fault) {
    if (!reader.CheckMembers(value, path, {"function", "argument", "callNumber", "error"})) {
        return false;
    }
    const JsonValue* function = value.Find("function");
    if (function == nullptr) {
        return reader.Fail(Member(path, "function"), "missing (the name of the function to fail)");
    }
    if (!reader.ReadNarrow(*function, Member(path, "function"), fault.function)) {
        return false;
    }
    if (const JsonValue* v = value.Find("argument")) {
        std::string text;
        if (!reader.ReadNarrow(*v, Member(path, "argument"), text)) {
            return false;
        }
        fault.argument = text;
    }
    if (const JsonValue* v = value.Find("callNumber")) {
        std::uint32_t call = 0;
        if (!reader.ReadInteger(*v, Member(path, "callNumber"), call)) {
            return false;
        }
        if (call == 0) {
            return reader.Fail(Member(path, "callNumber"),
                               "expected a call number from 1 (the first call)");
        }
        fault.callNumber = call;
    }
    if (const JsonValue* v = value.Find("error");
        v != nullptr && !reader.ReadInteger(*v, Member(path, "error"), fault.error)) {
        return false;
    }
    return true;
}

}  // namespace machine
