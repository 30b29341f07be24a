// PE images of any content: the resource reader answers a code or a block,
// never reads outside the image, and a block it finds can be walked.
#include "fuzz_support.h"
#include "platform/simulated/pe_version_resource.h"
#include "platform/simulated/version_block.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Environment();
    const std::vector<std::uint8_t> image(data, data + size);
    std::vector<std::uint8_t> block;
    const win::DWORD error = sim::ReadPeVersionResource(image, block);
    if (error != 0) {
        FUZZ_CHECK(error == win::ERROR_BAD_EXE_FORMAT ||
                   error == win::ERROR_RESOURCE_TYPE_NOT_FOUND ||
                   error == sim::ERROR_RESOURCE_NAME_NOT_FOUND ||
                   error == sim::ERROR_RESOURCE_LANG_NOT_FOUND ||
                   error == win::ERROR_RESOURCE_DATA_NOT_FOUND);
        return 0;
    }
    FUZZ_CHECK(block.size() <= image.size());
    sim::VersionValue value;
    if (sim::FindVersionValue(block.data(), block.size(), "\\", value)) {
        FUZZ_CHECK(value.offset + value.bytes <= block.size());
    }
    return 0;
}
