// The Windows host's text for a system error code (the files' failures).
#pragma once

#include <string>

namespace host {

std::string SystemErrorText(unsigned long error);

}  // namespace host
