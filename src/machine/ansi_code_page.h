// The simulated machine's ANSI code page, 1252 (Western European): narrow
// text of the description to UTF-16 for the blocks Windows keeps in UTF-16,
// and back for the narrow functions.
#pragma once

#include <cstddef>
#include <string>

namespace machine {

std::u16string AnsiToWide(const std::string& text);
// Characters the code page lacks become '?', as WideCharToMultiByte's default.
std::string WideToAnsi(const std::u16string& text);

}  // namespace machine
