#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace talvex::form {

// What a screen reader is to say once Command1(`command`) has run, with `outputText` what the
// output box holds after it (UTF-8, CR LF): after Choose the box's lines run on, the PIN spelt
// digit by digit rather than read as a number in the thousands; after Clear the window's own
// sentence for it; nothing for an index that does nothing.
[[nodiscard]] std::string announcement(std::int16_t command, std::string_view outputText);

} // namespace talvex::form
