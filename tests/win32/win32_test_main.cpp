#include "app/win32/accessibility.h"

#include <gtest/gtest.h>
#include <windows.h>
// windows.h first: commctrl.h relies on its types.
#include <commctrl.h>

int main(int argc, char* argv[]) {
    // As Talvex.exe does: the controls of version 6, which the shared manifest asks for.
    const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    // As Talvex.exe does: COM, in which the controls hand screen readers their descriptions.
    const talvex::win32::ComApartment com;
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
