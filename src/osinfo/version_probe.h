// Product type, server and home-server tests and version numbers, each found
// by walking a fixed range of candidates through VerifyVersionInfoA.
#pragma once

#include <cstdint>

#include "platform/platform.h"

StatusCode GetProductType(std::uint8_t& productType);
StatusCode IsWindowsServer(bool& isServer);
StatusCode IsWindowsHomeServer(bool& isHomeServer);
// `versionType`: VER_MINORVERSION, VER_MAJORVERSION, VER_BUILDNUMBER,
// VER_SERVICEPACKMINOR or VER_SERVICEPACKMAJOR; candidates 0 to 20.
StatusCode GetVersionNumber(std::uint32_t versionType, std::uint32_t& value);
