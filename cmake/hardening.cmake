# Everything we build carries the compilers' defences against memory corruption, the tests as
# well as what we ship, so that the tests run the code as users get it. A stack guard found
# overwritten, or a copy past the end of a buffer the compiler knows, ends the program there.
#
# The stack protector puts a random guard below the return address of every function with an
# array or a local whose address escapes. On Windows its runtime, GCC's libssp, is linked in
# statically like the rest and seeds the guard from CryptGenRandom, an advapi32 import.
# (C++ only: the resource compiler takes none of these.)
add_compile_options($<$<COMPILE_LANGUAGE:CXX>:-fstack-protector-strong>)
add_link_options(-fstack-protector-strong)

# The C library's memory and string functions check lengths the compiler can see (mingw-w64
# takes level 3 as 2). It needs the optimiser, and is left out beside AddressSanitizer, which
# does not know the checked variants of those calls: it would miss faults in them.
if(NOT TALVEX_FUZZ AND NOT CMAKE_CXX_FLAGS MATCHES "-fsanitize=[^ ]*address")
    set(optimised $<CONFIG:Release,RelWithDebInfo,MinSizeRel>)
    add_compile_options("$<$<AND:$<COMPILE_LANGUAGE:CXX>,${optimised}>:-D_FORTIFY_SOURCE=3>")
endif()

if(NOT WIN32)
    # A large or variable allocation on the stack touches each page as it goes, so it cannot
    # step over the guard page into other memory; Windows programs probe their stack anyway.
    # No function of ours allocates that much yet, so the program shows no probe to look for.
    add_compile_options(-fstack-clash-protection)
    # Indirect branches may land only on marked entries, and returns are checked against a
    # shadow stack, where processor and kernel enforce them. The linker marks a
    # program for this only when every object in it is marked, and Debian 12's C library start
    # files (Scrt1.o, crti.o, crtn.o) are not, though their few instructions keep to a shadow
    # stack: the mark is set for the program as a whole. Their _init has no marked entry, which
    # only branch tracking would need, and Linux enforces that for no program.
    if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(x86_64|AMD64|i.86)$")
        add_compile_options(-fcf-protection)
        add_link_options(LINKER:-z,ibt,-z,shstk)
    elseif(CMAKE_SYSTEM_PROCESSOR STREQUAL aarch64)
        # ARM's counterparts, as Debian builds its own arm64 packages: return addresses signed
        # and checked (pointer authentication), and branch targets marked. Processors without
        # them run the same code, which then checks nothing.
        add_compile_options(-mbranch-protection=standard)
    endif()
    # Loaded at a random address; every relocation resolved at start, then made read-only, so
    # no function pointer in the program's tables can be overwritten later.
    set(CMAKE_POSITION_INDEPENDENT_CODE ON)
    include(CheckPIESupported)
    check_pie_supported()
    add_link_options(LINKER:-z,relro,-z,now)
endif()
