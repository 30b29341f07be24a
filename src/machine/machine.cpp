#include "machine/machine.h"

#include "host/mapped_file.h"

namespace machine {

namespace {

char FoldCase(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

bool CaseInsensitiveLess::operator()(const std::string& a, const std::string& b) const {
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (a[i] == b[i]) {
            continue;  // most names share long stretches byte for byte
        }
        const auto ca = static_cast<unsigned char>(FoldCase(a[i]));
        const auto cb = static_cast<unsigned char>(FoldCase(b[i]));
        if (ca != cb) {
            return ca < cb;
        }
    }
    return a.size() < b.size();
}

RegValue RegValue::String(const std::string& text, win::DWORD type) {
    RegValue value;
    value.type = type;
    value.data.assign(text.begin(), text.end());
    value.data.push_back(0);
    return value;
}

RegValue RegValue::MultiString(const std::vector<std::string>& items) {
    RegValue value;
    value.type = win::REG_MULTI_SZ;
    for (const std::string& item : items) {
        value.data.insert(value.data.end(), item.begin(), item.end());
        value.data.push_back(0);
    }
    value.data.push_back(0);
    return value;
}

RegValue RegValue::Dword(win::DWORD dword) {
    RegValue value;
    value.type = win::REG_DWORD;
    for (int i = 0; i < 4; ++i) {
        value.data.push_back(static_cast<std::uint8_t>(dword >> (8 * i)));
    }
    return value;
}

void AttachPeFile(DriverFile& file, const std::string& hostPath) {
    file.peFile = hostPath;
    file.peImage.reset();
    // Mapped and copied once: a folder of driver files is read whole.
    host::MappedFile image;
    std::string reason;
    if (image.Open(hostPath, static_cast<std::size_t>(-1), reason)) {
        file.peImage.emplace(image.Data(), image.Data() + image.Size());
    }
}

}  // namespace machine
