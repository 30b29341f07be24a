#include "support/hivex_hive.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "machine/ansi_code_page.h"

#if defined(MVSI_HAVE_HIVEX)
#include <hivex.h>
#endif

namespace {

std::string Hex(const std::string& bytes) {
    std::string text;
    char pair[4];
    for (const char c : bytes) {
        std::snprintf(pair, sizeof pair, "%02x", static_cast<unsigned char>(c));
        text += pair;
    }
    return text;
}

void Line(std::string& listing, const std::string& path, const std::string& name, unsigned type,
          const std::string& data) {
    listing += "V " + path + " \"" + name + "\" " + std::to_string(type) + " " + Hex(data) + "\n";
}

}  // namespace

std::string TreeListing(const machine::RegKey& root) {
    std::string listing;
    std::vector<std::pair<const machine::RegKey*, std::string>> stack = {{&root, ""}};
    while (!stack.empty()) {
        const auto [key, path] = stack.back();
        stack.pop_back();
        listing += "K " + path + "\n";
        for (const auto& [name, value] : key->Values()) {
            Line(listing, path, name, value.type,
                 std::string(value.data.begin(), value.data.end()));
        }
        const std::vector<const machine::RegKey*> subkeys = key->Subkeys();
        for (auto it = subkeys.rbegin(); it != subkeys.rend(); ++it) {
            stack.emplace_back(*it, path + "\\" + (*it)->Name());
        }
    }
    return listing;
}

#if defined(MVSI_HAVE_HIVEX)
namespace {

bool IsText(unsigned type) {
    return type == 1 || type == 2 || type == 7;
}

std::string Utf8(const std::string& ansi) {
    std::string out;
    for (const char16_t c : machine::AnsiToWide(ansi)) {
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | c >> 6));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xE0 | c >> 12));
            out.push_back(static_cast<char>(0x80 | (c >> 6 & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

std::string Ansi(const char* utf8) {
    std::u16string wide;
    for (const auto* p = reinterpret_cast<const unsigned char*>(utf8); *p != 0;) {
        if (*p < 0x80) {
            wide.push_back(*p++);
        } else if ((*p & 0xE0) == 0xC0 && p[1] != 0) {
            wide.push_back(static_cast<char16_t>((p[0] & 0x1F) << 6 | (p[1] & 0x3F)));
            p += 2;
        } else if (p[1] != 0 && p[2] != 0) {
            wide.push_back(
                static_cast<char16_t>((p[0] & 0x0F) << 12 | (p[1] & 0x3F) << 6 | (p[2] & 0x3F)));
            p += 3;
        } else {
            break;
        }
    }
    return machine::WideToAnsi(wide);
}

std::string StoredData(const machine::RegValue& value) {
    std::string data(value.data.begin(), value.data.end());
    if (!IsText(value.type)) {
        return data;
    }
    std::string utf16;
    for (const char16_t c : machine::AnsiToWide(data)) {
        utf16.push_back(static_cast<char>(c & 0xFF));
        utf16.push_back(static_cast<char>(c >> 8));
    }
    return utf16;
}

bool Fill(hive_h* h, hive_node_h node, const machine::RegKey& key, std::string& error) {
    std::vector<std::string> names;
    std::vector<std::string> data;
    for (const auto& [name, value] : key.Values()) {
        names.push_back(Utf8(name));
        data.push_back(StoredData(value));
    }
    std::vector<hive_set_value> values;
    std::size_t i = 0;
    for (const auto& [name, value] : key.Values()) {
        values.push_back(
            {names[i].data(), static_cast<hive_type>(value.type), data[i].size(), data[i].data()});
        ++i;
    }
    if (!values.empty() && hivex_node_set_values(h, node, values.size(), values.data(), 0) != 0) {
        error = "hivex_node_set_values failed for " + key.Name();
        return false;
    }
    for (const machine::RegKey* subkey : key.Subkeys()) {
        const hive_node_h child = hivex_node_add_child(h, node, Utf8(subkey->Name()).c_str());
        if (child == 0) {
            error = "hivex_node_add_child failed for " + subkey->Name();
            return false;
        }
        if (!Fill(h, child, *subkey, error)) {
            return false;
        }
    }
    return true;
}

void List(hive_h* h, hive_node_h node, const std::string& path, std::string& listing) {
    listing += "K " + path + "\n";
    hive_value_h* values = hivex_node_values(h, node);
    for (std::size_t i = 0; values != nullptr && values[i] != 0; ++i) {
        char* name = hivex_value_key(h, values[i]);
        hive_type type{};
        std::size_t size = 0;
        char* bytes = hivex_value_value(h, values[i], &type, &size);
        std::string data = bytes != nullptr ? std::string(bytes, size) : std::string("<unread>");
        if (IsText(type)) {
            std::u16string wide;
            for (std::size_t at = 0; at + 1 < data.size(); at += 2) {
                wide.push_back(
                    static_cast<char16_t>(static_cast<unsigned char>(data[at]) |
                                          static_cast<unsigned char>(data[at + 1]) << 8));
            }
            data = machine::WideToAnsi(wide);
        }
        Line(listing, path, name != nullptr ? Ansi(name) : "<unnamed>", type, data);
        std::free(bytes);
        std::free(name);
    }
    std::free(values);
    hive_node_h* children = hivex_node_children(h, node);
    for (std::size_t i = 0; children != nullptr && children[i] != 0; ++i) {
        char* name = hivex_node_name(h, children[i]);
        List(h, children[i], path + "\\" + (name != nullptr ? Ansi(name) : "<unnamed>"), listing);
        std::free(name);
    }
    std::free(children);
}

}  // namespace

bool FillHiveWithHivex(const std::string& path, const machine::RegKey& root, std::string& error) {
    hive_h* h = hivex_open(path.c_str(), HIVEX_OPEN_WRITE);
    if (h == nullptr) {
        error = "hivex cannot open " + path + " for writing";
        return false;
    }
    bool ok = Fill(h, hivex_root(h), root, error);
    if (ok && hivex_commit(h, nullptr, 0) != 0) {
        error = "hivex cannot write " + path;
        ok = false;
    }
    hivex_close(h);
    return ok;
}

bool HivexListing(const std::string& path, std::string& listing, std::string& error) {
    hive_h* h = hivex_open(path.c_str(), 0);
    if (h == nullptr) {
        error = "hivex cannot open " + path;
        return false;
    }
    listing.clear();
    List(h, hivex_root(h), "", listing);
    hivex_close(h);
    return true;
}
#else
bool FillHiveWithHivex(const std::string&, const machine::RegKey&, std::string& error) {
    error = "built without hivex";
    return false;
}

bool HivexListing(const std::string&, std::string&, std::string& error) {
    error = "built without hivex";
    return false;
}
#endif
