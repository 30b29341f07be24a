// Version fields of a typical driver file, for the tests.
#pragma once

#include "machine/machine.h"

inline machine::VersionFields SampleVersionFields() {
    machine::VersionFields fields;
    const win::WORD file[4] = {5, 1, 2600, 5512};
    const win::WORD product[4] = {5, 1, 2600, 1};
    for (int i = 0; i < 4; ++i) {
        fields.fileVersion[i] = file[i];
        fields.productVersion[i] = product[i];
    }
    fields.translations = {0x04B00409, 0x04E40407};
    fields.strings["040904b0"] = {{"CompanyName", "Example Corporation"},
                                  {"InternalName", "usbhub.sys"},
                                  {"OriginalFilename", "usbhub.sys"},
                                  {"ProductName", "Example Operating System"},
                                  {"FileDescription", "USB Hub Driver"}};
    fields.strings["040704e4"] = {{"CompanyName", "Beispiel GmbH"},
                                  {"FileDescription",
                                   "USB-Hub-Treiber f\xFC"
                                   "r Ger\xE4te"}};
    return fields;
}
