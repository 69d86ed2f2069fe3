# Run by CPack after it made the packages, before it copies them out: each one
# finished for Debian.
foreach(package ${CPACK_PACKAGE_FILES})
    execute_process(COMMAND ${CMAKE_CURRENT_LIST_DIR}/finish-package.sh ${package} COMMAND_ERROR_IS_FATAL ANY)
endforeach()
