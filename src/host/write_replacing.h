// Writing a file so that its old content is never lost: the new bytes go to
// a temporary file in the target's folder, and only once they are all written
// and flushed does that file take the target's place. Shared by the command
// line's --output and the window's Save to file.
#pragma once

#include <string>

namespace host {

struct WriteOutcome {
    // Where it failed: Open when the target (or the temporary file beside it)
    // cannot be opened for writing, Write when the bytes did not all reach
    // the device, Replace when the temporary file could not take its place.
    enum Step { Done, Open, Write, Replace };
    Step failed = Done;
    int error = 0;       // the C runtime's errno for Open and Write
    std::string reason;  // the system's text for the failure
};

// Writes `bytes` in place of the file at `path`. A symbolic link is written
// through (its target is replaced, the link stays); the new file gets the
// old one's permissions or attributes. A target that may not be written as
// it stands is refused, as opening it for writing would be. A device or a
// pipe is written into directly. On any failure the old file is as it was
// and no temporary file is left.
WriteOutcome WriteReplacing(const std::string& path, const std::string& bytes);

}  // namespace host
