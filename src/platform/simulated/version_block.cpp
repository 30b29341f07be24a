#include "platform/simulated/version_block.h"

#include <cstring>
#include <string>

#include "machine/ansi_code_page.h"

namespace sim {

namespace {

constexpr win::WORD kBinary = 0;
constexpr win::WORD kText = 1;
constexpr std::size_t kHeaderSize = 6;

std::size_t Align4(std::size_t offset) {
    return (offset + 3) & ~std::size_t{3};
}

void Pad4(std::vector<std::uint8_t>& out) {
    out.resize(Align4(out.size()), 0);
}

void PutWord(std::vector<std::uint8_t>& out, std::size_t at, win::WORD value) {
    out[at] = static_cast<std::uint8_t>(value & 0xFF);
    out[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

void AppendWord(std::vector<std::uint8_t>& out, win::WORD value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void AppendDword(std::vector<std::uint8_t>& out, win::DWORD value) {
    AppendWord(out, static_cast<win::WORD>(value & 0xFFFF));
    AppendWord(out, static_cast<win::WORD>(value >> 16));
}

void AppendWide(std::vector<std::uint8_t>& out, const std::u16string& text) {
    for (const char16_t c : text) {
        AppendWord(out, static_cast<win::WORD>(c));
    }
    AppendWord(out, 0);
}

// Writes a node's header, key and value at the (aligned) end of `out`;
// `children` then append, and `CloseNode` fills in the length.
std::size_t OpenNode(std::vector<std::uint8_t>& out, const char* key, win::WORD type,
                     const std::vector<std::uint8_t>& value, win::WORD valueLength) {
    Pad4(out);
    const std::size_t start = out.size();
    AppendWord(out, 0);
    AppendWord(out, valueLength);
    AppendWord(out, type);
    AppendWide(out, machine::AnsiToWide(key));
    Pad4(out);
    out.insert(out.end(), value.begin(), value.end());
    return start;
}

void CloseNode(std::vector<std::uint8_t>& out, std::size_t start) {
    PutWord(out, start, static_cast<win::WORD>(out.size() - start));
}

std::vector<std::uint8_t> FixedInfo(const machine::VersionFields& fields) {
    std::vector<std::uint8_t> fixed;
    const auto join = [](win::WORD high, win::WORD low) {
        return static_cast<win::DWORD>(high) << 16 | low;
    };
    AppendDword(fixed, kFixedFileInfoSignature);
    AppendDword(fixed, 0x00010000);  // structure version 1.0
    AppendDword(fixed, join(fields.fileVersion[0], fields.fileVersion[1]));
    AppendDword(fixed, join(fields.fileVersion[2], fields.fileVersion[3]));
    AppendDword(fixed, join(fields.productVersion[0], fields.productVersion[1]));
    AppendDword(fixed, join(fields.productVersion[2], fields.productVersion[3]));
    AppendDword(fixed, 0x3F);     // flags mask
    AppendDword(fixed, 0);        // flags
    AppendDword(fixed, 0x40004);  // VOS_NT_WINDOWS32
    AppendDword(fixed, 3);        // VFT_DRV
    AppendDword(fixed, 7);        // VFT2_DRV_SYSTEM
    AppendDword(fixed, 0);
    AppendDword(fixed, 0);
    return fixed;
}

win::WORD ReadWord(const std::uint8_t* p) {
    return static_cast<win::WORD>(p[0] | p[1] << 8);
}

struct Node {
    std::size_t start = 0;
    std::size_t end = 0;  // start + wLength
    std::size_t keyStart = 0;
    std::size_t keyChars = 0;
    std::size_t valueStart = 0;
    std::size_t valueBytes = 0;
    std::size_t childrenStart = 0;
    bool isText = false;
};

// Reads the node at `start`, which must lie within [start, limit).
bool ReadNode(const std::uint8_t* block, std::size_t start, std::size_t limit, Node& node) {
    if (start > limit || limit - start < kHeaderSize) {
        return false;
    }
    const std::size_t length = ReadWord(block + start);
    if (length < kHeaderSize || length > limit - start) {
        return false;
    }
    node.start = start;
    node.end = start + length;
    const win::WORD valueLength = ReadWord(block + start + 2);
    const win::WORD type = ReadWord(block + start + 4);
    node.isText = type == kText;
    node.keyStart = start + kHeaderSize;
    std::size_t at = node.keyStart;
    while (true) {
        if (node.end - at < 2) {
            return false;  // key without terminator
        }
        if (ReadWord(block + at) == 0) {
            break;
        }
        at += 2;
    }
    node.keyChars = (at - node.keyStart) / 2;
    node.valueStart = Align4(at + 2);
    if (node.valueStart > node.end) {
        node.valueStart = node.end;
    }
    const std::size_t room = node.end - node.valueStart;
    std::size_t bytes = node.isText ? std::size_t{valueLength} * 2 : std::size_t{valueLength};
    if (bytes > room) {
        if (!node.isText) {
            return false;
        }
        // Text lengths are often stored wrongly: keep what the node holds.
        bytes = room & ~std::size_t{1};
    }
    node.valueBytes = bytes;
    node.childrenStart = Align4(node.valueStart + bytes);
    return true;
}

char16_t Fold(char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

bool KeyEquals(const std::uint8_t* block, const Node& node, const std::u16string& name) {
    if (node.keyChars != name.size()) {
        return false;
    }
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto c = static_cast<char16_t>(ReadWord(block + node.keyStart + 2 * i));
        if (Fold(c) != Fold(name[i])) {
            return false;
        }
    }
    return true;
}

bool FindChild(const std::uint8_t* block, const Node& parent, const std::u16string& name,
               Node& child) {
    std::size_t at = parent.childrenStart;
    while (at < parent.end) {
        Node candidate;
        if (!ReadNode(block, at, parent.end, candidate)) {
            return false;
        }
        if (KeyEquals(block, candidate, name)) {
            child = candidate;
            return true;
        }
        at = Align4(candidate.end);
    }
    return false;
}

}  // namespace

std::vector<std::uint8_t> BuildVersionBlock(const machine::VersionFields& fields) {
    std::vector<std::uint8_t> out;
    const std::vector<std::uint8_t> fixed =
        fields.hasFixedInfo ? FixedInfo(fields) : std::vector<std::uint8_t>();
    const std::size_t root =
        OpenNode(out, "VS_VERSION_INFO", kBinary, fixed, static_cast<win::WORD>(fixed.size()));
    if (!fields.strings.empty()) {
        const std::size_t stringFileInfo = OpenNode(out, "StringFileInfo", kText, {}, 0);
        for (const auto& [tableKey, table] : fields.strings) {
            const std::size_t tableNode = OpenNode(out, tableKey.c_str(), kText, {}, 0);
            for (const auto& [name, text] : table) {
                std::vector<std::uint8_t> value;
                const std::u16string wide = machine::AnsiToWide(text);
                AppendWide(value, wide);
                const std::size_t stringNode = OpenNode(out, name.c_str(), kText, value,
                                                        static_cast<win::WORD>(wide.size() + 1));
                CloseNode(out, stringNode);
            }
            CloseNode(out, tableNode);
        }
        CloseNode(out, stringFileInfo);
    }
    if (fields.hasTranslationValue) {
        const std::size_t varFileInfo = OpenNode(out, "VarFileInfo", kText, {}, 0);
        std::vector<std::uint8_t> value;
        for (const win::DWORD entry : fields.translations) {
            AppendDword(value, entry);
        }
        const std::size_t var =
            OpenNode(out, "Translation", kBinary, value, static_cast<win::WORD>(value.size()));
        CloseNode(out, var);
        CloseNode(out, varFileInfo);
    }
    CloseNode(out, root);
    return out;
}

bool FindVersionValue(const std::uint8_t* block, std::size_t size, const char* subBlock,
                      VersionValue& value) {
    value = VersionValue{};
    if (block == nullptr || subBlock == nullptr) {
        return false;
    }
    Node node;
    if (!ReadNode(block, 0, size, node)) {
        return false;
    }
    bool isRoot = true;
    const char* at = subBlock;
    while (*at != '\0') {
        if (*at == '\\') {
            ++at;
            continue;
        }
        const char* end = std::strchr(at, '\\');
        const std::size_t length =
            end != nullptr ? static_cast<std::size_t>(end - at) : std::strlen(at);
        Node child;
        if (!FindChild(block, node, machine::AnsiToWide(std::string(at, length)), child)) {
            return false;
        }
        node = child;
        isRoot = false;
        at += length;
    }
    value.offset = node.valueStart;
    value.bytes = node.valueBytes;
    value.isText = node.isText;
    value.isRoot = isRoot;
    return true;
}

}  // namespace sim
