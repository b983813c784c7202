# The Debian package (`make package`): the program, its launcher, help, desktop entry, icon and
# AppStream metadata. The Qt Designer plugin is for developers and stays out of the package.
# CPack is set up at the end of the top-level directory, once every install() rule is known, so
# this file may be included anywhere after project().
function(quillbox_packaging)
    set(CPACK_PACKAGE_NAME quillbox)
    set(CPACK_PACKAGE_VENDOR "The Quillbox developers")
    set(CPACK_PACKAGE_CONTACT "The Quillbox developers <support@quillbox.invalid>")
    set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Small desktop notes tracker")
    set(CPACK_PACKAGE_DESCRIPTION
        "Quillbox keeps a list of notes with a title, a category, a creation date, an open or closed status and a plain-text body; sorts, filters and searches them; prints them through a preview and publishes them as one HTML page.")
    set(CPACK_PACKAGE_HOMEPAGE_URL "https://quillbox.invalid")
    set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
    set(CPACK_GENERATOR DEB)
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_SECTION utils)
    set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
    set(CPACK_DEBIAN_PACKAGE_DEPENDS
        "libqt6widgets6, libqt6printsupport6, libqt6svg6, qt6-qpa-plugins, fonts-liberation")
    # The shared libraries' own packages (libc, libstdc++) are found by dpkg-shlibdeps.
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

    # One package from every install component but the designer plugin's.
    get_cmake_property(components COMPONENTS)
    list(REMOVE_ITEM components designer)
    set(CPACK_INSTALL_CMAKE_PROJECTS "")
    foreach(component ${components})
        list(APPEND CPACK_INSTALL_CMAKE_PROJECTS ${CMAKE_BINARY_DIR} ${PROJECT_NAME} ${component} /)
    endforeach()
    include(CPack)
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL quillbox_packaging)
