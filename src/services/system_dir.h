// The Windows system directory, always with a trailing backslash.
#pragma once

#include <string>

#include "platform/platform.h"

StatusCode GetSystemDir(std::string& dir);
