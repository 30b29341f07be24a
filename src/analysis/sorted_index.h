// Maps and sets kept as vectors sorted by key. A report's few hundred names
// are looked up by binary search as in a tree, without the tree's code (some
// kilobytes of the window program for each kind of entry).
#pragma once

#include <cstddef>
#include <utility>
#include <vector>

namespace analysis {

// Like std::map's emplace and find: the first value given for a key stays.
template <typename Key, typename Value>
class SortedMap {
  public:
    // False, and nothing changed, when the key is there already.
    bool Emplace(Key key, Value value) {
        const std::size_t at = LowerBound(key);
        if (at < entries_.size() && !(key < entries_[at].first)) {
            return false;
        }
        entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(at),
                        {std::move(key), std::move(value)});
        return true;
    }
    // Null when the key is not there.
    const Value* Find(const Key& key) const {
        const std::size_t at = LowerBound(key);
        return at < entries_.size() && !(key < entries_[at].first) ? &entries_[at].second : nullptr;
    }

  private:
    std::size_t LowerBound(const Key& key) const {
        std::size_t low = 0;
        std::size_t high = entries_.size();
        while (low < high) {
            const std::size_t middle = low + (high - low) / 2;
            if (entries_[middle].first < key) {
                low = middle + 1;
            } else {
                high = middle;
            }
        }
        return low;
    }

    std::vector<std::pair<Key, Value>> entries_;
};

// Like std::set's insert, count and ascending order.
template <typename Key>
class SortedSet {
  public:
    // False when the key is there already.
    bool Insert(Key key) {
        const std::size_t at = LowerBound(key);
        if (at < keys_.size() && !(key < keys_[at])) {
            return false;
        }
        keys_.insert(keys_.begin() + static_cast<std::ptrdiff_t>(at), std::move(key));
        return true;
    }
    bool Contains(const Key& key) const {
        const std::size_t at = LowerBound(key);
        return at < keys_.size() && !(key < keys_[at]);
    }
    const std::vector<Key>& Keys() const { return keys_; }

  private:
    std::size_t LowerBound(const Key& key) const {
        std::size_t low = 0;
        std::size_t high = keys_.size();
        while (low < high) {
            const std::size_t middle = low + (high - low) / 2;
            if (keys_[middle] < key) {
                low = middle + 1;
            } else {
                high = middle;
            }
        }
        return low;
    }

    std::vector<Key> keys_;
};

}  // namespace analysis
