# CPack runs this on each zip it has packed (CPACK_POST_BUILD_SCRIPTS names it), so that the
# same files make the same zip wherever, whenever and by whomever they are packed. CPack stores
# a zip's files in the order the file system happens to list them, with the packer's user and
# group ids and their times in the packer's time zone. Debian's strip-nondeterminism, made for
# this, sorts the files by name, clears the ids, gives every file rw-r--r-- (rwxr-xr-x where
# executable) and sets every time to SOURCE_DATE_EPOCH, in UTC. Without SOURCE_DATE_EPOCH a zip
# stays as CPack packed it.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
    return()
endif()
foreach(package IN LISTS CPACK_PACKAGE_FILES)
    execute_process(
        COMMAND strip-nondeterminism --type zip --timestamp $ENV{SOURCE_DATE_EPOCH} ${package}
        COMMAND_ERROR_IS_FATAL ANY)
endforeach()
