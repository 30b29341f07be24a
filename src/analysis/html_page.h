// The frame of every page: one self-contained document (its style inline, no
// script, nothing fetched from anywhere) that reads in the reader's light or
// dark scheme, on a narrow screen and on paper.
#pragma once

#include <string_view>

#include "analysis/html_writer.h"

namespace analysis {

// From <!DOCTYPE html> to the opening <body>; `title` is UTF-8.
void BeginHtmlPage(HtmlWriter& html, std::string_view title);
void EndHtmlPage(HtmlWriter& html);

}  // namespace analysis
