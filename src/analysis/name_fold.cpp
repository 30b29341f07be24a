// Names compared as Windows compares them. A file of their own: the window
// program needs them for its findings and page, not the differences, and its
// 32-bit linker keeps every function of an object it takes one from.
#include "analysis/report_diff.h"

namespace analysis {

std::string Folded(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

bool SameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && Folded(a) == Folded(b);
}

}  // namespace analysis
