# CPack runs this on each package it has packed (CPACK_POST_BUILD_SCRIPTS names it), so that the
# same files make the same package wherever, whenever and by whomever they are packed. CPack
# stores a zip's files in the order the file system happens to list them, with the packer's user
# and group ids and their times in the packer's time zone, and the members of a Debian package's
# ar archive with the packer's umask. Debian's strip-nondeterminism, made for this, sorts the
# zip's files by name, clears the ids, gives every member of either rw-r--r-- (rwxr-xr-x where
# executable) and sets every time to SOURCE_DATE_EPOCH, in UTC. The tar archives inside the
# Debian package need none of this: CPack sorts them, owns them to root and dates them by
# SOURCE_DATE_EPOCH itself. Without SOURCE_DATE_EPOCH a package stays as CPack packed it.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
    return()
endif()
foreach(package IN LISTS CPACK_PACKAGE_FILES)
    if(package MATCHES "\\.zip$")
        set(type zip)
    elseif(package MATCHES "\\.deb$")
        # Off unless asked for, as it is meant for static libraries.
        set(type ar --normalizers +ar)
    else()
        message(FATAL_ERROR "No way to settle ${package}")
    endif()
    execute_process(
        COMMAND strip-nondeterminism --type ${type} --timestamp $ENV{SOURCE_DATE_EPOCH} ${package}
        COMMAND_ERROR_IS_FATAL ANY)
endforeach()
