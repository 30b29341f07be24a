// A fresh directory under the system's temporary directory, removed with
// everything in it when the object goes; helpers for whole files in it.
#pragma once

#include <filesystem>
#include <string>

class ScratchDir {
  public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    // The native path of `name` inside the directory.
    std::string Path(const std::string& name) const;
    const std::filesystem::path& Root() const { return root_; }

  private:
    std::filesystem::path root_;
};

// Whole-file helpers, binary: no line-break translation.
bool WriteWholeFile(const std::string& path, const std::string& bytes);
// The file's bytes; "<missing>" when it cannot be opened.
std::string ReadWholeFile(const std::string& path);
