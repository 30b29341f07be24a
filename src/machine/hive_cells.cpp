#include "machine/hive_cells.h"

#include <algorithm>

#include "text/print_format.h"

namespace machine {

namespace {

constexpr std::size_t kBinHeaderSize = 0x20;
constexpr std::size_t kBinUnit = 0x1000;
constexpr std::size_t kChecksumOffset = 0x1FC;

}  // namespace

std::uint16_t ReadU16(const std::uint8_t* at) {
    return static_cast<std::uint16_t>(at[0] | at[1] << 8);
}

std::uint32_t ReadU32(const std::uint8_t* at) {
    return static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
           static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}

std::string HexOffset(std::size_t offset) {
    char text[32];
    FormatPrint(text, sizeof text, "0x%08llX", static_cast<unsigned long long>(offset));
    return text;
}

bool HiveCells::Open(const std::uint8_t* data, std::size_t size, HiveFault& fault) {
    data_ = data;
    size_ = size;
    starts_.clear();
    taken_.clear();
    return CheckBaseBlock(fault) && WalkBins(fault);
}

bool HiveCells::CheckBaseBlock(HiveFault& fault) {
    fault.offset = 0;
    if (size_ < 4 || data_[0] != 'r' || data_[1] != 'e' || data_[2] != 'g' || data_[3] != 'f') {
        fault.message = "not a registry hive: no \"regf\" signature";
        return false;
    }
    if (size_ < kHiveBaseBlockSize) {
        fault.offset = size_;
        fault.message = "truncated: the file ends inside the hive's base block";
        return false;
    }
    std::uint32_t sum = 0;
    for (std::size_t at = 0; at < kChecksumOffset; at += 4) {
        sum ^= ReadU32(data_ + at);
    }
    const std::uint32_t stored = ReadU32(data_ + kChecksumOffset);
    // Windows never stores 0 or -1; hivex compares the plain sum.
    const std::uint32_t adjusted = sum == 0 ? 1 : sum == 0xFFFFFFFF ? 0xFFFFFFFE : sum;
    if (stored != sum && stored != adjusted) {
        fault.offset = kChecksumOffset;
        fault.message = "the base block's checksum does not match: a damaged hive";
        return false;
    }
    if (ReadU32(data_ + 0x14) != 1) {
        fault.offset = 0x14;
        fault.message = "unknown hive format version " + std::to_string(ReadU32(data_ + 0x14)) +
                        "." + std::to_string(ReadU32(data_ + 0x18));
        return false;
    }
    if (ReadU32(data_ + 0x1C) != 0) {
        fault.offset = 0x1C;
        fault.message = "a transaction log, not a hive";
        return false;
    }
    sequence1_ = ReadU32(data_ + 0x04);
    sequence2_ = ReadU32(data_ + 0x08);
    root_ = ReadU32(data_ + 0x24);
    const std::uint32_t binsSize = ReadU32(data_ + 0x28);
    if (binsSize == 0 || binsSize % kBinUnit != 0) {
        fault.offset = 0x28;
        fault.message = "bad hive bins size " + std::to_string(binsSize);
        return false;
    }
    if (binsSize > size_ - kHiveBaseBlockSize) {
        fault.offset = 0x28;
        fault.message = "truncated: the base block claims " + std::to_string(binsSize) +
                        " bytes of hive bins, the file holds " +
                        std::to_string(size_ - kHiveBaseBlockSize);
        return false;
    }
    binsEnd_ = kHiveBaseBlockSize + binsSize;
    return true;
}

bool HiveCells::WalkBins(HiveFault& fault) {
    const std::size_t slots = (binsEnd_ - kHiveBaseBlockSize) / 8;
    starts_.assign((slots + 7) / 8, 0);
    taken_.assign(starts_.size(), 0);
    std::size_t bin = kHiveBaseBlockSize;
    while (bin < binsEnd_) {
        const std::uint8_t* header = data_ + bin;
        fault.offset = bin;
        if (header[0] != 'h' || header[1] != 'b' || header[2] != 'i' || header[3] != 'n') {
            fault.message = "expected a hive bin (\"hbin\") here";
            return false;
        }
        const std::uint32_t binSize = ReadU32(header + 8);
        if (binSize < binsEnd_ - bin) {
            __builtin_prefetch(data_ + bin + binSize);
        }
        if (ReadU32(header + 4) != bin - kHiveBaseBlockSize) {
            fault.message = "the hive bin names another offset as its own";
            return false;
        }
        if (binSize == 0 || binSize % kBinUnit != 0 || binSize > binsEnd_ - bin) {
            fault.message = "the hive bin claims " + std::to_string(binSize) +
                            " bytes, beyond the end of the hive bins";
            return false;
        }
        std::size_t cell = bin + kBinHeaderSize;
        while (cell < bin + binSize) {
            const auto raw = static_cast<std::int32_t>(ReadU32(data_ + cell));
            const std::int64_t length = raw < 0 ? -static_cast<std::int64_t>(raw) : raw;
            fault.offset = cell;
            if (length < 8 || length % 8 != 0) {
                fault.message = "bad cell size " + std::to_string(length);
                return false;
            }
            if (static_cast<std::uint64_t>(length) > bin + binSize - cell) {
                fault.message = "the cell claims " + std::to_string(length) +
                                " bytes, beyond the end of its hive bin";
                return false;
            }
            if (raw < 0) {
                const std::size_t slot = (cell - kHiveBaseBlockSize) / 8;
                starts_[slot / 8] = static_cast<std::uint8_t>(starts_[slot / 8] | 1u << slot % 8);
            }
            cell += static_cast<std::size_t>(length);
        }
        bin += binSize;
    }
    return true;
}

bool HiveCells::IsCellStart(std::size_t fileOffset) const {
    const std::size_t slot = (fileOffset - kHiveBaseBlockSize) / 8;
    return (starts_[slot / 8] >> slot % 8 & 1) != 0;
}

bool HiveCells::Taken(std::uint32_t cell) const {
    const std::size_t slot = cell / 8;
    return cell % 8 == 0 && slot / 8 < taken_.size() && (taken_[slot / 8] >> slot % 8 & 1) != 0;
}

void HiveCells::ForgetTaken() {
    std::fill(taken_.begin(), taken_.end(), std::uint8_t{0});
}

bool HiveCells::Take(std::uint32_t cell, const char* what, std::size_t from, HiveCell& out,
                     HiveFault& fault) {
    const std::size_t at = FileOffset(cell);
    fault.offset = from;
    if (cell == kNoCell || at >= binsEnd_) {
        fault.message = std::string(what) + " points outside the hive bins (to " +
                        HexOffset(kHiveBaseBlockSize + std::size_t{cell}) + ")";
        return false;
    }
    if (cell % 8 != 0 || !IsCellStart(at)) {
        fault.message = std::string(what) + " points to " + HexOffset(at) +
                        ", which is not the start of an allocated cell";
        return false;
    }
    const std::size_t slot = cell / 8;
    if ((taken_[slot / 8] >> slot % 8 & 1) != 0) {
        fault.message = std::string(what) + " at " + HexOffset(at) + " is used twice";
        return false;
    }
    taken_[slot / 8] = static_cast<std::uint8_t>(taken_[slot / 8] | 1u << slot % 8);
    // The size is read again from the file, which a mapped file's writer
    // may have changed since the bins were walked: checked again.
    const std::int64_t length =
        -static_cast<std::int64_t>(static_cast<std::int32_t>(ReadU32(data_ + at)));
    if (length < 8 || static_cast<std::uint64_t>(length) > binsEnd_ - at) {
        fault.message =
            std::string(what) + " at " + HexOffset(at) + " changed while the hive was read";
        return false;
    }
    out.fileOffset = at;
    out.data = data_ + at + 4;
    out.size = static_cast<std::size_t>(length) - 4;
    return true;
}

}  // namespace machine
