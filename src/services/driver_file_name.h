// The name of a service's driver file: the file name and extension of its
// binary path, looked for in the system's driver directory whatever directory
// the path names.
#pragma once

#include <string>

// False, with `fileName` empty, when the name or extension of the path has
// more than 255 characters or the joined name more than 259: such a name is
// refused rather than cut to a different file's name.
bool DriverFileName(const std::string& binPath, const std::string& serviceName,
                    std::string& fileName);
