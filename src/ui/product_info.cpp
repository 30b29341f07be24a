#include "ui/product_info.h"

#include "report/format_string.h"

const char kMakerNotice[] = "Copyright (C) 2015 Malvoret";
const char kLegalNotice[] =
    "This program is provided \"as is\", without warranty of any kind. It only "
    "reads the configuration of the system it runs on and changes nothing. "
    "You may copy and pass it on unchanged, free of charge.";
const char kWebAddress[] = "https://www.malvoret.example/";

std::string AboutVersionText() {
    std::string text;
    FormatString(text, "%s v%u.%u.%u\nRelease Date: %s %s, %s\n\n%s", kProductName, kVersionMajor,
                 kVersionMinor, kVersionBuild, "August", "24", "2015", kMakerNotice);
    return text;
}
