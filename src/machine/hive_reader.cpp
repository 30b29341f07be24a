#include "machine/hive_reader.h"

#include <algorithm>
#include <utility>

#include "machine/ansi_code_page.h"

namespace machine {

namespace {

constexpr std::size_t kKeyFixedSize = 0x4C;
constexpr std::size_t kValueFixedSize = 0x14;
constexpr std::uint16_t kKeyCompressedName = 0x0020;
constexpr std::uint16_t kValueCompressedName = 0x0001;
constexpr std::uint32_t kDataInline = 0x80000000;
// A big data segment carries at most this much (its cell's last 4 bytes unused).
constexpr std::size_t kBigDataSegment = 16344;

bool IsText(win::DWORD type) {
    return type == win::REG_SZ || type == win::REG_EXPAND_SZ || type == win::REG_MULTI_SZ;
}

// Appends UTF-16 units (two bytes each, or one in a compressed name) in the
// ANSI code page: ASCII and the Latin-1 letters, which the code page shares,
// byte for byte; the rest through the code page's table.
template <typename Out>
void AppendAnsi(const std::uint8_t* bytes, std::size_t units, bool wide, Out& out) {
    out.reserve(out.size() + units);
    for (std::size_t i = 0; i < units; ++i) {
        const auto c =
            static_cast<char16_t>(wide ? bytes[2 * i] | bytes[2 * i + 1] << 8 : bytes[i]);
        const bool shared = c < 0x80 || (c >= 0xA0 && c <= 0xFF);
        out.push_back(static_cast<typename Out::value_type>(
            shared ? static_cast<char>(c) : WideToAnsi(std::u16string(1, c))[0]));
    }
}

// Compressed names hold one byte per UTF-16 unit (Latin-1).
std::string Name(const std::uint8_t* bytes, std::size_t size, bool compressed) {
    std::string name;
    AppendAnsi(bytes, compressed ? size : size / 2, !compressed, name);
    return name;
}

class Reader {
  public:
    Reader(HiveCells& cells, RegFileSink& sink, HiveFault& fault, std::size_t levels)
        : cells_(cells), sink_(sink), fault_(fault), levels_(levels) {}

    bool Key(std::uint32_t cell, std::size_t from, std::vector<std::string>& path,
             std::size_t depth) {
        const bool root = depth == 0;
        if (cells_.Taken(cell)) {
            fault_.offset = from;
            fault_.message = "a loop in the key tree: the key at " +
                             HexOffset(HiveCells::FileOffset(cell)) + " is reached again";
            return false;
        }
        HiveCell nk;
        if (!cells_.Take(cell, "a key reference", from, nk, fault_)) {
            return false;
        }
        fault_.offset = nk.fileOffset;
        if (nk.size < kKeyFixedSize || nk.data[0] != 'n' || nk.data[1] != 'k') {
            fault_.message = "expected a key cell (\"nk\") here";
            return false;
        }
        const std::size_t nameSize = ReadU16(nk.data + 0x48);
        if (nameSize > nk.size - kKeyFixedSize) {
            fault_.message = "the key's name runs beyond its cell";
            return false;
        }
        if (!root) {
            const bool compressed = (ReadU16(nk.data + 2) & kKeyCompressedName) != 0;
            std::string name = Name(nk.data + kKeyFixedSize, nameSize, compressed);
            if (name.size() > kMaxKeyNameLength) {
                fault_.message = "a key name longer than 255 characters";
                return false;
            }
            if (path.size() >= kMaxKeyDepth) {
                fault_.message = "keys nested deeper than the registry allows";
                return false;
            }
            path.push_back(std::move(name));
        }
        sink_.Key(path);
        if (depth < levels_ && (!Values(nk) || !Subkeys(nk, path, depth))) {
            return false;
        }
        if (!root) {
            path.pop_back();
        }
        return true;
    }

  private:
    bool Values(const HiveCell& nk) {
        const std::uint32_t count = ReadU32(nk.data + 0x24);
        if (count == 0) {
            return true;
        }
        HiveCell list;
        if (!cells_.Take(ReadU32(nk.data + 0x28), "the key's value list", nk.fileOffset, list,
                         fault_)) {
            return false;
        }
        if (count > list.size / 4) {
            fault_.offset = nk.fileOffset;
            fault_.message = "the key claims " + std::to_string(count) +
                             " values, its value list holds " + std::to_string(list.size / 4);
            return false;
        }
        for (std::uint32_t i = 0; i < count; ++i) {
            if (!Value(ReadU32(list.data + 4 * i), list.fileOffset)) {
                return false;
            }
        }
        return true;
    }

    bool Value(std::uint32_t cell, std::size_t from) {
        HiveCell vk;
        if (!cells_.Take(cell, "a value reference", from, vk, fault_)) {
            return false;
        }
        fault_.offset = vk.fileOffset;
        if (vk.size < kValueFixedSize || vk.data[0] != 'v' || vk.data[1] != 'k') {
            fault_.message = "expected a value cell (\"vk\") here";
            return false;
        }
        const std::size_t nameSize = ReadU16(vk.data + 2);
        if (nameSize > vk.size - kValueFixedSize) {
            fault_.message = "the value's name runs beyond its cell";
            return false;
        }
        const bool compressed = (ReadU16(vk.data + 0x10) & kValueCompressedName) != 0;
        const std::string name = Name(vk.data + kValueFixedSize, nameSize, compressed);
        RegValue value;
        value.type = ReadU32(vk.data + 0x0C);
        std::vector<std::uint8_t> gathered;
        const std::uint8_t* bytes = nullptr;
        std::size_t size = 0;
        if (!Data(vk, gathered, bytes, size)) {
            return false;
        }
        if (IsText(value.type)) {
            AppendAnsi(bytes, size / 2, true, value.data);
        } else {
            value.data.assign(bytes, bytes + size);
        }
        sink_.Value(name, std::move(value));
        return true;
    }

    // The value's data where it lies: in the value cell, in its data cell,
    // or gathered from big data segments.
    bool Data(const HiveCell& vk, std::vector<std::uint8_t>& gathered, const std::uint8_t*& bytes,
              std::size_t& size) {
        const std::uint32_t field = ReadU32(vk.data + 4);
        size = field & ~kDataInline;
        if ((field & kDataInline) != 0) {
            if (size > 4) {
                fault_.message = "the value claims " + std::to_string(size) +
                                 " bytes kept in its own cell, which holds 4";
                return false;
            }
            bytes = vk.data + 8;
            return true;
        }
        if (size == 0) {
            return true;
        }
        HiveCell cell;
        if (!cells_.Take(ReadU32(vk.data + 8), "the value's data", vk.fileOffset, cell, fault_)) {
            return false;
        }
        if (size <= cell.size) {
            bytes = cell.data;
            return true;
        }
        if (cell.size < 8 || cell.data[0] != 'd' || cell.data[1] != 'b') {
            fault_.offset = vk.fileOffset;
            fault_.message = "the value claims " + std::to_string(size) +
                             " bytes of data, its data cell holds " + std::to_string(cell.size);
            return false;
        }
        bytes = nullptr;
        if (!BigData(cell, size, vk.fileOffset, gathered)) {
            return false;
        }
        bytes = gathered.data();
        return true;
    }

    // Data over about 16 KB: a "db" cell listing the segments that hold it.
    bool BigData(const HiveCell& db, std::size_t size, std::size_t from,
                 std::vector<std::uint8_t>& data) {
        const std::size_t count = ReadU16(db.data + 2);
        HiveCell list;
        if (!cells_.Take(ReadU32(db.data + 4), "the big data segment list", db.fileOffset, list,
                         fault_)) {
            return false;
        }
        if (count > list.size / 4) {
            fault_.offset = db.fileOffset;
            fault_.message = "the big data cell claims " + std::to_string(count) +
                             " segments, its list holds " + std::to_string(list.size / 4);
            return false;
        }
        for (std::size_t i = 0; i < count && data.size() < size; ++i) {
            HiveCell segment;
            if (!cells_.Take(ReadU32(list.data + 4 * i), "a big data segment", list.fileOffset,
                             segment, fault_)) {
                return false;
            }
            std::size_t part = segment.size >= 4 ? segment.size - 4 : 0;
            part = std::min({part, kBigDataSegment, size - data.size()});
            data.insert(data.end(), segment.data, segment.data + part);
        }
        if (data.size() != size) {
            fault_.offset = from;
            fault_.message = "the value claims " + std::to_string(size) +
                             " bytes of data, its big data segments hold " +
                             std::to_string(data.size());
            return false;
        }
        return true;
    }

    bool Subkeys(const HiveCell& nk, std::vector<std::string>& path, std::size_t depth) {
        const std::uint32_t count = ReadU32(nk.data + 0x14);
        if (count == 0) {
            return true;
        }
        std::vector<std::pair<std::uint32_t, std::size_t>> keys;
        if (!Index(ReadU32(nk.data + 0x1C), nk.fileOffset, count, keys, true)) {
            return false;
        }
        if (keys.size() != count) {
            fault_.offset = nk.fileOffset;
            fault_.message = "the key claims " + std::to_string(count) +
                             " subkeys, its index lists " + std::to_string(keys.size());
            return false;
        }
        for (const auto& [cell, from] : keys) {
            if (!Key(cell, from, path, depth + 1)) {
                return false;
            }
        }
        return true;
    }

    // The subkeys an index lists: lf and lh (offset and hint), li (offsets)
    // or ri (a list of such indexes, one level deep).
    bool Index(std::uint32_t cell, std::size_t from, std::uint32_t claimed,
               std::vector<std::pair<std::uint32_t, std::size_t>>& keys, bool top) {
        HiveCell index;
        if (!cells_.Take(cell, "a subkey index", from, index, fault_)) {
            return false;
        }
        fault_.offset = index.fileOffset;
        if (index.size < 4) {
            fault_.message = "expected a subkey index here";
            return false;
        }
        const char a = static_cast<char>(index.data[0]);
        const char b = static_cast<char>(index.data[1]);
        const std::size_t count = ReadU16(index.data + 2);
        const std::size_t stride = a == 'l' && (b == 'f' || b == 'h') ? 8 : 4;
        const bool known =
            (a == 'l' && (b == 'f' || b == 'h' || b == 'i')) || (a == 'r' && b == 'i');
        if (!known || (a == 'r' && !top)) {
            fault_.message = a == 'r' && b == 'i' ? "an ri index inside an ri index"
                                                  : "expected a subkey index (lf, lh, li, ri) here";
            return false;
        }
        if (count > (index.size - 4) / stride) {
            fault_.message = "the subkey index claims " + std::to_string(count) +
                             " entries, its cell holds " +
                             std::to_string((index.size - 4) / stride);
            return false;
        }
        for (std::size_t i = 0; i < count; ++i) {
            const std::uint32_t entry = ReadU32(index.data + 4 + i * stride);
            if (a == 'r') {
                if (!Index(entry, index.fileOffset, claimed, keys, false)) {
                    return false;
                }
            } else {
                keys.emplace_back(entry, index.fileOffset);
            }
            if (keys.size() > claimed) {
                fault_.offset = index.fileOffset;
                fault_.message = "the subkey index lists more keys than the key claims";
                return false;
            }
        }
        return true;
    }

    HiveCells& cells_;
    RegFileSink& sink_;
    HiveFault& fault_;
    std::size_t levels_;
};

}  // namespace

bool ReadHive(const std::uint8_t* data, std::size_t size, const std::vector<std::string>& mount,
              RegFileSink& sink, HiveReadResult& result, std::size_t levels) {
    HiveCells cells;
    result = HiveReadResult{};
    return cells.Open(data, size, result.fault) && ReadHive(cells, mount, sink, result, levels);
}

bool ReadHive(HiveCells& cells, const std::vector<std::string>& mount, RegFileSink& sink,
              HiveReadResult& result, std::size_t levels) {
    result = HiveReadResult{};
    cells.ForgetTaken();
    Reader reader(cells, sink, result.fault, levels);
    result.sequence1 = cells.Sequence1();
    result.sequence2 = cells.Sequence2();
    result.sequenceNumbersDiffer = result.sequence1 != result.sequence2;
    std::vector<std::string> path = mount;
    return reader.Key(cells.RootCell(), 0x24, path, 0);
}

std::string HiveFaultText(const std::string& file, const HiveFault& fault) {
    return file + ": offset " + HexOffset(fault.offset) + ": " + fault.message;
}

}  // namespace machine
