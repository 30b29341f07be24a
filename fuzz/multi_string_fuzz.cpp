// Registry multi-strings of any shape: never a read outside the buffer, and
// what comes out is a prefix of the strings that are really there.
#include "devices/multi_string.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Environment();
    StringList list;
    list.push_back("stale");
    ConvertMultiStringToList(list, data, static_cast<win::DWORD>(size));

    std::size_t pos = 0;
    for (const std::string& item : list) {
        FUZZ_CHECK(!item.empty());
        FUZZ_CHECK(pos + item.size() < size);
        FUZZ_CHECK(std::memcmp(data + pos, item.data(), item.size()) == 0);
        FUZZ_CHECK(data[pos + item.size()] == 0);
        pos += item.size() + 1;
    }
    return 0;
}
