#include "services/version_res_info.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/buffer.h"
#include "platform/simulated/version_block.h"
#include "services/version_fields.h"
#include "support/machine_test.h"

namespace {

constexpr const char* kDriver = "C:\\WINDOWS\\system32\\drivers\\usbhub.sys";
constexpr const char* kOther = "C:\\WINDOWS\\system32\\drivers\\other.sys";

class VersionResInfoTest : public MachineTest {
  protected:
    void Describe(const char* path, const machine::VersionFields& fields) {
        machine().files[path] = machine::DriverFile{path, fields, {}, {}};
    }
    void DescribeRaw(const char* path, std::vector<std::uint8_t> block) {
        machine().files[path] = machine::DriverFile{path, {}, {}, std::move(block)};
    }
};

// The root's wValueLength: the size of the fixed part.
constexpr std::size_t kRootValueLength = 2;

TEST_F(VersionResInfoTest, LoadedResourceGivesVersionsTranslationsAndStrings) {
    Describe(kDriver, SampleVersionFields());
    VersionResInfo info;
    ASSERT_EQ(0u, info.LoadVersionResource(kDriver));
    std::uint16_t a = 0, b = 0, c = 0, d = 0;
    EXPECT_TRUE(info.GetFileVersion(a, b, c, d));
    EXPECT_EQ((std::vector<int>{5, 1, 2600, 5512}), (std::vector<int>{a, b, c, d}));
    EXPECT_TRUE(info.GetProductVersion(a, b, c, d));
    EXPECT_EQ((std::vector<int>{5, 1, 2600, 1}), (std::vector<int>{a, b, c, d}));

    LangCodePageList list;
    ASSERT_TRUE(info.GetLangCodePageList(list));
    // Stored as 09 04 B0 04: language 0x0409 low, code page 0x04B0 high.
    EXPECT_EQ((LangCodePageList{0x04B00409, 0x04E40407}), list);

    const char* value = nullptr;
    std::uint32_t length = 0;
    ASSERT_TRUE(info.GetLangCodeDependentResStr(value, length, "CompanyName", 0x0409, 0x04B0));
    EXPECT_STREQ("Example Corporation", value);
    EXPECT_EQ(1u,
              platform.calls().Count("VerQueryValueA", "\\StringFileInfo\\040904b0\\CompanyName"));
    EXPECT_TRUE(log.Problems().empty());
}

TEST_F(VersionResInfoTest, MissingStringIsTracedWithUpperCaseHex) {
    Describe(kDriver, SampleVersionFields());
    VersionResInfo info;
    ASSERT_EQ(0u, info.LoadVersionResource(kDriver));
    const char* value = "stale";
    std::uint32_t length = 9;
    EXPECT_FALSE(info.GetLangCodeDependentResStr(value, length, "ProductName", 0x0407, 0x04E4));
    EXPECT_EQ(nullptr, value);
    EXPECT_EQ(0u, length);
    EXPECT_EQ((std::vector<std::string>{
                  "GetLangCodeDependentResStr: version information 'ProductName' for language "
                  "0x0407 and code page 0x04E4 not available.\n"}),
              log.Problems());
}

TEST_F(VersionResInfoTest, OverlongNameIsRefusedBeforeThePlatformIsAsked) {
    Describe(kDriver, SampleVersionFields());
    VersionResInfo info;
    ASSERT_EQ(0u, info.LoadVersionResource(kDriver));
    const std::size_t prefix = std::string("\\StringFileInfo\\040904b0\\").size();
    const char* value = nullptr;
    std::uint32_t length = 0;
    platform.calls().Clear();
    // 1023 characters fit; 1024 do not.
    EXPECT_FALSE(info.GetLangCodeDependentResStr(value, length, std::string(1023 - prefix, 'x'),
                                                 0x0409, 0x04B0));
    EXPECT_EQ(1u, platform.calls().Count("VerQueryValueA"));
    EXPECT_FALSE(info.GetLangCodeDependentResStr(value, length, std::string(1024 - prefix, 'x'),
                                                 0x0409, 0x04B0));
    EXPECT_EQ(1u, platform.calls().Count("VerQueryValueA"));
    EXPECT_TRUE(log.Contains("GetLangCodeDependentResStr: VersionInfoName to long.\n"));
}

TEST_F(VersionResInfoTest, TranslationValueIsReadInWholeEntries) {
    for (const std::size_t bytes : {0u, 3u, 6u, 8u}) {
        machine::VersionFields fields = SampleVersionFields();
        fields.translations = {0x04B00409, 0x04E40407};
        std::vector<std::uint8_t> block = sim::BuildVersionBlock(fields);
        // Shrink the stored length of the Translation value (the last node:
        // header, key, padding, value).
        const std::size_t var = block.size() - (6 + 24 + 2 + 8);
        ASSERT_EQ('T', block[var + 6]);
        block[var + 2] = static_cast<std::uint8_t>(bytes);
        DescribeRaw(kDriver, block);
        VersionResInfo info;
        ASSERT_EQ(0u, info.LoadVersionResource(kDriver));
        LangCodePageList list;
        EXPECT_TRUE(info.GetLangCodePageList(list)) << bytes;
        EXPECT_EQ(bytes / 4, list.size()) << bytes;
    }
}

TEST_F(VersionResInfoTest, FixedPartOfAnyOtherSizeIsRefused) {
    for (const win::WORD size : {0, 48, 56}) {
        std::vector<std::uint8_t> block = sim::BuildVersionBlock(SampleVersionFields());
        block[kRootValueLength] = static_cast<std::uint8_t>(size);
        DescribeRaw(kDriver, block);
        log.messages.clear();
        VersionResInfo info;
        EXPECT_EQ(1u, info.LoadVersionResource(kDriver)) << size;
        // Size 0: no root value at all on Windows.
        EXPECT_EQ(size == 0 ? "LoadVersionResource: VerQueryValue failed to get the fixed part of "
                              "the version resource.\n"
                            : "LoadVersionResource: unexpected size of the fixed part of the "
                              "version resource.\n",
                  log.Problems().at(0));
        std::uint16_t a = 0, b = 0, c = 0, d = 0;
        EXPECT_FALSE(info.GetFileVersion(a, b, c, d));  // the object ended empty
        EXPECT_EQ(0xFFFF, a);
        EXPECT_EQ(0xFFFF, d);
    }
}

TEST_F(VersionResInfoTest, FailedSecondLoadLeavesNothingOfTheFirst) {
    Describe(kDriver, SampleVersionFields());
    VersionResInfo info;
    ASSERT_EQ(0u, info.LoadVersionResource(kDriver));
    EXPECT_EQ(win::ERROR_FILE_NOT_FOUND, info.LoadVersionResource(kOther));
    EXPECT_TRUE(log.Contains(
        "LoadVersionResource: GetFileVersionInfoSize failed with error 0x00000002.\n"));
    LangCodePageList list = {1};
    EXPECT_FALSE(info.GetLangCodePageList(list));
    EXPECT_TRUE(list.empty());
    EXPECT_TRUE(log.Contains("GetLangCodePageList: no version resource loaded.\n"));

    // A failed read of the block, and a failed allocation, end empty as well.
    ASSERT_EQ(0u, info.LoadVersionResource(kDriver));
    platform.faults().Add("GetFileVersionInfoA", win::ERROR_ACCESS_DENIED);
    EXPECT_EQ(win::ERROR_ACCESS_DENIED, info.LoadVersionResource(kDriver));
    EXPECT_TRUE(
        log.Contains("LoadVersionResource: GetFileVersionInfo failed with error 0x00000005.\n"));
    std::uint16_t a = 0, b = 0, c = 0, d = 0;
    EXPECT_FALSE(info.GetProductVersion(a, b, c, d));
    platform.faults().Clear();
    FailAllocations(0, 1);
    EXPECT_EQ(win::ERROR_NOT_ENOUGH_MEMORY, info.LoadVersionResource(kDriver));
    ResetAllocationFailures();
    EXPECT_FALSE(info.GetFileVersion(a, b, c, d));
}

TEST_F(VersionResInfoTest, ReadersOnANeverLoadedObject) {
    VersionResInfo info;
    std::uint16_t a = 1, b = 1, c = 1, d = 1;
    EXPECT_FALSE(info.GetFileVersion(a, b, c, d));
    EXPECT_EQ((std::vector<int>{0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF}), (std::vector<int>{a, b, c, d}));
    LangCodePageList list = {1};
    EXPECT_FALSE(info.GetLangCodePageList(list));
    EXPECT_TRUE(list.empty());
    const char* value = nullptr;
    std::uint32_t length = 0;
    EXPECT_FALSE(info.GetLangCodeDependentResStr(value, length, "CompanyName", 0x0409, 0x04B0));
    EXPECT_EQ(
        (std::vector<std::string>{"GetFileVersion: no version resource loaded.\n",
                                  "GetLangCodePageList: no version resource loaded.\n",
                                  "GetLangCodeDependentResStr: no version resource loaded.\n"}),
        log.Problems());
    EXPECT_EQ(0u, platform.calls().Count("VerQueryValueA"));
}

TEST_F(VersionResInfoTest, MissingTranslationTableIsTraced) {
    machine::VersionFields fields = SampleVersionFields();
    fields.hasTranslationValue = false;
    Describe(kDriver, fields);
    VersionResInfo info;
    ASSERT_EQ(0u, info.LoadVersionResource(kDriver));
    LangCodePageList list;
    EXPECT_FALSE(info.GetLangCodePageList(list));
    EXPECT_TRUE(
        log.Contains("GetLangCodePageList:  List of languages and code pages not available.\n"));
}

}  // namespace
