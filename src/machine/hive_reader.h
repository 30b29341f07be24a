// Reads a registry hive file (what Windows keeps in System32\config, and what
// `reg save` writes) into the sink the export parser fills, so that a hive
// gives the same registry tree as an export of the same keys.
//
// Text is handed on in the ANSI code page, as the "A" functions return it:
// key and value names, and the data of REG_SZ, REG_EXPAND_SZ and REG_MULTI_SZ
// values, which a hive holds in UTF-16. Other data is kept byte for byte.
//
// The hive is read as it stands, as hivex reads it: a hive whose two sequence
// numbers differ was not written completely (the machine stopped while
// writing it) and its transaction logs are not applied.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "machine/hive_cells.h"
#include "machine/reg_file_parser.h"

namespace machine {

struct HiveReadResult {
    HiveFault fault;
    bool sequenceNumbersDiffer = false;
    std::uint32_t sequence1 = 0;
    std::uint32_t sequence2 = 0;
};

// Every key of the hive under `mount` (the root key stands for it, its own
// name is not used), values before subkeys, subkeys in the hive's order;
// `levels` below the root only (the keys of the last level without their
// values). False at the first fault; what went to the sink before stays there.
bool ReadHive(const std::uint8_t* data, std::size_t size, const std::vector<std::string>& mount,
              RegFileSink& sink, HiveReadResult& result, std::size_t levels = kMaxKeyDepth);

// The same on a hive whose cells are open (its bins walked once), so that
// it can be read more than once.
bool ReadHive(HiveCells& cells, const std::vector<std::string>& mount, RegFileSink& sink,
              HiveReadResult& result, std::size_t levels = kMaxKeyDepth);

// The "FILE: offset 0x...: message" line of a fault.
std::string HiveFaultText(const std::string& file, const HiveFault& fault);

}  // namespace machine
