# Writes what ships beside Talvex.exe for its user to read on Windows, with Windows line ends so
# that every Notepad shows the lines: LICENSE.txt, our licence, and THIRD-PARTY-NOTICES.txt,
# the terms of the libraries that static linking put inside Talvex.exe.
#
# The notices are the texts Debian installed with the very libraries that were linked, never
# retyped: each package's copyright file, and the GPL it points to.
#
#   cmake -D LICENCE=<LICENSE> -D OUTPUT_DIR=<dir>
#         -D MINGW_COPYRIGHT=<file> -D MINGW_PACKAGE=<name version>
#         -D GCC_COPYRIGHT=<file> -D GCC_PACKAGE=<name version> -D GPL=<GPL-3> -P notices.cmake

function(write_for_windows path text)
    string(REPLACE "\r\n" "\n" text "${text}")
    string(REPLACE "\n" "\r\n" text "${text}")
    file(WRITE ${path} "${text}")
endfunction()

function(read path variable)
    if(NOT EXISTS ${path})
        message(FATAL_ERROR "${path} is missing (scripts/lib/install-deps installs its package)")
    endif()
    file(READ ${path} text)
    set(${variable} "${text}" PARENT_SCOPE)
endfunction()

read(${LICENCE} licence)
write_for_windows(${OUTPUT_DIR}/LICENSE.txt "${licence}")

read(${MINGW_COPYRIGHT} mingw)
read(${GPL} gpl)

# Debian's copyright file for GCC covers every language and library GCC has; the part that
# concerns what a C++ program links, libstdc++ and libgcc, runs from the copyright statements
# to the end of the runtime library exception.
read(${GCC_COPYRIGHT} gcc)
set(first "COPYRIGHT STATEMENTS AND LICENSING TERMS")
set(last "requirements of the license of GCC.")
string(FIND "${gcc}" "${first}" start)
string(FIND "${gcc}" "${last}" end)
if(start EQUAL -1 OR end LESS start)
    set(gcc "")
else()
    string(LENGTH "${last}" length)
    math(EXPR length "${end} + ${length} - ${start}")
    string(SUBSTRING "${gcc}" ${start} ${length} gcc)
endif()
if(NOT gcc MATCHES "GCC RUNTIME LIBRARY EXCEPTION")
    message(FATAL_ERROR "${GCC_COPYRIGHT} no longer reads as expected: from \"${first}\" "
                        "to the runtime library exception's \"${last}\"")
endif()

set(rule "================================================================================")
write_for_windows(${OUTPUT_DIR}/THIRD-PARTY-NOTICES.txt "\
Talvex.exe: third-party notices
${rule}

Talvex.exe is linked statically, so besides Talvex's own code, which LICENSE.txt
covers, it holds parts of these libraries, each under its own terms:

  1. The mingw-w64 runtime, with its winpthreads library: the terms in part 1.
  2. libstdc++ and libgcc from GCC: the GNU General Public License, version 3 or later,
     with the GCC Runtime Library Exception, version 3.1, in part 2. The exception lets
     a program compiled with GCC carry these libraries under terms of its own choosing.
  3. The text of the GNU General Public License, version 3, to which part 2 refers.

Each part is the text that Debian's package of the library installed on the machine that
built this Talvex.exe, as that package states it.


${rule}
1. The mingw-w64 runtime and winpthreads: ${MINGW_COPYRIGHT},
   from the Debian package ${MINGW_PACKAGE}
${rule}

${mingw}

${rule}
2. libstdc++ and libgcc: the copyright statements and licensing terms, and the GCC Runtime
   Library Exception, in ${GCC_COPYRIGHT},
   from the Debian package ${GCC_PACKAGE}
${rule}

${gcc}


${rule}
3. The GNU General Public License, version 3: ${GPL}
${rule}

${gpl}")
