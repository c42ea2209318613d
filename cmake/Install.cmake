# Installation of the program with its desktop entry, AppStream metainfo and icons, and the
# Debian package built from those rules by CPack.

include(GNUInstallDirs)

# One reverse-DNS name ties the desktop entry, the metainfo and the icon together; the
# installed files carry it so they cannot collide with another program's generic "settings".
set(SETTINGS_APP_ID "io.github.settings_vt4400")
cmake_path(GET CMAKE_CURRENT_LIST_DIR PARENT_PATH settings_source_dir)
set(settings_packaging_dir ${settings_source_dir}/packaging)

install(TARGETS Settings RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

install(FILES ${settings_packaging_dir}/settings.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
        RENAME ${SETTINGS_APP_ID}.desktop)
install(FILES ${settings_packaging_dir}/${SETTINGS_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The PNGs are rendered once from the SVG and committed, so a build needs no SVG renderer.
set(settings_icon_sizes 16 32 48 64 128 256)
foreach(size IN LISTS settings_icon_sizes)
    install(FILES ${settings_packaging_dir}/icons/settings-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME ${SETTINGS_APP_ID}.png)
endforeach()
install(FILES ${settings_packaging_dir}/icons/settings.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${SETTINGS_APP_ID}.svg)

# Debian package. Its Depends line comes from dpkg-shlibdeps (package dpkg-dev), which reads
# the shared libraries the installed program links.
set(SETTINGS_PACKAGE_MAINTAINER "Settings developers <settings@example.org>"
    CACHE STRING "Maintainer field of the Debian package: name <e-mail>")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME settings-vt4400)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "jumper setup assistant for the VT-4400 PC/104 data-acquisition card")
# Each line of the text becomes one line of the extended description.
set(CPACK_PACKAGE_DESCRIPTION [=[
Settings shows a photograph of the VT-4400 card with coloured rings on its
jumper fields. Hovering over or clicking a ring opens a small window where the
user types a setting (base address, interrupt, analog output range, supply
source, Port C inversion) and reads off the jumper positions, or clicks the
drawn jumpers and reads off the setting.]=])
set(CPACK_STRIP_FILES TRUE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${SETTINGS_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)

if(BUILD_TESTING)
    # The package test packages the built program, so the program is brought up to date
    # first (a no-op when it is).
    add_test(NAME package_build_program
             COMMAND ${CMAKE_COMMAND} --build ${CMAKE_BINARY_DIR} --target Settings)
    set_tests_properties(package_build_program PROPERTIES
        LABELS package TIMEOUT 1800 FIXTURES_SETUP settings_program)

    # Builds the package, checks what it holds and declares, and runs the program it installs.
    add_test(NAME package
             COMMAND bash ${settings_source_dir}/tests/package/check-package.sh
                     $<TARGET_FILE:Settings> ${CMAKE_BINARY_DIR}/CPackConfig.cmake
                     ${SETTINGS_APP_ID})
    set_tests_properties(package PROPERTIES
        LABELS package TIMEOUT 300 FIXTURES_REQUIRED settings_program)
endif()
