// The simulated version functions: the blocks they build and walk, and the
// version resources they read out of PE images, sound or malformed.
#include <cstdint>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/simulated/pe_version_resource.h"
#include "platform/simulated/version_block.h"
#include "services/pe_image_builder.h"
#include "services/version_fields.h"
#include "support/machine_test.h"

namespace {

constexpr const char* kDriver = "C:\\WINDOWS\\system32\\drivers\\usbhub.sys";

class VersionProviderTest : public MachineTest {
  protected:
    // The whole two-call protocol; the buffer stays alive for the queries.
    bool Load(const char* path) {
        win::DWORD handle = 7;
        const win::DWORD size = platform.GetFileVersionInfoSizeA(path, &handle);
        EXPECT_EQ(0u, handle);
        if (size == 0) {
            return false;
        }
        buffer.assign(size, 0xCC);
        return platform.GetFileVersionInfoA(path, handle, size, buffer.data()) != 0;
    }
    bool Query(const char* path, void*& value, win::UINT& length) {
        return platform.VerQueryValueA(buffer.data(), path, &value, &length) != 0;
    }
    std::string QueryString(const char* path) {
        void* value = nullptr;
        win::UINT length = 0;
        if (!Query(path, value, length)) {
            return "<missing>";
        }
        // The copy lies inside the buffer the caller gave out.
        const auto* p = static_cast<const std::uint8_t*>(value);
        EXPECT_GE(p, buffer.data());
        EXPECT_LE(p + length, buffer.data() + buffer.size());
        return static_cast<const char*>(value);
    }
    std::string WriteFile(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        const std::string path = ::testing::TempDir() + name;
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return path;
    }

    std::vector<std::uint8_t> buffer;
};

TEST_F(VersionProviderTest, BuiltBlockAnswersRootTranslationAndStringPaths) {
    machine().files[kDriver] = machine::DriverFile{kDriver, SampleVersionFields(), {}, {}};
    ASSERT_TRUE(Load(kDriver));

    void* value = nullptr;
    win::UINT length = 0;
    ASSERT_TRUE(Query("\\", value, length));
    ASSERT_EQ(52u, length);
    win::VS_FIXEDFILEINFO fixed;
    std::memcpy(&fixed, value, sizeof fixed);
    EXPECT_EQ(sim::kFixedFileInfoSignature, fixed.dwSignature);
    EXPECT_EQ(0x00050001u, fixed.dwFileVersionMS);
    EXPECT_EQ(0x0A281588u, fixed.dwFileVersionLS);
    EXPECT_EQ(0x0A280001u, fixed.dwProductVersionLS);

    ASSERT_TRUE(Query("\\VarFileInfo\\Translation", value, length));
    ASSERT_EQ(8u, length);
    const std::uint8_t expected[8] = {0x09, 0x04, 0xB0, 0x04, 0x07, 0x04, 0xE4, 0x04};
    EXPECT_EQ(0, std::memcmp(expected, value, 8));

    EXPECT_EQ("Example Corporation", QueryString("\\StringFileInfo\\040904b0\\CompanyName"));
    // Keys match without regard to case; repeated separators are skipped.
    EXPECT_EQ("USB Hub Driver", QueryString("\\STRINGFILEINFO\\040904B0\\\\filedescription"));
    // Narrow text in the ANSI code page, from the UTF-16 block.
    EXPECT_EQ("USB-Hub-Treiber f\xFCr Ger\xE4te",
              QueryString("\\StringFileInfo\\040704e4\\FileDescription"));
    EXPECT_EQ("<missing>", QueryString("\\StringFileInfo\\040704e4\\ProductName"));
    EXPECT_EQ("<missing>", QueryString("\\StringFileInfo\\041104b0\\CompanyName"));
    EXPECT_EQ(win::ERROR_RESOURCE_TYPE_NOT_FOUND, platform.GetLastError());
}

TEST_F(VersionProviderTest, StringsStayValidTogetherInOneBuffer) {
    machine().files[kDriver] = machine::DriverFile{kDriver, SampleVersionFields(), {}, {}};
    ASSERT_TRUE(Load(kDriver));
    void* first = nullptr;
    void* second = nullptr;
    win::UINT length = 0;
    ASSERT_TRUE(Query("\\StringFileInfo\\040904b0\\InternalName", first, length));
    EXPECT_EQ(11u, length);  // with the terminator
    ASSERT_TRUE(Query("\\StringFileInfo\\040904b0\\ProductName", second, length));
    EXPECT_STREQ("usbhub.sys", static_cast<const char*>(first));
    EXPECT_STREQ("Example Operating System", static_cast<const char*>(second));
}

TEST_F(VersionProviderTest, FilesWithoutUsableResourcesFailAsWindowsDoes) {
    machine().files["C:\\plain.sys"] = machine::DriverFile{"C:\\plain.sys", {}, {}, {}};
    machine().files["C:\\tiny.sys"] =
        machine::DriverFile{"C:\\tiny.sys", {}, {}, std::vector<std::uint8_t>{4, 0}};
    machine().files["C:\\gone.sys"] =
        machine::DriverFile{"C:\\gone.sys", {}, "/nonexistent/x.sys", {}};
    win::DWORD handle = 0;
    const struct {
        const char* path;
        win::DWORD error;
    } cases[] = {
        {"C:\\missing.sys", win::ERROR_FILE_NOT_FOUND},
        {"C:\\plain.sys", win::ERROR_RESOURCE_TYPE_NOT_FOUND},
        {"C:\\tiny.sys", win::ERROR_RESOURCE_DATA_NOT_FOUND},
        {"C:\\gone.sys", win::ERROR_FILE_NOT_FOUND},
        {"C:\\WINDOWS\\system32\\drivers\\", win::ERROR_ACCESS_DENIED},
        {"c:\\windows\\system32", win::ERROR_ACCESS_DENIED},
        {"C:\\WINDOWS\\system32\\drivers\\nosuch\\", win::ERROR_FILE_NOT_FOUND},
    };
    machine().files[kDriver] = machine::DriverFile{kDriver, {}, {}, {}};
    for (const auto& c : cases) {
        EXPECT_EQ(0u, platform.GetFileVersionInfoSizeA(c.path, &handle)) << c.path;
        EXPECT_EQ(c.error, platform.GetLastError()) << c.path;
    }
}

TEST_F(VersionProviderTest, PathsAreResolvedAsWindowsResolvesThem) {
    machine().files[kDriver] = machine::DriverFile{kDriver, SampleVersionFields(), {}, {}};
    EXPECT_TRUE(Load("c:\\windows\\SYSTEM32\\drivers\\USBHUB.SYS"));
    EXPECT_TRUE(Load("C:/WINDOWS/system32//drivers/./x/../usbhub.sys"));
}

TEST_F(VersionProviderTest, BlockWithoutFixedPartHasNoRootValue) {
    machine::VersionFields fields = SampleVersionFields();
    fields.hasFixedInfo = false;
    fields.hasTranslationValue = false;
    machine().files[kDriver] = machine::DriverFile{kDriver, fields, {}, {}};
    ASSERT_TRUE(Load(kDriver));
    void* value = nullptr;
    win::UINT length = 0;
    EXPECT_FALSE(Query("\\", value, length));
    EXPECT_FALSE(Query("\\VarFileInfo\\Translation", value, length));
    EXPECT_EQ("Example Corporation", QueryString("\\StringFileInfo\\040904b0\\CompanyName"));
}

TEST_F(VersionProviderTest, HostileBlocksAreWalkedWithinTheirBytes) {
    std::vector<std::uint8_t> block = sim::BuildVersionBlock(SampleVersionFields());
    sim::VersionValue value;
    ASSERT_TRUE(sim::FindVersionValue(block.data(), block.size(),
                                      "\\StringFileInfo\\040904b0\\ProductName", value));
    // Every prefix of the block: lookups fail or stay inside the prefix.
    for (std::size_t size = 0; size < block.size(); ++size) {
        std::vector<std::uint8_t> cut(block.begin(), block.begin() + static_cast<long>(size));
        if (sim::FindVersionValue(cut.data(), cut.size(), "\\StringFileInfo\\040904b0\\ProductName",
                                  value)) {
            EXPECT_LE(value.offset + value.bytes, size);
        }
    }
    // A root that claims more than it has, a child of length 0, a key without
    // terminator.
    std::vector<std::uint8_t> bad = block;
    bad[0] = 0xFF;
    bad[1] = 0xFF;
    EXPECT_FALSE(sim::FindVersionValue(bad.data(), bad.size(), "\\", value));
    bad = block;
    bad[92] = 0;  // the first child's length (after key and fixed part)
    bad[93] = 0;
    EXPECT_FALSE(
        sim::FindVersionValue(bad.data(), bad.size(), "\\VarFileInfo\\Translation", value));
    const std::vector<std::uint8_t> noTerminator = {12, 0, 0, 0, 0, 0, 'A', 0, 'B', 0, 'C', 0};
    EXPECT_FALSE(sim::FindVersionValue(noTerminator.data(), noTerminator.size(), "\\", value));
}

TEST_F(VersionProviderTest, ShortBufferGetsNoConvertedCopyOutsideIt) {
    machine().files[kDriver] = machine::DriverFile{kDriver, SampleVersionFields(), {}, {}};
    win::DWORD handle = 0;
    const win::DWORD size = platform.GetFileVersionInfoSizeA(kDriver, &handle);
    const std::size_t blockSize = (size - 4) / 2;
    buffer.assign(blockSize, 0);  // the block alone, no room for copies
    ASSERT_TRUE(platform.GetFileVersionInfoA(kDriver, 0, static_cast<win::DWORD>(blockSize),
                                             buffer.data()));
    void* value = nullptr;
    win::UINT length = 0;
    EXPECT_TRUE(Query("\\", value, length));
    EXPECT_FALSE(Query("\\StringFileInfo\\040904b0\\CompanyName", value, length));
    // A block this provider never filled has no known extent.
    std::vector<std::uint8_t> foreign = buffer;
    EXPECT_FALSE(platform.VerQueryValueA(foreign.data(), "\\", &value, &length));
}

TEST_F(VersionProviderTest, VersionResourceIsReadFromPeImages) {
    const std::vector<std::uint8_t> block = sim::BuildVersionBlock(SampleVersionFields());
    for (const bool plus : {false, true}) {
        PeImageOptions options;
        options.pe32Plus = plus;
        std::vector<std::uint8_t> read;
        EXPECT_EQ(0u, sim::ReadPeVersionResource(BuildPeImage(block, options).bytes, read));
        EXPECT_EQ(block, read);
    }
    PeImageOptions neutral;
    neutral.language = 0;
    std::vector<std::uint8_t> read;
    EXPECT_EQ(0u, sim::ReadPeVersionResource(BuildPeImage(block, neutral).bytes, read));

    // And through the platform, from a file on disk.
    const std::string file = WriteFile("mvsi_usbhub.sys", BuildPeImage(block).bytes);
    machine().files[kDriver] = machine::DriverFile{kDriver, {}, {}, {}};
    machine::AttachPeFile(machine().files[kDriver], file);
    ASSERT_TRUE(Load(kDriver));
    EXPECT_EQ("Example Corporation", QueryString("\\StringFileInfo\\040904b0\\CompanyName"));
}

TEST_F(VersionProviderTest, MalformedPeImagesGiveErrorCodes) {
    const std::vector<std::uint8_t> block = sim::BuildVersionBlock(SampleVersionFields());
    const PeImage good = BuildPeImage(block);
    struct Case {
        const char* what;
        void (*damage)(PeImage&);
        win::DWORD error;
    };
    const Case cases[] = {
        {"no MZ", [](PeImage& i) { i.bytes[0] = 'X'; }, win::ERROR_BAD_EXE_FORMAT},
        {"header offset outside", [](PeImage& i) { i.PutDword(0x3C, 0xFFFFFFF0u); },
         win::ERROR_BAD_EXE_FORMAT},
        {"no PE signature", [](PeImage& i) { i.bytes[i.peHeader] = 'X'; },
         win::ERROR_BAD_EXE_FORMAT},
        {"unknown optional header", [](PeImage& i) { i.PutWord(i.optionalHeader, 0x107); },
         win::ERROR_BAD_EXE_FORMAT},
        {"optional header larger than the file",
         [](PeImage& i) { i.PutWord(i.peHeader + 20, 0xFFFF); }, win::ERROR_BAD_EXE_FORMAT},
        {"too many sections", [](PeImage& i) { i.PutWord(i.peHeader + 6, 0xFFFF); },
         win::ERROR_BAD_EXE_FORMAT},
        {"no resource directory", [](PeImage& i) { i.PutDword(i.resourceEntry, 0); },
         win::ERROR_RESOURCE_TYPE_NOT_FOUND},
        {"directory count without resources",
         [](PeImage& i) { i.PutDword(i.resourceEntry - 20, 2); },
         win::ERROR_RESOURCE_TYPE_NOT_FOUND},
        {"resources outside every section", [](PeImage& i) { i.PutDword(i.resourceEntry, 0x9000); },
         win::ERROR_RESOURCE_DATA_NOT_FOUND},
        {"raw data beyond the file",
         [](PeImage& i) { i.PutDword(i.sectionTable + 20, 0x7FFFFFF0); },
         win::ERROR_RESOURCE_DATA_NOT_FOUND},
        {"no version type", [](PeImage& i) { i.PutDword(i.resourceStart + 16, 3); },
         win::ERROR_RESOURCE_TYPE_NOT_FOUND},
        {"entry count beyond the section",
         [](PeImage& i) { i.PutWord(i.resourceStart + 14, 0xFFFF); },
         win::ERROR_RESOURCE_DATA_NOT_FOUND},
        {"subdirectory offset outside",
         [](PeImage& i) { i.PutDword(i.resourceStart + 20, 0x8FFFFFF0u); },
         win::ERROR_RESOURCE_DATA_NOT_FOUND},
        {"type entry pointing at data", [](PeImage& i) { i.PutDword(i.resourceStart + 20, 0x48); },
         win::ERROR_RESOURCE_DATA_NOT_FOUND},
        {"no name 1", [](PeImage& i) { i.PutDword(i.resourceStart + 0x18 + 16, 2); },
         sim::ERROR_RESOURCE_NAME_NOT_FOUND},
        {"empty language directory", [](PeImage& i) { i.PutWord(i.resourceStart + 0x30 + 14, 0); },
         sim::ERROR_RESOURCE_LANG_NOT_FOUND},
        {"data size beyond the file", [](PeImage& i) { i.PutDword(i.dataEntry + 4, 0x10000000); },
         win::ERROR_RESOURCE_DATA_NOT_FOUND},
        {"data outside the section", [](PeImage& i) { i.PutDword(i.dataEntry, 0x40); },
         win::ERROR_RESOURCE_DATA_NOT_FOUND},
    };
    for (const Case& c : cases) {
        PeImage image = good;
        c.damage(image);
        std::vector<std::uint8_t> read = {1};
        EXPECT_EQ(c.error, sim::ReadPeVersionResource(image.bytes, read)) << c.what;
        EXPECT_TRUE(read.empty()) << c.what;
    }
    // Every truncation of the file fails cleanly or reads the whole block.
    for (std::size_t size = 0; size < good.bytes.size(); size += 7) {
        std::vector<std::uint8_t> cut(good.bytes.begin(),
                                      good.bytes.begin() + static_cast<long>(size));
        std::vector<std::uint8_t> read;
        if (sim::ReadPeVersionResource(cut, read) == 0) {
            EXPECT_EQ(block, read);
        }
    }
}

TEST_F(VersionProviderTest, MalformedPeFileFailsTheSizeQuery) {
    PeImage image = BuildPeImage(sim::BuildVersionBlock(SampleVersionFields()));
    image.PutDword(image.resourceEntry, 0);
    const std::string file = WriteFile("mvsi_nores.sys", image.bytes);
    machine().files[kDriver] = machine::DriverFile{kDriver, {}, {}, {}};
    machine::AttachPeFile(machine().files[kDriver], file);
    win::DWORD handle = 0;
    EXPECT_EQ(0u, platform.GetFileVersionInfoSizeA(kDriver, &handle));
    EXPECT_EQ(win::ERROR_RESOURCE_TYPE_NOT_FOUND, platform.GetLastError());
}

}  // namespace
