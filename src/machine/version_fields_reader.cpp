#include "machine/version_fields_reader.h"

#include "text/hex_digit.h"

namespace machine {

namespace {

bool ReadVersionNumber(DescriptionReader& reader, const JsonValue& value, const std::string& path,
                       win::WORD (&out)[4]) {
    const char* expected = "expected a version \"a.b.c.d\" with parts from 0 to 65535";
    if (!value.IsString()) {
        return reader.Fail(path, expected);
    }
    const std::string& text = value.AsString();
    std::size_t part = 0;
    std::uint32_t current = 0;
    std::size_t digits = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == '.') {
            if (digits == 0 || part >= 4) {
                return reader.Fail(path, expected);
            }
            out[part++] = static_cast<win::WORD>(current);
            current = 0;
            digits = 0;
        } else if (text[i] >= '0' && text[i] <= '9' && digits < 5) {
            current = current * 10 + static_cast<std::uint32_t>(text[i] - '0');
            ++digits;
            if (current > 0xFFFF) {
                return reader.Fail(path, expected);
            }
        } else {
            return reader.Fail(path, expected);
        }
    }
    if (part != 4) {
        return reader.Fail(path, expected);
    }
    return true;
}

bool ReadTranslation(DescriptionReader& reader, const JsonValue& value, const std::string& path,
                     win::DWORD& out) {
    if (value.IsNumber()) {
        return reader.ReadInteger(value, path, out);
    }
    // "040904b0": language, then code page, as in the string block's name.
    const char* expected =
        "expected a translation as 8 hexadecimal digits (\"040904b0\") or a number";
    if (!value.IsString() || value.AsString().size() != 8) {
        return reader.Fail(path, expected);
    }
    std::uint64_t digits = 0;
    if (!ParseHexDigits(value.AsString(), digits)) {
        return reader.Fail(path, expected);
    }
    out = static_cast<std::uint32_t>((digits >> 16) | ((digits & 0xFFFF) << 16));
    return true;
}

}  // namespace

bool ReadVersionFields(DescriptionReader& reader, const JsonValue& value, const std::string& path,
                       VersionFields& version) {
    if (!reader.CheckMembers(value, path,
                             {"fileVersion", "productVersion", "translations", "strings",
                              "hasFixedInfo", "hasTranslationValue"})) {
        return false;
    }
    if (const JsonValue* v = value.Find("fileVersion");
        v != nullptr &&
        !ReadVersionNumber(reader, *v, Member(path, "fileVersion"), version.fileVersion)) {
        return false;
    }
    if (const JsonValue* v = value.Find("productVersion");
        v != nullptr &&
        !ReadVersionNumber(reader, *v, Member(path, "productVersion"), version.productVersion)) {
        return false;
    }
    if (const JsonValue* v = value.Find("translations")) {
        const std::string at = Member(path, "translations");
        if (!v->IsArray()) {
            return reader.Fail(at, "expected an array of translations");
        }
        for (std::size_t i = 0; i < v->Items().size(); ++i) {
            win::DWORD entry = 0;
            if (!ReadTranslation(reader, v->Items()[i], Index(at, i), entry)) {
                return false;
            }
            version.translations.push_back(entry);
        }
    }
    if (const JsonValue* v = value.Find("strings")) {
        const std::string at = Member(path, "strings");
        if (!v->IsObject()) {
            return reader.Fail(at,
                               "expected an object of string tables by translation (\"040904b0\")");
        }
        for (const JsonValue::Member& table : v->Members()) {
            const std::string tableAt = Member(at, table.first);
            if (!table.second.IsObject()) {
                return reader.Fail(tableAt, "expected an object of version strings by name");
            }
            auto& strings = version.strings[table.first];
            for (const JsonValue::Member& entry : table.second.Members()) {
                std::string text;
                if (!reader.ReadNarrow(entry.second, Member(tableAt, entry.first), text)) {
                    return false;
                }
                strings[entry.first] = text;
            }
        }
    }
    if (const JsonValue* v = value.Find("hasFixedInfo");
        v != nullptr && !reader.ReadBool(*v, Member(path, "hasFixedInfo"), version.hasFixedInfo)) {
        return false;
    }
    if (const JsonValue* v = value.Find("hasTranslationValue");
        v != nullptr &&
        !reader.ReadBool(*v, Member(path, "hasTranslationValue"), version.hasTranslationValue)) {
        return false;
    }
    return true;
}

}  // namespace machine
