// Text put together from parts in one allocation. A chain of + makes a
// temporary string per step, each with its clean-up code at the call.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

std::string Joined(std::initializer_list<std::string_view> parts);
