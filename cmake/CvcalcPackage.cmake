# Desktop integration and the Debian package: what `cmake --install` puts
# beside the two programs, and CPack's DEB generator (scripts/package).

# Manual pages and the changelog go in compressed, as Debian keeps them.
set(cvcalc_gz_dir ${CMAKE_BINARY_DIR}/package-files)
set(cvcalc_gz_files)
foreach(pair "docs/man/cvcalc.1:cvcalc.1.gz" "docs/man/cvcalc-driver.1:cvcalc-driver.1.gz"
             "resources/package/changelog:changelog.gz")
  string(REPLACE ":" ";" pair ${pair})
  list(GET pair 0 source)
  list(GET pair 1 output)
  add_custom_command(
    OUTPUT ${cvcalc_gz_dir}/${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${cvcalc_gz_dir}
    COMMAND sh -c "gzip -9 -n -c '${PROJECT_SOURCE_DIR}/${source}' > '${cvcalc_gz_dir}/${output}'"
    DEPENDS ${PROJECT_SOURCE_DIR}/${source}
    VERBATIM)
  list(APPEND cvcalc_gz_files ${cvcalc_gz_dir}/${output})
endforeach()
add_custom_target(cvcalc-package-files ALL DEPENDS ${cvcalc_gz_files})

install(FILES ${PROJECT_SOURCE_DIR}/resources/cvcalc.desktop DESTINATION share/applications)
foreach(size 16 24 32 48 64 128 256)
  install(FILES ${PROJECT_SOURCE_DIR}/resources/icon/hicolor/${size}x${size}/cvcalc.png
          DESTINATION share/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/resources/icon/cvcalc.svg DESTINATION share/icons/hicolor/scalable/apps)
install(FILES ${PROJECT_SOURCE_DIR}/resources/package/jp.ac.minamo.kestrel.cvcalc.metainfo.xml
        DESTINATION share/metainfo)
install(FILES ${cvcalc_gz_dir}/cvcalc.1.gz ${cvcalc_gz_dir}/cvcalc-driver.1.gz DESTINATION share/man/man1)
install(FILES ${PROJECT_SOURCE_DIR}/resources/package/copyright ${cvcalc_gz_dir}/changelog.gz
        DESTINATION share/doc/cvcalc)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME cvcalc)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Kestrel Laboratory, Minamo University")
set(CPACK_PACKAGE_CONTACT "Kestrel Laboratory <cvcalc@kestrel.minamo.ac.jp>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "capacitance-voltage calculator for a silicon pn junction")
# Debian's long description: lines of at most 80 characters.
# CPack puts the summary in front as the synopsis line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "cvcalc is a desktop calculator for students of semiconductor devices. It
shows how an abrupt silicon pn-junction diode behaves at 300 K: from the
donor and acceptor densities, the junction area and the applied voltage it
computes the built-in potential and draws the energy bands, the space
charge, the electrostatic potential, the C-V curve and the 1/C^2-V curve,
which zoom and scroll with the mouse. The laboratory's pages, bundled with
the program, explain the physics with worked examples.
.
The package also holds cvcalc-driver, which works the same windows from a
script and prints their state as JSON.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://kestrel.minamo.ac.jp/cvcalc/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What the linker does not show: the web engine's resources, loaded at run
# time, and the fonts the windows are drawn with.  (Its helper process,
# libqt6webenginecore6-bin, is found by shlibdeps.)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6webengine6-data, fonts-ipafont-gothic, fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
include(CPack)
