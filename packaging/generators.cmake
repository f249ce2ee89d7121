# Each package takes its own part of the install: the zip the exe at its
# top, the Debian package the layout under /usr.
if(CPACK_GENERATOR STREQUAL "ZIP")
    set(CPACK_INSTALL_CMAKE_PROJECTS "${CPACK_TOLMIRAK_BUILD_DIR};Tolmirak;windows;/")
    set(CPACK_PACKAGE_FILE_NAME "tolmirak-${CPACK_PACKAGE_VERSION}-win64")
elseif(CPACK_GENERATOR STREQUAL "DEB")
    set(CPACK_INSTALL_CMAKE_PROJECTS "${CPACK_TOLMIRAK_BUILD_DIR};Tolmirak;debian;/")
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
endif()
set(ENV{SOURCE_DATE_EPOCH} ${CPACK_TOLMIRAK_DATE})
