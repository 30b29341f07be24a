// The report document: a growing narrow text, a few layout primitives and one
// virtual operation per kind of section. While it exists it is a trace sink:
// every ERROR and WARNING message lands in the text at the point reached.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "devices/string_list.h"
#include "log/custom_log.h"
#include "log/trace_log.h"
#include "platform/platform.h"

class DevNode;
class TSvcCtrl;

// A device node's status as the report writes it ("Started", "Problem, code
// 10 (CM_PROB_FAILED_START)", "Unknown" for a status of 0); `meaning` gets the
// problem's meaning, empty without a problem.
std::string DevNodeStatusText(std::uint32_t status, std::uint32_t problem, std::string& meaning);

class Report : public TCustomLog {
  public:
    Report() = default;
    ~Report() override = default;

    void Output(std::uint32_t type, const char* message) override;
    std::uint32_t TypesTaken() const override { return LOG_ERROR | LOG_WARNING; }
    virtual void AddSystemInfo();
    virtual void AddSetupClassInfo(const win::GUID& classGuid);
    virtual void AddCommonDevNodeInfo(const DevNode& devNode);
    virtual void AddCommonServiceInfo(TSvcCtrl& service);
    virtual void AddDriverVersionInfo(TSvcCtrl& service);

    // Writes the driver stack of the device; `serviceNames`, when given,
    // receives the stack's service names in the order they were written.
    void AddDevNodeDriverStackInfo(const DevNode& devNode, StringList* serviceNames);

    // The details beyond the default layout (--details, View > Device
    // Details): a device's status, manufacturer, IDs and configuration flags
    // (offline the status is not known), its driver package, and a
    // service's start type.
    void AddDevNodeDetails(const DevNode& devNode, bool offline);
    void AddDriverPackageInfo(const DevNode& devNode);
    void AddServiceStartType(TSvcCtrl& service);

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
    // The text, which the report no longer holds: no copy of a large report.
    std::string TakeText() { return std::exchange(text, {}); }

  private:
    // `label` and the first value at `column`, each further value alone at
    // `column` on its own line; nothing for an empty list.
    void AddValueLines(const char* label, const StringList& values, std::uint32_t column);
    // A continuation line when the INF file is not in the Windows folder's INF folder.
    void AddInfFileCheck(const std::string& infFile);
    void Append(const char* s, std::size_t length, std::uint32_t c);

    std::string text;
    std::string indent;
    std::uint32_t column = 0;
    std::uint32_t lineIndent = 0;
};
