#include "machine/registry_tree.h"

#include "host/host_files.h"

namespace machine {

const RegKey* RegKey::Find(const std::string& path) const {
    const RegKey* key = this;
    std::size_t at = 0;
    while (key != nullptr && at <= path.size()) {
        std::size_t end = path.find('\\', at);
        if (end == std::string::npos) {
            end = path.size();
        }
        const auto found = key->subkeyIndex_.find(path.substr(at, end - at));
        key = found == key->subkeyIndex_.end() ? nullptr : key->subkeys_[found->second].get();
        at = end + 1;
    }
    return key;
}

const RegValue* RegKey::Value(const std::string& name) const {
    const auto found = valueIndex_.find(name);
    return found == valueIndex_.end() ? nullptr : &values_[found->second].second;
}

std::vector<const RegKey*> RegKey::Subkeys() const {
    std::vector<const RegKey*> keys;
    keys.reserve(subkeyIndex_.size());
    for (const auto& key : subkeys_) {
        if (key) {
            keys.push_back(key.get());
        }
    }
    return keys;
}

RegKey* RegKey::FindChild(const std::string& name) {
    const auto found = subkeyIndex_.find(name);
    return found == subkeyIndex_.end() ? nullptr : subkeys_[found->second].get();
}

RegKey& RegKey::Child(const std::string& name) {
    const auto [slot, added] = subkeyIndex_.emplace(name, subkeys_.size());
    if (added) {
        subkeys_.push_back(std::make_unique<RegKey>(name));
    }
    return *subkeys_[slot->second];
}

void RegKey::RemoveChild(const std::string& name) {
    const auto found = subkeyIndex_.find(name);
    if (found != subkeyIndex_.end()) {
        subkeys_[found->second].reset();
        subkeyIndex_.erase(found);
    }
}

void RegKey::SetValue(const std::string& name, RegValue value) {
    const auto [slot, added] = valueIndex_.emplace(name, values_.size());
    if (added) {
        values_.emplace_back(name, std::move(value));
    } else {
        values_[slot->second].second = std::move(value);
    }
}

void RegKey::RemoveValue(const std::string& name) {
    const auto found = valueIndex_.find(name);
    if (found == valueIndex_.end()) {
        return;
    }
    values_.erase(values_.begin() + static_cast<std::ptrdiff_t>(found->second));
    valueIndex_.clear();
    for (std::size_t i = 0; i < values_.size(); ++i) {
        valueIndex_.emplace(values_[i].first, i);
    }
}

void RegistryTree::Key(const std::vector<std::string>& path) {
    RegKey* key = &root_;
    for (const std::string& part : path) {
        key = &key->Child(part);
    }
    current_ = key;
}

void RegistryTree::DeleteKey(const std::vector<std::string>& path) {
    current_ = nullptr;
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
