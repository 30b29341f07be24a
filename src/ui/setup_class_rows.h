// The rows of the Setup Classes dialog: the USB and IEEE 1394 switches, then
// every other installed class by name, each with its present devices counted
// now. Portable, so that the choice itself is tested everywhere.
#pragma once

#include <string>
#include <vector>

#include "report/class_selection.h"

struct SetupClassRow {
    win::GUID guid{};
    std::string name;  // the class name, or the switch's name
    std::string guidText;
    std::string devices;  // "2 devices", "1 device", "no devices", "not installed"
    bool checked = false;
};

// Lists the installed classes through the current platform; `current` says
// which rows start checked. Classes asked for that are not installed keep a
// row, so that a choice is never lost silently.
std::vector<SetupClassRow> SetupClassRows(const ClassSelection& current);

// The selection that the rows' check marks make, in row order.
ClassSelection SelectionFromRows(const std::vector<SetupClassRow>& rows);
