// Which setup classes a report describes: the USB and IEEE 1394 switches,
// classes asked for by GUID, and every installed class with a present device.
#pragma once

#include <vector>

#include "platform/platform.h"

struct ClassSelection {
    bool showUSB = true;
    bool show1394 = true;
    std::vector<win::GUID> classes;  // in the order asked
    bool allClasses = false;         // then every installed class that has a present device
};

// The classes to report, each once: USB, IEEE 1394, the ones asked, then for
// `allClasses` the installed classes with a present device, by name. Listing
// the installed classes goes through the platform; its failures are traced,
// and a class whose devices cannot be counted is reported rather than left out.
std::vector<win::GUID> SelectedClasses(const ClassSelection& selection);
