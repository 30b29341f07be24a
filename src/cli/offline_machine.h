// A machine described by what another computer's files say of it: registry
// exports (--from-reg), hive files (--hive) or a whole Windows folder
// (--windir), with copies of its driver files.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "machine/machine.h"

bool MachineFromExports(const std::vector<std::string>& files, const std::string& drivers,
                        machine::Machine& machine, std::string& error);

// `notes` gets one line per hive that was not written completely.
bool MachineFromHives(const std::vector<std::string>& hives, const std::string& drivers,
                      machine::Machine& machine, std::vector<std::string>& notes,
                      std::string& error);

// The driver files are those of the installation: each service's file is
// looked for where the report asks for it, mapped into the folder (or a
// mounted drive); one that is not there is missing, as on Windows.
bool MachineFromWindowsFolder(const std::string& folder, const std::map<char, std::string>& drives,
                              machine::Machine& machine, std::vector<std::string>& notes,
                              std::string& error);
