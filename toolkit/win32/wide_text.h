// The Win32 API takes UTF-16 text; the rest of the program speaks UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace vantrel {

std::wstring ToWide(std::string_view utf8);
std::string ToUtf8(std::wstring_view wide);

}  // namespace vantrel
