# MODE=install: installs the build into a staging root (DESTDIR, prefix /usr), as `make install`
# would into /usr. MODE=package: builds the Debian package and unpacks it into a staging root.
# Either way, checks that every file stands where the desktop and the program look for it.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
set(root ${WORK}/root)

function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(NOT rc EQUAL 0)
        string(JOIN " " command ${ARGN})
        message(FATAL_ERROR "${command} failed (${rc}):\n${out}")
    endif()
endfunction()

if(MODE STREQUAL "install")
    run(${CMAKE_COMMAND} -E env DESTDIR=${root} ${CMAKE_COMMAND} --install ${BUILD} --prefix /usr)
elseif(MODE STREQUAL "package")
    if(NOT EXISTS ${BUILD}/CPackConfig.cmake)
        message(FATAL_ERROR "no CPackConfig.cmake in ${BUILD}: include cmake/Packaging.cmake in the top-level CMakeLists.txt")
    endif()
    run(cpack -G DEB --config ${BUILD}/CPackConfig.cmake -B ${WORK})
    file(GLOB debs ${WORK}/*.deb)
    list(LENGTH debs count)
    if(NOT count EQUAL 1)
        message(FATAL_ERROR "expected one .deb in ${WORK}, found: ${debs}")
    endif()
    run(dpkg-deb -x ${debs} ${root})
    execute_process(COMMAND dpkg-deb -f ${debs} Package Depends OUTPUT_VARIABLE control)
    if(NOT control MATCHES "Package: quillbox\n")
        message(FATAL_ERROR "the package is not named quillbox:\n${control}")
    endif()
    foreach(dependency libqt6widgets6 libqt6printsupport6 libqt6svg6 qt6-qpa-plugins fonts-liberation)
        if(NOT control MATCHES "[ ,]${dependency}([ ,(]|\n|$)")
            message(FATAL_ERROR "the package does not depend on ${dependency}:\n${control}")
        endif()
    endforeach()
else()
    message(FATAL_ERROR "MODE must be install or package")
endif()

set(expected
    usr/bin/quillbox
    usr/bin/quillbox-launcher
    usr/share/quillbox/quillbox.hlp
    usr/share/applications/quillbox.desktop
    usr/share/icons/hicolor/scalable/apps/quillbox.svg
    usr/share/metainfo/io.github.quillbox.Quillbox.metainfo.xml)
foreach(path ${expected})
    if(NOT EXISTS ${root}/${path})
        message(FATAL_ERROR "${path} is missing from the ${MODE} tree")
    endif()
endforeach()
foreach(program usr/bin/quillbox usr/bin/quillbox-launcher)
    execute_process(COMMAND test -x ${root}/${program} RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "${program} is not executable")
    endif()
endforeach()

# The desktop entry names a program in bin and an icon of the hicolor theme; the help window looks
# for the help file in ../share/quillbox beside the program.
file(STRINGS ${root}/usr/share/applications/quillbox.desktop exec REGEX "^Exec=")
file(STRINGS ${root}/usr/share/applications/quillbox.desktop icon REGEX "^Icon=")
string(REGEX REPLACE "^Exec=([^ ]*).*" "\\1" exec "${exec}")
string(REGEX REPLACE "^Icon=" "" icon "${icon}")
if(NOT EXISTS ${root}/usr/bin/${exec})
    message(FATAL_ERROR "the desktop entry starts '${exec}', which is not installed in bin")
endif()
if(NOT EXISTS ${root}/usr/share/icons/hicolor/scalable/apps/${icon}.svg)
    message(FATAL_ERROR "the desktop entry's icon '${icon}' is not installed")
endif()
file(SHA256 ${root}/usr/share/quillbox/quillbox.hlp installed_help)
file(SHA256 ${BUILD}/quillbox.hlp built_help)
if(NOT installed_help STREQUAL built_help)
    message(FATAL_ERROR "the installed help file differs from the one beside the built program")
endif()

# The designer plugin goes into Qt's plugin folder on `make install`, and never into the package.
if(DESIGNER_PLUGIN)
    if(MODE STREQUAL "install" AND NOT EXISTS ${root}${DESIGNER_PLUGIN})
        message(FATAL_ERROR "the designer plugin is not installed at ${DESIGNER_PLUGIN}")
    endif()
    if(MODE STREQUAL "package" AND EXISTS ${root}${DESIGNER_PLUGIN})
        message(FATAL_ERROR "the designer plugin is in the package")
    endif()
endif()
