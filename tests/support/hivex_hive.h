// Hives through hivex, the reference reader and writer of the format on
// Linux (host builds with libhivex only): fills a hive our writer made empty,
// and lists a hive as hivex reads it, in the form our reader hands on.
#pragma once

#include <string>

#include "machine/registry_tree.h"

// Adds `root`'s subkeys and values to the hive file at `path` (the root key
// of an empty hive), string data in UTF-16 as Windows stores it.
bool FillHiveWithHivex(const std::string& path, const machine::RegKey& root, std::string& error);

// One line per key ("K path") and value ("V path \"name\" type hexbytes"), in
// the hive's order; names and string data in the ANSI code page.
bool HivexListing(const std::string& path, std::string& listing, std::string& error);

// The same listing of a registry tree's key `root`.
std::string TreeListing(const machine::RegKey& root);
