// Writes registry content as a hive file: the test hives of a described
// machine, the seeds of the hive reader's fuzzing and the empty hive that
// hivex fills in the tests. Every subkey index kind and big data can be
// chosen, so that the reader meets what real hives hold.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "machine/registry_tree.h"

namespace machine {

enum class HiveIndexKind { Lf, Lh, Li, Ri };

struct HiveWriteOptions {
    HiveIndexKind index = HiveIndexKind::Lh;
    std::size_t riGroup = 2;          // keys per li list under an ri index
    bool compressedNames = true;      // Latin-1 names in one byte per character
    std::size_t bigDataOver = 16344;  // longer data goes to big data segments
    std::uint32_t sequence1 = 1;
    std::uint32_t sequence2 = 1;
};

// The hive whose root key holds `root`'s values and subkeys (the root's own
// name is not kept). Subkeys are sorted as Windows keeps them (upper-cased
// names); string data is stored in UTF-16.
std::string WriteHive(const RegKey& root, const HiveWriteOptions& options = {});

// A hive of one empty root key: the smallest one hivex opens for writing.
std::string EmptyHive();

}  // namespace machine
