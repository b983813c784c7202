# The launcher makes ~/Quillbox, starts the program beside it in that folder and passes its
# arguments on. A stand-in program records where it was started; the home folder has a blank in
# its name.
file(REMOVE_RECURSE ${WORK})
set(bin "${WORK}/bin dir")
set(home "${WORK}/home of user")
file(MAKE_DIRECTORY ${bin} ${home})
file(COPY ${LAUNCHER} DESTINATION ${bin}
    FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
file(WRITE "${bin}/quillbox" "#!/bin/sh\npwd > \"$HOME/started-in\"\necho \"$#\" > \"$HOME/arguments\"\n")
file(CHMOD "${bin}/quillbox" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)

foreach(run first second)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env "HOME=${home}" "${bin}/quillbox-launcher"
        RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "the launcher failed on its ${run} run: ${rc}")
    endif()
    file(READ "${home}/started-in" started)
    string(STRIP "${started}" started)
    if(NOT started STREQUAL "${home}/Quillbox")
        message(FATAL_ERROR "the program started in '${started}', not in '${home}/Quillbox'")
    endif()
    file(READ "${home}/arguments" arguments)
    string(STRIP "${arguments}" arguments)
    if(NOT arguments STREQUAL "0")
        message(FATAL_ERROR "the launcher passed ${arguments} arguments, not 0")
    endif()
    file(REMOVE "${home}/started-in")
endforeach()

# A home folder that cannot hold ~/Quillbox: the launcher fails instead of starting the program
# somewhere else.
file(REMOVE_RECURSE "${home}/Quillbox")
file(WRITE "${home}/Quillbox" "a file where the folder should be")
execute_process(COMMAND ${CMAKE_COMMAND} -E env "HOME=${home}" "${bin}/quillbox-launcher"
    RESULT_VARIABLE rc OUTPUT_QUIET ERROR_QUIET)
if(rc EQUAL 0 OR EXISTS "${home}/started-in")
    message(FATAL_ERROR "the launcher started the program although ~/Quillbox is not a folder")
endif()
