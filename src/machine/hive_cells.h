// The cells of a registry hive file ("regf"): the base block is checked, the
// hive bins walked once and every cell start recorded, so that a reference
// is followed only to the start of an allocated cell inside the file. Every
// cell may be taken once: hives never share cells, and a hostile one that
// did could make a small file describe an endless tree.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace machine {

// What is wrong with a hive, and where: a file offset.
struct HiveFault {
    std::size_t offset = 0;
    std::string message;
};

// A cell's content, after its size field.
struct HiveCell {
    const std::uint8_t* data = nullptr;
    std::size_t size = 0;
    std::size_t fileOffset = 0;  // of the size field
};

inline constexpr std::size_t kHiveBaseBlockSize = 0x1000;
inline constexpr std::uint32_t kNoCell = 0xFFFFFFFF;

std::uint16_t ReadU16(const std::uint8_t* at);
std::uint32_t ReadU32(const std::uint8_t* at);

class HiveCells {
  public:
    // False with `fault` when the bytes are no hive this reader can trust.
    bool Open(const std::uint8_t* data, std::size_t size, HiveFault& fault);

    std::uint32_t RootCell() const { return root_; }
    std::uint32_t Sequence1() const { return sequence1_; }
    std::uint32_t Sequence2() const { return sequence2_; }

    // The allocated cell that starts at hive offset `cell` (relative to the
    // first bin), taken for good; `what` names it and `from` is the file
    // offset of the reference, in a fault.
    bool Take(std::uint32_t cell, const char* what, std::size_t from, HiveCell& out,
              HiveFault& fault);
    bool Taken(std::uint32_t cell) const;
    // Every cell free to be taken again, for another read of the same hive.
    void ForgetTaken();

    static std::size_t FileOffset(std::uint32_t cell) { return kHiveBaseBlockSize + cell; }

  private:
    bool CheckBaseBlock(HiveFault& fault);
    bool WalkBins(HiveFault& fault);
    bool IsCellStart(std::size_t fileOffset) const;

    const std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t binsEnd_ = 0;  // file offset
    std::uint32_t root_ = 0;
    std::uint32_t sequence1_ = 0;
    std::uint32_t sequence2_ = 0;
    // One bit per 8 bytes of the bins (cells are 8-aligned).
    std::vector<std::uint8_t> starts_;
    std::vector<std::uint8_t> taken_;
};

std::string HexOffset(std::size_t offset);

}  // namespace machine
