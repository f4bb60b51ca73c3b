# Installation as a desktop program and its Debian package.
#
# Include this from the top-level CMakeLists.txt after the `divisheet` executable target
# has been defined:
#     include(cmake/Install.cmake)
# Then `cmake --install <build>` installs the program, its menu entry and its icon, and
# `cpack -G DEB` (run in the build folder) makes a .deb of the same files.

include_guard(GLOBAL)

if(NOT TARGET divisheet)
    message(FATAL_ERROR "cmake/Install.cmake needs the divisheet executable target; include it after app/")
endif()

# A project that pulls this one in with add_subdirectory() installs and packages what it
# chooses itself, not our program.
option(DIVISHEET_INSTALL "Install the program and make the Debian package" ${PROJECT_IS_TOP_LEVEL})
if(NOT DIVISHEET_INSTALL)
    return()
endif()

include(GNUInstallDirs)

set(_divisheet_data_dir "${CMAKE_CURRENT_LIST_DIR}/../data")

install(TARGETS divisheet
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES "${_divisheet_data_dir}/divisheet.desktop"
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES "${_divisheet_data_dir}/divisheet.svg"
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES "${_divisheet_data_dir}/divisheet.metainfo.xml"
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo RENAME org.example.divisheet.metainfo.xml)
install(FILES "${_divisheet_data_dir}/copyright"
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/divisheet)
# The worksheet server's unit, neither enabled nor started by the package: a school turns it on.
install(FILES "${_divisheet_data_dir}/divisheet-serve.service" DESTINATION lib/systemd/system)

# The manual page and the changelog go in compressed as Debian expects them: gzip -9, and
# -n so that the archive carries no time stamp and the package builds the same every time.
find_program(DIVISHEET_GZIP gzip REQUIRED)
set(_divisheet_gzipped)
foreach(_file IN ITEMS divisheet.1 changelog)
    add_custom_command(OUTPUT "${PROJECT_BINARY_DIR}/${_file}.gz"
        COMMAND "${DIVISHEET_GZIP}" -9nc "${_divisheet_data_dir}/${_file}" > "${PROJECT_BINARY_DIR}/${_file}.gz"
        DEPENDS "${_divisheet_data_dir}/${_file}" VERBATIM)
    list(APPEND _divisheet_gzipped "${PROJECT_BINARY_DIR}/${_file}.gz")
endforeach()
add_custom_target(divisheet_compressed_docs ALL DEPENDS ${_divisheet_gzipped})
install(FILES "${PROJECT_BINARY_DIR}/divisheet.1.gz" DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES "${PROJECT_BINARY_DIR}/changelog.gz" DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/divisheet)

# Debian package. The version comes from project(); the shared-library dependencies (libc,
# libstdc++, the Qt libraries) are computed by dpkg-shlibdeps (package dpkg-dev); listed by
# hand are what the program loads without linking it: the platform plugins that open the
# window, Qt's own translations for its dialogs, and the Japanese Gothic face that stands
# in for the form's design face.
set(CPACK_PACKAGE_NAME "divisheet")
set(CPACK_PACKAGE_VENDOR "Divisheet developers")
set(CPACK_PACKAGE_CONTACT "Divisheet developers <divisheet@example.org>")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "long-division worksheets in the Japanese column layout")
# Debian's long description: lines of at most 80 columns, each indented by CPack.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Divisheet makes worksheets of long-division problems for primary school,\n"
    "written in the Japanese column layout (hissan): divisor, division bracket\n"
    "and dividend, one digit per box. The user chooses the kind of divisor, the\n"
    "kind of quotient and whether the problems have a remainder; the program\n"
    "fills one landscape page with problems chosen at random and prints it,\n"
    "followed on request by the same problems with their full working as the\n"
    "answer sheet.")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)

set(CPACK_GENERATOR "DEB")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Divisheet developers <divisheet@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION "education")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The program's face: BIZ UDGothic, or IPAGothic on a system that has only that.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, qt6-translations-l10n, fonts-morisawa-bizud-gothic | fonts-ipafont-gothic")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
