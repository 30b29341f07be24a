// Version blocks of any content, as a driver file's resource: the walker
// behind VerQueryValueA stays inside the block, and the reader of the report
// takes whatever it finds without reading past what it was given.
#include "fuzz_support.h"
#include "platform/simulated/version_block.h"
#include "services/version_res_info.h"

namespace {

const char* const kPaths[] = {
    "\\",
    "\\VarFileInfo\\Translation",
    "\\StringFileInfo\\040904b0\\CompanyName",
    "\\StringFileInfo\\040904E4\\FileDescription",
    "\\StringFileInfo",
    "\\StringFileInfo\\040904b0",
    "\\StringFileInfo\\040904b0\\",
    "\\\\",
    "",
    "VarFileInfo\\Translation",
};

const char kPath[] = "C:\\WINDOWS\\system32\\drivers\\fuzz.sys";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzEnvironment& environment = Environment();

    // The walker on its own, on an exact-size copy.
    const std::vector<std::uint8_t> block(data, data + size);
    for (const char* path : kPaths) {
        sim::VersionValue value;
        if (sim::FindVersionValue(block.data(), block.size(), path, value)) {
            FUZZ_CHECK(value.offset <= block.size());
            FUZZ_CHECK(value.bytes <= block.size() - value.offset);
        }
    }

    // The same bytes as a driver file's resource, read as the report reads it.
    machine::DriverFile file;
    file.path = kPath;
    file.rawBlock = block;
    environment.platform.machine().files.clear();
    environment.platform.machine().files[kPath] = file;

    VersionResInfo info;
    if (info.LoadVersionResource(kPath) != 0) {
        return 0;
    }
    std::uint16_t a = 0, b = 0, c = 0, d = 0;
    info.GetFileVersion(a, b, c, d);
    info.GetProductVersion(a, b, c, d);
    LangCodePageList translations;
    info.GetLangCodePageList(translations);
    translations.push_back(0x04B00409);
    for (std::size_t i = 0; i < translations.size() && i < 4; ++i) {
        for (const char* name : {"CompanyName", "InternalName", "FileDescription"}) {
            const char* text = nullptr;
            std::uint32_t length = 0;
            if (info.GetLangCodeDependentResStr(
                    text, length, name, static_cast<std::uint16_t>(translations[i]),
                    static_cast<std::uint16_t>(translations[i] >> 16))) {
                FUZZ_CHECK(text != nullptr);
                // The report prints the value up to its terminator: under ASan
                // strlen proves that lies inside the buffer. Only a text value
                // promises it within the length; a binary one (type 0) is raw.
                const std::size_t shown = std::strlen(text);
                char subBlock[96];
                std::snprintf(subBlock, sizeof subBlock, "\\StringFileInfo\\%04x%04x\\%s",
                              translations[i] & 0xFFFFu, translations[i] >> 16, name);
                sim::VersionValue value;
                if (sim::FindVersionValue(block.data(), block.size(), subBlock, value) &&
                    value.isText) {
                    FUZZ_CHECK(shown <= length);
                }
            }
        }
    }
    return 0;
}
