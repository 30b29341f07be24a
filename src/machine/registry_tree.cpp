#include "machine/registry_tree.h"

#include <utility>

#include "host/host_files.h"

namespace machine {

namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

// Equal as CaseInsensitiveLess orders names (ASCII letters folded).
bool SameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] == b[i]) {
            continue;
        }
        const char x = a[i] >= 'A' && a[i] <= 'Z' ? static_cast<char>(a[i] + 32) : a[i];
        const char y = b[i] >= 'A' && b[i] <= 'Z' ? static_cast<char>(b[i] + 32) : b[i];
        if (x != y) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::size_t RegKey::SubkeySlot(const std::string& name) const {
    if (subkeyIndex_) {
        const auto found = subkeyIndex_->find(name);
        return found == subkeyIndex_->end() ? kNone : found->second;
    }
    for (std::size_t i = 0; i < subkeys_.size(); ++i) {
        if (subkeys_[i] && SameName(subkeys_[i]->name_, name)) {
            return i;
        }
    }
    return kNone;
}

std::size_t RegKey::ValueSlot(const std::string& name) const {
    if (valueIndex_) {
        const auto found = valueIndex_->find(name);
        return found == valueIndex_->end() ? kNone : found->second;
    }
    for (std::size_t i = 0; i < values_.size(); ++i) {
        if (SameName(values_[i].first, name)) {
            return i;
        }
    }
    return kNone;
}

void RegKey::IndexValues() {
    valueIndex_.reset();
    if (values_.size() >= kIndexFrom) {
        valueIndex_ = std::make_unique<Index>();
        for (std::size_t i = 0; i < values_.size(); ++i) {
            valueIndex_->emplace(values_[i].first, i);
        }
    }
}

template <typename Key>
Key* RegKey::FindIn(Key* key, const std::string& path) {
    std::size_t at = 0;
    while (key != nullptr && at <= path.size()) {
        std::size_t end = path.find('\\', at);
        if (end == std::string::npos) {
            end = path.size();
        }
        const std::size_t slot = key->SubkeySlot(path.substr(at, end - at));
        key = slot == kNone ? nullptr : key->subkeys_[slot].get();
        at = end + 1;
    }
    return key;
}

template <typename Key>
std::vector<Key*> RegKey::SubkeysOf(Key& key) {
    std::vector<Key*> keys;
    keys.reserve(key.subkeys_.size());
    for (const auto& subkey : key.subkeys_) {
        if (subkey) {
            keys.push_back(subkey.get());
        }
    }
    return keys;
}

const RegKey* RegKey::Find(const std::string& path) const {
    return FindIn(this, path);
}

RegKey* RegKey::Find(const std::string& path) {
    return FindIn(this, path);
}

const RegValue* RegKey::Value(const std::string& name) const {
    const std::size_t slot = ValueSlot(name);
    return slot == kNone ? nullptr : &values_[slot].second;
}

RegValue* RegKey::Value(const std::string& name) {
    const std::size_t slot = ValueSlot(name);
    return slot == kNone ? nullptr : &values_[slot].second;
}

std::vector<const RegKey*> RegKey::Subkeys() const {
    return SubkeysOf(*this);
}

std::vector<RegKey*> RegKey::Subkeys() {
    return SubkeysOf(*this);
}

std::vector<std::pair<std::string, RegValue>> RegKey::TakeValues() {
    valueIndex_.reset();
    return std::exchange(values_, {});
}

RegKey* RegKey::FindChild(const std::string& name) {
    const std::size_t slot = SubkeySlot(name);
    return slot == kNone ? nullptr : subkeys_[slot].get();
}

RegKey& RegKey::Child(const std::string& name) {
    const std::size_t slot = SubkeySlot(name);
    if (slot != kNone) {
        return *subkeys_[slot];
    }
    subkeys_.push_back(std::make_unique<RegKey>(name));
    if (subkeyIndex_) {
        subkeyIndex_->emplace(name, subkeys_.size() - 1);
    } else if (subkeys_.size() >= kIndexFrom) {
        subkeyIndex_ = std::make_unique<Index>();
        for (std::size_t i = 0; i < subkeys_.size(); ++i) {
            if (subkeys_[i]) {
                subkeyIndex_->emplace(subkeys_[i]->name_, i);
            }
        }
    }
    return *subkeys_.back();
}

void RegKey::RemoveChild(const std::string& name) {
    const std::size_t slot = SubkeySlot(name);
    if (slot != kNone) {
        if (subkeyIndex_) {
            subkeyIndex_->erase(subkeys_[slot]->name_);
        }
        subkeys_[slot].reset();
    }
}

void RegKey::SetValue(const std::string& name, RegValue value) {
    const std::size_t slot = ValueSlot(name);
    if (slot != kNone) {
        values_[slot].second = std::move(value);
        return;
    }
    values_.emplace_back(name, std::move(value));
    if (valueIndex_) {
        valueIndex_->emplace(name, values_.size() - 1);
    } else if (values_.size() >= kIndexFrom) {
        IndexValues();
    }
}

void RegKey::RemoveValue(const std::string& name) {
    const std::size_t slot = ValueSlot(name);
    if (slot == kNone) {
        return;
    }
    values_.erase(values_.begin() + static_cast<std::ptrdiff_t>(slot));
    if (valueIndex_) {
        IndexValues();
    }
}

void RegistryTree::Key(const std::vector<std::string>& path) {
    std::size_t same = 0;
    while (same < path.size() && same < open_.size() && open_[same]->Name() == path[same]) {
        ++same;
    }
    open_.resize(same);
    RegKey* key = same == 0 ? &root_ : open_.back();
    for (std::size_t i = same; i < path.size(); ++i) {
        key = &key->Child(path[i]);
        open_.push_back(key);
    }
    current_ = key;
}

void RegistryTree::DeleteKey(const std::vector<std::string>& path) {
    current_ = nullptr;
    open_.clear();
    RegKey* parent = &root_;
    for (std::size_t i = 0; i + 1 < path.size(); ++i) {
        parent = parent->FindChild(path[i]);
        if (parent == nullptr) {
            return;
        }
    }
    if (!path.empty()) {
        parent->RemoveChild(path.back());
    }
}

void RegistryTree::Value(const std::string& name, RegValue value) {
    if (current_ != nullptr) {
        current_->SetValue(name, std::move(value));
    }
}

void RegistryTree::ExpectValues(std::size_t count) {
    // A hive's count is only as good as the hive: room for a few at most.
    constexpr std::size_t kMostReserved = 1024;
    if (current_ != nullptr) {
        current_->ReserveValues(count < kMostReserved ? count : kMostReserved);
    }
}

void RegistryTree::DeleteValue(const std::string& name) {
    if (current_ != nullptr) {
        current_->RemoveValue(name);
    }
}

bool LoadRegBytes(const std::uint8_t* data, std::size_t size, const std::string& name,
                  RegistryTree& tree, std::string& error) {
    RegFileError fault;
    if (ParseRegFile(data, size, tree, fault)) {
        return true;
    }
    error = name + ":" + (fault.line != 0 ? std::to_string(fault.line) + ":" : std::string()) +
            " " + fault.message;
    return false;
}

bool LoadRegFile(const std::string& path, RegistryTree& tree, std::string& error) {
    std::string bytes;
    std::string reason;
    if (!host::ReadFileBytes(path, bytes, reason)) {
        error = path + ": cannot be read: " + reason;
        return false;
    }
    return LoadRegBytes(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), path,
                        tree, error);
}

}  // namespace machine
