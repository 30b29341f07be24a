// Registry keys and values read from export files: the sink the parser
// fills, several files merged in the order they are read. Keys keep the
// order they first appear in (regedit writes them sorted); names ignore case.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "machine/machine.h"
#include "machine/reg_file_parser.h"

namespace machine {

class RegKey {
  public:
    explicit RegKey(std::string name) : name_(std::move(name)) {}

    const std::string& Name() const { return name_; }
    // Null when there is no such subkey; `path` may hold several parts
    // separated by '\'.
    const RegKey* Find(const std::string& path) const;
    RegKey* Find(const std::string& path);
    const RegValue* Value(const std::string& name) const;
    RegValue* Value(const std::string& name);
    // Subkeys in the order they were added (deleted ones left out).
    std::vector<const RegKey*> Subkeys() const;
    std::vector<RegKey*> Subkeys();
    const std::vector<std::pair<std::string, RegValue>>& Values() const { return values_; }
    // The values, which the key no longer holds: for one who builds from a
    // tree that is not needed again.
    std::vector<std::pair<std::string, RegValue>> TakeValues();

    RegKey* FindChild(const std::string& name);
    RegKey& Child(const std::string& name);
    void RemoveChild(const std::string& name);
    void SetValue(const std::string& name, RegValue value);
    void RemoveValue(const std::string& name);
    void ReserveValues(std::size_t count) { values_.reserve(values_.size() + count); }

  private:
    using Index = std::map<std::string, std::size_t, CaseInsensitiveLess>;
    // Most keys hold a few names: those are found by a scan, and an index is
    // built only for a key with more (a hive's Enum and Services keys),
    // which keeps a large hive's tree quick to build and to free.
    static constexpr std::size_t kIndexFrom = 16;

    template <typename Key>
    static Key* FindIn(Key* key, const std::string& path);
    template <typename Key>
    static std::vector<Key*> SubkeysOf(Key& key);
    std::size_t SubkeySlot(const std::string& name) const;
    std::size_t ValueSlot(const std::string& name) const;
    void IndexValues();

    std::string name_;
    // A deleted subkey leaves a null slot, so that deleting stays cheap.
    std::vector<std::unique_ptr<RegKey>> subkeys_;
    std::unique_ptr<Index> subkeyIndex_;
    std::vector<std::pair<std::string, RegValue>> values_;
    std::unique_ptr<Index> valueIndex_;
};

class RegistryTree : public RegFileSink {
  public:
    RegistryTree() : root_("") {}

    // "HKEY_LOCAL_MACHINE\\SYSTEM\\Select"; null when absent.
    const RegKey* Find(const std::string& path) const { return root_.Find(path); }
    RegKey* Find(const std::string& path) { return root_.Find(path); }

    void Key(const std::vector<std::string>& path) override;
    void DeleteKey(const std::vector<std::string>& path) override;
    void Value(const std::string& name, RegValue value) override;
    void DeleteValue(const std::string& name) override;
    void ExpectValues(std::size_t count) override;

  private:
    RegKey root_;
    RegKey* current_ = nullptr;
    // The keys of the path last started, root first: readers hand keys on in
    // tree order, so most of a path is found here without a lookup.
    std::vector<RegKey*> open_;
};

// Reads the export file at `path` into `tree`; false with `error` as
// "FILE:LINE: message" (or "FILE: message").
bool LoadRegFile(const std::string& path, RegistryTree& tree, std::string& error);
bool LoadRegBytes(const std::uint8_t* data, std::size_t size, const std::string& name,
                  RegistryTree& tree, std::string& error);

}  // namespace machine
