# Installation of the manual page and the documentation, and the Debian
# package built by `cpack -G DEB`.

include(GNUInstallDirs)

install(FILES ${PROJECT_SOURCE_DIR}/docs/nodara-config.1
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_SOURCE_DIR}/README.md
              ${PROJECT_SOURCE_DIR}/README.zh-CN.md
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_PACKAGE_NAME "nodara-config")
set(CPACK_PACKAGE_VENDOR "Nodara developers")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_CONTACT "Nodara developers <nodara@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "configuration generator for the Nodara molecular viewer")
# One line of the package description per line here, as dpkg shows them.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "nodara-config catalogues the Gaussian cube files (*.cub) of a directory"
  "by their names - frontier orbitals, hole and electron densities of"
  "excited states, Fukui functions, dual descriptors, ELF, densities - and"
  "writes one JSON file that tells the Nodara viewer which files to show,"
  "with titles, colours and iso values. Given a Gaussian log, it adds the"
  "excited states of the last TD-DFT section and the frontier-orbital"
  "energies to the notes.")
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE
    GROUP_READ GROUP_EXECUTE
    WORLD_READ WORLD_EXECUTE)

set(CPACK_GENERATOR "DEB")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION "science")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

# Debian ships manual pages compressed. The staged page is gzipped after
# CPack has installed the files and before it builds the package, so that
# `cmake --install` still installs the plain page.
set(nodara_gzip_man_script ${PROJECT_BINARY_DIR}/CPackGzipManPages.cmake)
string(CONFIGURE [[
set(man_dir "${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}/@CMAKE_INSTALL_MANDIR@")
file(GLOB_RECURSE pages "${man_dir}/*.[1-9]")
foreach(page IN LISTS pages)
  execute_process(COMMAND gzip -9nf "${page}" RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "gzip failed on ${page}")
  endif()
endforeach()
]] nodara_gzip_man_code @ONLY)
file(WRITE ${nodara_gzip_man_script} "${nodara_gzip_man_code}")
set(CPACK_PRE_BUILD_SCRIPTS ${nodara_gzip_man_script})

include(CPack)
