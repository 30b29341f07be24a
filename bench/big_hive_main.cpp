// mvsi-big-hive DEVICES SERVICES FILE: writes the SYSTEM hive of a large
// machine (bench/big_system_hive.h) to FILE, our smallest empty hive filled
// through hivex, as the hives of the round-trip tests are made: the hive the
// offline figures in docs/PERFORMANCE.md were measured on.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "big_system_hive.h"
#include "machine/hive_writer.h"
#include "support/hivex_hive.h"

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: mvsi-big-hive DEVICES SERVICES FILE\n");
        return 2;
    }
    const machine::RegistryTree tree =
        BigSystemTree(std::strtoul(argv[1], nullptr, 10), std::strtoul(argv[2], nullptr, 10));
    {
        std::ofstream out(argv[3], std::ios::binary);
        out << machine::EmptyHive();
        if (!out.flush()) {
            std::fprintf(stderr, "mvsi-big-hive: cannot write %s\n", argv[3]);
            return 1;
        }
    }
    std::string error;
    if (!FillHiveWithHivex(argv[3], *tree.Find("HKEY_LOCAL_MACHINE\\SYSTEM"), error)) {
        std::fprintf(stderr, "mvsi-big-hive: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
