// The hive reader: what real hives hold, read as hivex reads it, and bad
// hives refused with what is wrong and where.
#include <algorithm>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "machine/hive_reader.h"
#include "machine/hive_writer.h"
#include "support/hivex_hive.h"
#include "support/scratch_dir.h"

namespace {

using machine::RegValue;

// Long subkey lists, a name outside Latin-1 (stored in UTF-16), data of 0 to
// 4 bytes kept in the value cell, big data over 16 KB, strings.
machine::RegistryTree SampleTree() {
    machine::RegistryTree tree;
    tree.Key({"ROOT"});
    tree.Value("", RegValue::String("default"));
    for (int i = 0; i < 12; ++i) {
        tree.Key({"ROOT", "Key" + std::to_string(11 - i)});
        tree.Value("Index", RegValue::Dword(static_cast<win::DWORD>(i)));
    }
    tree.Key({"ROOT", "Key3", "Sub\x80 sign"});
    std::vector<std::uint8_t> big(40000);
    for (std::size_t i = 0; i < big.size(); ++i) {
        big[i] = static_cast<std::uint8_t>(i * 7 % 251);
    }
    tree.Value("Big", RegValue{win::REG_BINARY, big});
    tree.Value("Empty", RegValue{win::REG_BINARY, {}});
    tree.Value("Two", RegValue{win::REG_BINARY, {1, 2}});
    tree.Value("Caf\xe9", RegValue::MultiString({"one", "two"}));
    tree.Value("Path", RegValue::String("%SystemRoot%\\system32", win::REG_EXPAND_SZ));
    return tree;
}

std::vector<std::string> SortedLines(const std::string& listing) {
    std::vector<std::string> lines;
    std::istringstream in(listing);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    std::sort(lines.begin(), lines.end());
    return lines;
}

struct Read {
    bool ok = false;
    machine::RegistryTree tree;
    machine::HiveReadResult result;
};

Read ReadBytes(const std::string& hive) {
    Read read;
    read.ok = machine::ReadHive(reinterpret_cast<const std::uint8_t*>(hive.data()), hive.size(),
                                {"ROOT"}, read.tree, read.result);
    return read;
}

// hivex reads the file as our reader did, entry for entry and in order.
void ExpectHivexAgrees(const std::string& hive, const machine::RegKey& ours) {
#if defined(MVSI_HAVE_HIVEX)
    ScratchDir dir;
    ASSERT_TRUE(WriteWholeFile(dir.Path("hive"), hive));
    std::string listing;
    std::string error;
    ASSERT_TRUE(HivexListing(dir.Path("hive"), listing, error)) << error;
    EXPECT_EQ(listing, TreeListing(ours));
#else
    (void)hive;
    (void)ours;
#endif
}

TEST(HiveReaderTest, ReadsEveryIndexKindNameFormAndBigData) {
    const machine::RegistryTree sample = SampleTree();
    const machine::RegKey& root = *sample.Find("ROOT");
    for (const auto kind : {machine::HiveIndexKind::Lf, machine::HiveIndexKind::Lh,
                            machine::HiveIndexKind::Li, machine::HiveIndexKind::Ri}) {
        for (const bool compressed : {true, false}) {
            SCOPED_TRACE(static_cast<int>(kind) * 2 + compressed);
            machine::HiveWriteOptions options;
            options.index = kind;
            options.riGroup = 5;
            options.compressedNames = compressed;
            const std::string hive = machine::WriteHive(root, options);
            const Read read = ReadBytes(hive);
            ASSERT_TRUE(read.ok) << read.result.fault.message;
            EXPECT_FALSE(read.result.sequenceNumbersDiffer);
            const machine::RegKey& got = *read.tree.Find("ROOT");
            EXPECT_EQ(SortedLines(TreeListing(root)), SortedLines(TreeListing(got)));
            ExpectHivexAgrees(hive, got);
        }
    }
}

TEST(HiveReaderTest, HiveOfACrashedMachineIsReadAsItStandsAndSaysSo) {
    const machine::RegistryTree sample = SampleTree();
    machine::HiveWriteOptions options;
    options.sequence1 = 41;
    options.sequence2 = 40;
    const std::string hive = machine::WriteHive(*sample.Find("ROOT"), options);
    const Read read = ReadBytes(hive);
    ASSERT_TRUE(read.ok) << read.result.fault.message;
    EXPECT_TRUE(read.result.sequenceNumbersDiffer);
    EXPECT_EQ(41u, read.result.sequence1);
    EXPECT_EQ(SortedLines(TreeListing(*sample.Find("ROOT"))),
              SortedLines(TreeListing(*read.tree.Find("ROOT"))));
    ExpectHivexAgrees(hive, *read.tree.Find("ROOT"));
}

TEST(HiveReaderTest, ReadsWhatHivexWritesIntoOurEmptyHive) {
#if defined(MVSI_HAVE_HIVEX)
    const machine::RegistryTree sample = SampleTree();
    ScratchDir dir;
    ASSERT_TRUE(WriteWholeFile(dir.Path("hive"), machine::EmptyHive()));
    std::string error;
    ASSERT_TRUE(FillHiveWithHivex(dir.Path("hive"), *sample.Find("ROOT"), error)) << error;
    const Read read = ReadBytes(ReadWholeFile(dir.Path("hive")));
    ASSERT_TRUE(read.ok) << read.result.fault.message;
    EXPECT_EQ(SortedLines(TreeListing(*sample.Find("ROOT"))),
              SortedLines(TreeListing(*read.tree.Find("ROOT"))));
    ExpectHivexAgrees(ReadWholeFile(dir.Path("hive")), *read.tree.Find("ROOT"));
#else
    GTEST_SKIP() << "built without hivex";
#endif
}

std::uint32_t U32(const std::string& bytes, std::size_t at) {
    return machine::ReadU32(reinterpret_cast<const std::uint8_t*>(bytes.data()) + at);
}

void Set32(std::string& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[at + static_cast<std::size_t>(i)] = static_cast<char>(value >> (8 * i) & 0xFF);
    }
}

void Checksum(std::string& hive) {
    std::uint32_t sum = 0;
    for (std::size_t at = 0; at < 0x1FC; at += 4) {
        sum ^= U32(hive, at);
    }
    Set32(hive, 0x1FC, sum);
}

TEST(HiveReaderTest, BadHivesAreRefusedWithWhatAndWhere) {
    machine::RegistryTree tree;
    tree.Key({"ROOT", "A"});
    tree.Value("d", RegValue::Dword(7));
    tree.Value("s", RegValue::String("hello, world"));
    tree.Key({"ROOT", "A", "B"});
    const std::string good = machine::WriteHive(*tree.Find("ROOT"));
    ASSERT_TRUE(ReadBytes(good).ok);

    // File offsets of the cells the cases damage (content after the size).
    const std::size_t root = 0x1000 + U32(good, 0x24);
    const std::size_t rootIndex = 0x1000 + U32(good, root + 4 + 0x1C);
    const std::size_t a = 0x1000 + U32(good, rootIndex + 8);
    const std::size_t aIndex = 0x1000 + U32(good, a + 4 + 0x1C);
    const std::size_t aValues = 0x1000 + U32(good, a + 4 + 0x28);
    const std::size_t d = 0x1000 + U32(good, aValues + 4);
    const std::size_t s = 0x1000 + U32(good, aValues + 8);

    struct Case {
        const char* what;
        std::function<void(std::string&)> damage;
        std::size_t offset;
    };
    const std::vector<Case> cases = {
        {"not a registry hive", [](std::string& h) { h.replace(0, 4, "MZ\x90\x00"); }, 0},
        {"truncated: the file ends inside", [](std::string& h) { h.resize(2000); }, 2000},
        {"truncated: the base block claims", [](std::string& h) { h.resize(0x1000 + 100); }, 0x28},
        {"checksum does not match", [](std::string& h) { h[0x1FC] ^= 1; }, 0x1FC},
        {"points outside the hive bins",
         [](std::string& h) { Set32(h, 0x24, 0x7FFFFFF8), Checksum(h); }, 0x24},
        {"not the start of an allocated cell",
         [&](std::string& h) { Set32(h, 0x24, U32(h, 0x24) + 8), Checksum(h); }, 0x24},
        {"beyond the end of the hive bins", [](std::string& h) { Set32(h, 0x1008, 0x7FFFF000); },
         0x1000},
        {"beyond the end of its hive bin", [&](std::string& h) { Set32(h, a, 0x80000008); }, a},
        {"a loop in the key tree",
         [&](std::string& h) { Set32(h, aIndex + 8, static_cast<std::uint32_t>(root - 0x1000)); },
         aIndex},
        {"claims 2147483647 values", [&](std::string& h) { Set32(h, a + 4 + 0x24, 0x7FFFFFFF); },
         a},
        {"claims 2147483632 bytes of data",
         [&](std::string& h) { Set32(h, s + 4 + 4, 0x7FFFFFF0); }, s},
        {"kept in its own cell", [&](std::string& h) { Set32(h, d + 4 + 4, 0x80000008); }, d},
        {"expected a subkey index", [&](std::string& h) { h.replace(rootIndex + 4, 2, "zz"); },
         rootIndex},
        {"claims 9 subkeys", [&](std::string& h) { Set32(h, a + 4 + 0x14, 9); }, a},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string hive = good;
        c.damage(hive);
        const Read read = ReadBytes(hive);
        ASSERT_FALSE(read.ok);
        EXPECT_NE(std::string::npos, read.result.fault.message.find(c.what))
            << read.result.fault.message;
        EXPECT_EQ(c.offset, read.result.fault.offset) << read.result.fault.message;
        EXPECT_EQ(std::string::npos, machine::HiveFaultText("f", read.result.fault).find('\n'));
    }
}

}  // namespace
