# The Debian package: `cpack -G DEB` in a build directory (scripts/package.sh
# makes one). Both programs, the desktop entry and icons (installed by
# src/main), the AppStream metadata, the manual pages and the files Debian
# wants beside them: a copyright file and a compressed changelog.
include_guard(GLOBAL)

set(KELVARA_PACKAGE_NAME kelvara-le)
set(KELVARA_PACKAGE_MAINTAINER "Kelvara LE team <kelvara-le@kelvara.be>")
set(KELVARA_PACKAGE_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/${KELVARA_PACKAGE_NAME})
set(package_resources ${PROJECT_SOURCE_DIR}/resources)
set(package_generated ${PROJECT_BINARY_DIR}/package)

install(FILES ${package_resources}/be.kelvara.KelvaraLE.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${package_resources}/package/copyright DESTINATION ${KELVARA_PACKAGE_DOCDIR})

# Debian wants manual pages and the changelog compressed at the highest level
# and without a time stamp (-n), so that the same sources give the same files.
configure_file(${package_resources}/package/changelog.in ${package_generated}/changelog @ONLY)
set(compressed)
foreach(source ${package_resources}/man/kelvara.1 ${package_resources}/man/kelvara-calc.1
               ${package_generated}/changelog)
  get_filename_component(name ${source} NAME)
  set(output ${package_generated}/${name}.gz)
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E copy ${source} ${package_generated}/gz/${name}
    COMMAND gzip -n -9 -f ${package_generated}/gz/${name}
    COMMAND ${CMAKE_COMMAND} -E rename ${package_generated}/gz/${name}.gz ${output}
    DEPENDS ${source}
    VERBATIM)
  list(APPEND compressed ${output})
endforeach()
add_custom_target(kelvara_package_files ALL DEPENDS ${compressed})
# scripts/run.sh builds the program alone; an install after it needs these too.
add_dependencies(kelvara kelvara_package_files)
install(FILES ${package_generated}/kelvara.1.gz ${package_generated}/kelvara-calc.1.gz
  DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${package_generated}/changelog.gz DESTINATION ${KELVARA_PACKAGE_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${KELVARA_PACKAGE_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Kelvara LE team")
set(CPACK_PACKAGE_CONTACT ${KELVARA_PACKAGE_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# Whatever the umask of the machine that builds the package.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${KELVARA_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the programs link, found by dpkg-shlibdeps from the binaries.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The toolkit's own dialog texts in French; the certificates that the
# forecast download over HTTPS checks the service against.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, ca-certificates")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The synopsis is the project's description; this is the long description.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Kelvara LE tells a road-works site manager when a freshly laid layer of hot
asphalt has cooled enough to reopen the road to traffic. It simulates heat
conduction through the layered road, with convection, sunshine and sky
radiation at the surface, from the layer's thickness, its laying and
reopening temperatures, a wind class, a cloud class and the laying date and
time.
.
The package holds the desktop program kelvara, in French and Dutch, and the
command line kelvara-calc, which runs one computation or a CSV batch without
a graphical session.")
include(CPack)
