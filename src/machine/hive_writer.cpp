#include "machine/hive_writer.h"

#include <algorithm>
#include <vector>

#include "machine/hive_cells.h"
#include "machine/ansi_code_page.h"

namespace machine {

namespace {

constexpr std::size_t kBin = 0x1000;
constexpr std::size_t kBinHeader = 0x20;
constexpr std::size_t kSegment = 16344;

void Put16(std::string& bytes, std::size_t at, std::uint32_t value) {
    bytes[at] = static_cast<char>(value & 0xFF);
    bytes[at + 1] = static_cast<char>(value >> 8 & 0xFF);
}

void Put32(std::string& bytes, std::size_t at, std::uint32_t value) {
    Put16(bytes, at, value & 0xFFFF);
    Put16(bytes, at + 2, value >> 16);
}

std::string Utf16(const std::u16string& wide) {
    std::string bytes;
    for (const char16_t c : wide) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
    }
    return bytes;
}

std::string Upper(std::string text) {
    for (char& c : text) {
        c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    }
    return text;
}

class Writer {
  public:
    explicit Writer(const HiveWriteOptions& options) : options_(options) {}

    // A cell of at least `payload` bytes after its size field; its offset.
    std::uint32_t Alloc(std::size_t payload) {
        const std::size_t size = (payload + 4 + 7) / 8 * 8;
        if (bins_.empty() || binUsed_ + size > binSize_) {
            CloseBin();
            binStart_ = bins_.size();
            binSize_ = (size + kBinHeader + kBin - 1) / kBin * kBin;
            binUsed_ = kBinHeader;
            bins_.append(kBinHeader, '\0');
            bins_.replace(binStart_, 4, "hbin");
            Put32(bins_, binStart_ + 4, static_cast<std::uint32_t>(binStart_));
            Put32(bins_, binStart_ + 8, static_cast<std::uint32_t>(binSize_));
        }
        const auto cell = static_cast<std::uint32_t>(bins_.size());
        bins_.append(size, '\0');
        Put32(bins_, cell, static_cast<std::uint32_t>(-static_cast<std::int32_t>(size)));
        binUsed_ += size;
        return cell;
    }

    // A field of cell `cell`'s content.
    std::size_t At(std::uint32_t cell, std::size_t field) const { return cell + 4 + field; }

    std::string& Bytes() { return bins_; }

    std::uint32_t Security() {
        // A self-relative descriptor without owner, group or lists.
        const std::uint32_t sk = Alloc(0x14 + 20);
        bins_.replace(At(sk, 0), 2, "sk");
        Put32(bins_, At(sk, 4), sk);
        Put32(bins_, At(sk, 8), sk);
        Put32(bins_, At(sk, 0x10), 20);
        bins_[At(sk, 0x14)] = 1;
        Put16(bins_, At(sk, 0x16), 0x8004);
        return sk;
    }

    std::uint32_t Key(const RegKey& key, std::uint32_t parent, std::uint32_t sk, bool root) {
        bool compressed = false;
        const std::string name = root ? std::string("ROOT") : Encode(key.Name(), compressed);
        const std::uint32_t nk = Alloc(0x4C + name.size());
        bins_.replace(At(nk, 0), 2, "nk");
        Put16(bins_, At(nk, 2), (compressed || root ? 0x20 : 0) | (root ? 0x0C : 0));
        Put32(bins_, At(nk, 0x10), parent);
        Put32(bins_, At(nk, 0x20), kNoCell);
        Put32(bins_, At(nk, 0x2C), sk);
        Put32(bins_, At(nk, 0x30), kNoCell);
        Put16(bins_, At(nk, 0x48), static_cast<std::uint32_t>(name.size()));
        bins_.replace(At(nk, 0x4C), name.size(), name);
        ++keys_;

        std::vector<std::uint32_t> values;
        for (const auto& [valueName, value] : key.Values()) {
            values.push_back(Value(valueName, value));
        }
        Put32(bins_, At(nk, 0x24), static_cast<std::uint32_t>(values.size()));
        Put32(bins_, At(nk, 0x28), values.empty() ? kNoCell : List(values));

        std::vector<const RegKey*> subkeys = key.Subkeys();
        std::stable_sort(subkeys.begin(), subkeys.end(), [](const RegKey* a, const RegKey* b) {
            return Upper(a->Name()) < Upper(b->Name());
        });
        std::vector<std::pair<std::uint32_t, std::string>> children;
        for (const RegKey* subkey : subkeys) {
            children.emplace_back(Key(*subkey, nk, sk, false), Upper(subkey->Name()));
        }
        Put32(bins_, At(nk, 0x14), static_cast<std::uint32_t>(children.size()));
        Put32(bins_, At(nk, 0x1C), children.empty() ? kNoCell : Index(children));
        return nk;
    }

    void Finish(std::uint32_t sk) {
        CloseBin();
        Put32(bins_, At(sk, 0x0C), keys_);
    }

  private:
    void CloseBin() {
        if (bins_.empty()) {
            return;
        }
        const std::size_t rest = binStart_ + binSize_ - bins_.size();
        if (rest > 0) {
            const std::size_t at = bins_.size();
            bins_.append(rest, '\0');
            Put32(bins_, at, static_cast<std::uint32_t>(rest));
        }
    }

    std::string Encode(const std::string& name, bool& compressed) const {
        const std::u16string wide = AnsiToWide(name);
        compressed = options_.compressedNames &&
                     std::all_of(wide.begin(), wide.end(), [](char16_t c) { return c < 0x100; });
        return compressed ? std::string(wide.begin(), wide.end()) : Utf16(wide);
    }

    std::uint32_t List(const std::vector<std::uint32_t>& cells) {
        const std::uint32_t list = Alloc(4 * cells.size());
        for (std::size_t i = 0; i < cells.size(); ++i) {
            Put32(bins_, At(list, 4 * i), cells[i]);
        }
        return list;
    }

    std::uint32_t Value(const std::string& name, const RegValue& value) {
        bool compressed = false;
        const std::string encoded = Encode(name, compressed);
        const bool text = value.type == win::REG_SZ || value.type == win::REG_EXPAND_SZ ||
                          value.type == win::REG_MULTI_SZ;
        const std::string data =
            text ? Utf16(AnsiToWide(std::string(value.data.begin(), value.data.end())))
                 : std::string(value.data.begin(), value.data.end());
        const std::uint32_t vk = Alloc(0x14 + encoded.size());
        bins_.replace(At(vk, 0), 2, "vk");
        Put16(bins_, At(vk, 2), static_cast<std::uint32_t>(encoded.size()));
        Put32(bins_, At(vk, 0x0C), value.type);
        Put16(bins_, At(vk, 0x10), compressed ? 1 : 0);
        bins_.replace(At(vk, 0x14), encoded.size(), encoded);
        const auto size = static_cast<std::uint32_t>(data.size());
        if (data.size() <= 4) {
            Put32(bins_, At(vk, 4), size | 0x80000000);
            bins_.replace(At(vk, 8), data.size(), data);
            return vk;
        }
        Put32(bins_, At(vk, 4), size);
        std::uint32_t cell = 0;
        if (data.size() > options_.bigDataOver) {
            std::vector<std::uint32_t> segments;
            for (std::size_t at = 0; at < data.size(); at += kSegment) {
                const std::string part = data.substr(at, kSegment);
                segments.push_back(Alloc(part.size() + 4));
                bins_.replace(At(segments.back(), 0), part.size(), part);
            }
            const std::uint32_t list = List(segments);
            cell = Alloc(8);
            bins_.replace(At(cell, 0), 2, "db");
            Put16(bins_, At(cell, 2), static_cast<std::uint32_t>(segments.size()));
            Put32(bins_, At(cell, 4), list);
        } else {
            cell = Alloc(data.size());
            bins_.replace(At(cell, 0), data.size(), data);
        }
        Put32(bins_, At(vk, 8), cell);
        return vk;
    }

    std::uint32_t Leaf(const std::vector<std::pair<std::uint32_t, std::string>>& keys,
                       std::size_t from, std::size_t count, HiveIndexKind kind) {
        const bool hinted = kind == HiveIndexKind::Lf || kind == HiveIndexKind::Lh;
        const std::size_t stride = hinted ? 8 : 4;
        const std::uint32_t index = Alloc(4 + stride * count);
        bins_.replace(At(index, 0), 2,
                      kind == HiveIndexKind::Lf   ? "lf"
                      : kind == HiveIndexKind::Lh ? "lh"
                                                  : "li");
        Put16(bins_, At(index, 2), static_cast<std::uint32_t>(count));
        for (std::size_t i = 0; i < count; ++i) {
            const auto& [cell, name] = keys[from + i];
            Put32(bins_, At(index, 4 + stride * i), cell);
            if (kind == HiveIndexKind::Lf) {
                bins_.replace(At(index, 8 + stride * i), std::min<std::size_t>(4, name.size()),
                              name.substr(0, 4));
            } else if (kind == HiveIndexKind::Lh) {
                std::uint32_t hash = 0;
                for (const char c : name) {
                    hash = hash * 37 + static_cast<unsigned char>(c);
                }
                Put32(bins_, At(index, 8 + stride * i), hash);
            }
        }
        return index;
    }

    std::uint32_t Index(const std::vector<std::pair<std::uint32_t, std::string>>& keys) {
        if (options_.index != HiveIndexKind::Ri) {
            return Leaf(keys, 0, keys.size(), options_.index);
        }
        const std::size_t group = std::max<std::size_t>(1, options_.riGroup);
        std::vector<std::uint32_t> leaves;
        for (std::size_t at = 0; at < keys.size(); at += group) {
            leaves.push_back(Leaf(keys, at, std::min(group, keys.size() - at), HiveIndexKind::Li));
        }
        const std::uint32_t ri = Alloc(4 + 4 * leaves.size());
        bins_.replace(At(ri, 0), 2, "ri");
        Put16(bins_, At(ri, 2), static_cast<std::uint32_t>(leaves.size()));
        for (std::size_t i = 0; i < leaves.size(); ++i) {
            Put32(bins_, At(ri, 4 + 4 * i), leaves[i]);
        }
        return ri;
    }

    const HiveWriteOptions& options_;
    std::string bins_;
    std::size_t binStart_ = 0;
    std::size_t binSize_ = 0;
    std::size_t binUsed_ = 0;
    std::uint32_t keys_ = 0;
};

}  // namespace

std::string WriteHive(const RegKey& root, const HiveWriteOptions& options) {
    Writer writer(options);
    const std::uint32_t sk = writer.Security();
    const std::uint32_t rootCell = writer.Key(root, kNoCell, sk, true);
    writer.Finish(sk);

    std::string hive(kHiveBaseBlockSize, '\0');
    hive.replace(0, 4, "regf");
    Put32(hive, 0x04, options.sequence1);
    Put32(hive, 0x08, options.sequence2);
    Put32(hive, 0x14, 1);
    Put32(hive, 0x18, 5);
    Put32(hive, 0x20, 1);
    Put32(hive, 0x24, rootCell);
    Put32(hive, 0x28, static_cast<std::uint32_t>(writer.Bytes().size()));
    Put32(hive, 0x2C, 1);
    std::uint32_t sum = 0;
    for (std::size_t at = 0; at < 0x1FC; at += 4) {
        sum ^= ReadU32(reinterpret_cast<const std::uint8_t*>(hive.data()) + at);
    }
    Put32(hive, 0x1FC, sum);
    return hive + writer.Bytes();
}

std::string EmptyHive() {
    return WriteHive(RegKey(""));
}

}  // namespace machine
