// Hive files of any content: the reader either takes the file or names an
// offset inside it and what is wrong there, never reads outside the bytes,
// and a machine built from what it took gives a report.
#include "machine/hive_reader.h"
#include "registry_report.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Environment();
    machine::RegistryTree tree;
    machine::HiveReadResult result;
    const bool read = machine::ReadHive(data, size, {"HKEY_LOCAL_MACHINE", "SYSTEM"}, tree, result);
    FUZZ_CHECK(read == result.fault.message.empty());
    FUZZ_CHECK(result.fault.message.find('\n') == std::string::npos);
    FUZZ_CHECK(result.fault.offset <= size);
    if (read) {
        // The reader is the target: a report only of a small machine, which
        // keeps the run at thousands of inputs a second.
        CheckRegistryReport(std::move(tree), 4);
    }
    return 0;
}
