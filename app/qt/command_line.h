#pragma once

#include <optional>

namespace talvex::qt {

// Exit code for a command line that cannot be understood (an unknown option, a missing value,
// an argument where none is taken); 0 and 1 mean what they do for the window.
inline constexpr int kUsageError = 2;

// Answers --help and --version, and rejects what is neither these nor one of Qt's own options,
// all before Qt needs a display. The exit code when the program ends here; nothing when the
// window is to open.
[[nodiscard]] std::optional<int> answerCommandLine(int argc, const char* const* argv);

} // namespace talvex::qt
