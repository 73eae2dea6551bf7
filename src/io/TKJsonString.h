#pragma once

#include <string>
#include <string_view>

// A JSON string literal: quotes and backslashes escaped, control bytes as \u00XX,
// every other byte as it is.
std::string TKJsonString(std::string_view text);
