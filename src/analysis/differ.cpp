#include "analysis/differ.h"

#include <algorithm>

namespace analysis {

void Differ::List(const std::string& subject, const std::string& field,
                  const std::vector<std::string>& before, const std::vector<std::string>& after) {
    std::vector<std::string> keptBefore;
    std::vector<std::string> keptAfter;
    for (const std::string& name : before) {
        const bool kept = std::any_of(after.begin(), after.end(),
                                      [&](const std::string& a) { return SameName(a, name); });
        kept ? keptBefore.push_back(name) : Add(subject, field, ChangeKind::Removed, name, "");
    }
    for (const std::string& name : after) {
        const bool kept = std::any_of(before.begin(), before.end(),
                                      [&](const std::string& b) { return SameName(b, name); });
        kept ? keptAfter.push_back(name) : Add(subject, field, ChangeKind::Added, "", name);
    }
    // Kept entries outside a longest common subsequence of the two orders moved.
    const std::size_t n = keptBefore.size();
    const std::size_t m = keptAfter.size();
    std::vector<std::vector<std::size_t>> common(n + 1, std::vector<std::size_t>(m + 1, 0));
    for (std::size_t i = n; i-- > 0;) {
        for (std::size_t j = m; j-- > 0;) {
            common[i][j] = SameName(keptBefore[i], keptAfter[j])
                               ? common[i + 1][j + 1] + 1
                               : std::max(common[i + 1][j], common[i][j + 1]);
        }
    }
    std::vector<bool> stayed(m, false);
    for (std::size_t i = 0, j = 0; i < n && j < m;) {
        if (SameName(keptBefore[i], keptAfter[j])) {
            stayed[j] = true;
            ++i;
            ++j;
        } else if (common[i + 1][j] >= common[i][j + 1]) {
            ++i;
        } else {
            ++j;
        }
    }
    for (std::size_t j = 0; j < m; ++j) {
        if (!stayed[j]) {
            const auto old =
                std::find_if(keptBefore.begin(), keptBefore.end(),
                             [&](const std::string& x) { return SameName(x, keptAfter[j]); });
            Add(subject, field, ChangeKind::Moved,
                keptAfter[j] + " at " + std::to_string(old - keptBefore.begin() + 1),
                keptAfter[j] + " at " + std::to_string(j + 1));
        }
    }
}

}  // namespace analysis
