#pragma once

#include <string>
#include <string_view>

namespace talvex::win32 {

// Windows speaks UTF-16; the form and the PIN logic speak UTF-8.
[[nodiscard]] std::wstring widen(std::string_view utf8);
[[nodiscard]] std::string narrow(std::wstring_view utf16);

} // namespace talvex::win32
