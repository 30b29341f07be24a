// The report document: a growing narrow text, a few layout primitives and one
// virtual operation per kind of section. While it exists it is a trace sink:
// every ERROR and WARNING message lands in the text at the point reached.
#pragma once

#include <cstdint>
#include <string>

#include "devices/string_list.h"
#include "log/custom_log.h"
#include "platform/platform.h"

class DevNode;
class TSvcCtrl;

class Report : public TCustomLog {
  public:
    Report() = default;
    ~Report() override = default;

    void Output(std::uint32_t type, const char* message) override;
    virtual void AddSystemInfo();
    virtual void AddSetupClassInfo(const win::GUID& classGuid);
    virtual void AddCommonDevNodeInfo(const DevNode& devNode);
    virtual void AddCommonServiceInfo(TSvcCtrl& service);
    virtual void AddDriverVersionInfo(TSvcCtrl& service);

    // Writes the driver stack of the device; `serviceNames`, when given,
    // receives the stack's service names in the order they were written.
    void AddDevNodeDriverStackInfo(const DevNode& devNode, StringList* serviceNames);

    // Writes `s` at column `c` (counted after the indentation) of the current
    // line; text that already reached the column is followed directly.
    void AddText(const std::string& s, std::uint32_t c);
    void AddText(const char* s, std::uint32_t c);
    // Ends the line `count` times; every line break is "\r\n" and the indent.
    void AddNewLines(std::uint32_t count);
    // Indentation for the following lines; re-indents an untouched line.
    void SetIndent(std::uint32_t width);
    void AddDecimal(std::uint32_t value);  // at column 31
    void AddGuid(const win::GUID& guid);   // at column 7

    const std::string& GetText() const { return text; }

  private:
    void Append(const char* s, std::size_t length, std::uint32_t c);

    std::string text;
    std::string indent;
    std::uint32_t column = 0;
    std::uint32_t lineIndent = 0;
};
