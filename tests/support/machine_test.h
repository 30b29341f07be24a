// The base of tests that run against a described machine: a simulated
// platform installed for the test's scope, the trace log at its defaults and
// a capture of everything traced.
#pragma once

#include <gtest/gtest.h>

#include "log/log_config.h"
#include "log/trace_log.h"
#include "platform/simulated/simulated_platform.h"
#include "support/log_capture.h"

class MachineTest : public ::testing::Test {
  protected:
    MachineTest() : scope_(platform) {
        ResetLogState();
        InitLog(DefaultLogConfig());
        // Locating the configuration file asked the platform: start the
        // test's call log and call counters from zero.
        platform.calls().Clear();
        platform.faults().Clear();
    }
    ~MachineTest() override { ResetLogState(); }

    machine::Machine& machine() { return platform.machine(); }

    sim::SimulatedPlatform platform;
    LogCapture log;

  private:
    win::ScopedPlatform scope_;
};
