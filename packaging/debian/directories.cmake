# CPack runs this on the tree it has installed and is about to pack into the Debian package
# (CPACK_PRE_BUILD_SCRIPTS names it): every directory in it gets rwxr-xr-x, as Debian's own
# packages give theirs, whatever the umask of the one who packs.
file(GLOB_RECURSE entries LIST_DIRECTORIES true "${CPACK_TEMPORARY_DIRECTORY}/*")
foreach(entry IN LISTS entries)
    if(IS_DIRECTORY "${entry}" AND NOT IS_SYMLINK "${entry}")
        file(CHMOD "${entry}" DIRECTORY_PERMISSIONS
             OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
    endif()
endforeach()
