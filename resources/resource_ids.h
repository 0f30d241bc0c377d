#pragma once

// Resource IDs shared by the resource scripts and the Windows program. Macros, as the resource
// compiler reads only the preprocessor's names: an enumerator there would name a resource by
// its spelling.
#define TALVEX_ICON 1 // NOLINT(modernize-macro-to-enum)
