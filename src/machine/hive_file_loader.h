// Hive files of a machine (its SYSTEM and SOFTWARE hives, from its Windows
// folder or saved with `reg save`) into one registry tree, laid out as the
// exports of the same keys would be: HKEY_LOCAL_MACHINE\SYSTEM\... and
// HKEY_LOCAL_MACHINE\SOFTWARE\....
#pragma once

#include <string>

#include "machine/registry_tree.h"

namespace machine {

enum class HiveKind { System, Software };

// Which hive the file holds is told by its keys (Select and ControlSetNNN,
// or Microsoft). False with `error` ("FILE: ..." or "FILE: offset 0x...:
// ...") when it is no hive this reader takes or neither of the two; `note`
// is set for a hive that was not written completely.
bool LoadHiveFile(const std::string& path, RegistryTree& tree, HiveKind& kind, std::string& note,
                  std::string& error);

}  // namespace machine
