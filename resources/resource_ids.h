#pragma once

// Resource IDs shared by the resource scripts and the Windows program.
#define TALVEX_ICON 1
