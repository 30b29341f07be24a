// Registry exports of any content: the reader either takes the file or names
// a line and what is wrong there, never crashes, and a machine built from
// what it took gives a report.
#include "machine/reg_file_parser.h"
#include "registry_report.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Environment();
    machine::RegistryTree tree;
    machine::RegFileError error;
    const bool parsed = machine::ParseRegFile(data, size, tree, error);
    FUZZ_CHECK(parsed == error.message.empty());
    FUZZ_CHECK(error.message.find('\n') == std::string::npos);
    FUZZ_CHECK(error.line <= size + 1);
    if (parsed) {
        // A small machine only: the report walks every device.
        CheckRegistryReport(std::move(tree), 64);
    }
    return 0;
}
