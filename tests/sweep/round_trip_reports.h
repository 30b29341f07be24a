// Reports the program writes that no golden file holds, for the reader's
// round trip: every report of the fault sweep, every example machine under
// each trace configuration mask, and machines whose names make trace
// messages reach and pass the trace log's buffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "machine/machine.h"

// `where` names the report for a failure message.
using ReportVisitor = std::function<void(const std::string& where, const std::string& text)>;

// Under the trace mask `mask` (7: the defaults): each example machine's
// report, then the report with each of its calls failed and with each of its
// allocations failed.
std::size_t VisitSweepReports(std::uint32_t mask, const ReportVisitor& visit);

// Each example machine's report under each of the eight masks of the three
// trace types (ERROR, WARNING, INFO).
std::size_t VisitMaskReports(const ReportVisitor& visit);

// The worked example with a function driver and a filter whose names, and a
// binary path whose length, make their ERROR messages just fit, just fill
// and overflow the trace log's buffer.
std::size_t VisitLongNameReports(const ReportVisitor& visit);

// The machine of VisitLongNameReports whose messages are `length` bytes
// long before the trace log cuts them (their final line feed included).
machine::Machine LongNameMachine(std::size_t length);
