#pragma once

#include <memory>
#include <type_traits>
#include <windows.h>

namespace talvex::win32 {

// Windows' drawing objects, owned: freed when their owner lets go of them.
struct GdiObjectDeleter {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
using Brush = std::unique_ptr<std::remove_pointer_t<HBRUSH>, GdiObjectDeleter>;
using Font = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiObjectDeleter>;

} // namespace talvex::win32
