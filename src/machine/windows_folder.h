// The Windows folder of another installation, mounted on this computer
// (/mnt/win/Windows, E:\Windows): where its hives are, and where a file that
// installation names by its own paths lies here.
#pragma once

#include <map>
#include <utility>
#include <string>

namespace machine {

class WindowsFolder {
  public:
    // `drives`: where other drives of that installation are mounted
    // ('C' -> "/mnt/win"); a drive letter is given in upper case.
    WindowsFolder(std::string folder, std::map<char, std::string> drives = {})
        : folder_(std::move(folder)), drives_(std::move(drives)) {}

    const std::string& Folder() const { return folder_; }

    // System32\config\<name>, matched without regard to case; empty when missing.
    std::string Hive(const std::string& name) const;

    // The host path of `path` as the installation names it, its Windows
    // folder being `systemRoot` ("C:\WINDOWS"): \SystemRoot\ and %SystemRoot%
    // mean the folder, a relative path (System32\...) lies under it, the
    // folder's own drive path too; another drive only where it is mounted.
    // Empty when the file is not there or its place is not known.
    std::string HostPath(const std::string& path, const std::string& systemRoot) const;

  private:
    std::string folder_;
    std::map<char, std::string> drives_;
};

}  // namespace machine
