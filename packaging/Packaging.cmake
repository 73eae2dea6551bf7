# What a desktop needs besides the programs: menu entry, AppStream data, icons
# in the hicolor theme, the polkit action for formatting, manual pages, bash
# completion and Debian's copyright and changelog files. CPack turns the
# installed tree into a .deb (`cpack` in the build folder; scripts/package.sh).
#
# The map page, the pictures and the string table are Qt resources compiled
# into tovik-viewer (resources/CMakeLists.txt), so no data folder is installed.

include(GNUInstallDirs)

# One desktop id for the menu entry, the AppStream data, the icons and the
# polkit action; the viewer announces the same name (setDesktopFileName).
set(TOVIK_APP_ID io.github.tovik.Viewer)
set(TOVIK_PACKAGE_NAME tovik-viewer)
set(TOVIK_PACKAGE_CONTACT "Tovik Viewer maintainers <maintainers@users.noreply.c-seed-b12851e9.example>")

find_program(TOVIK_RSVG_CONVERT rsvg-convert REQUIRED)
find_program(TOVIK_GZIP gzip REQUIRED)

set(packaging_source ${CMAKE_CURRENT_LIST_DIR})
set(packaging_build ${CMAKE_BINARY_DIR}/packaging)
set(packaging_outputs)

# tovik_gzip_copy(SOURCE NAME): NAME.gz in the packaging build folder, made the
# way Debian expects (-9, no name or time stamp in the header).
function(tovik_gzip_copy source name)
  set(copy ${packaging_build}/gz/${name})
  add_custom_command(OUTPUT ${copy}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${source} ${copy}
    COMMAND ${TOVIK_GZIP} -9nf ${copy}
    DEPENDS ${source}
    VERBATIM)
  set(packaging_outputs ${packaging_outputs} ${copy}.gz PARENT_SCOPE)
endfunction()

# Icons: the window icon as it is, and PNG sizes rendered from it.
set(icon_source ${PROJECT_SOURCE_DIR}/resources/images/app_icon.svg)
install(FILES ${icon_source}
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
  RENAME ${TOVIK_APP_ID}.svg)
foreach(size 16 22 24 32 48 64 128 256 512)
  set(icon_folder ${packaging_build}/icons/${size}x${size})
  add_custom_command(OUTPUT ${icon_folder}/${TOVIK_APP_ID}.png
    COMMAND ${CMAKE_COMMAND} -E make_directory ${icon_folder}
    COMMAND ${TOVIK_RSVG_CONVERT} --width ${size} --height ${size}
            --output ${icon_folder}/${TOVIK_APP_ID}.png ${icon_source}
    DEPENDS ${icon_source}
    VERBATIM)
  list(APPEND packaging_outputs ${icon_folder}/${TOVIK_APP_ID}.png)
  install(FILES ${icon_folder}/${TOVIK_APP_ID}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# Manual pages carry the project's version.
foreach(page tovik.1 tovik-viewer.1)
  configure_file(${packaging_source}/man/${page} ${packaging_build}/man/${page} @ONLY)
  tovik_gzip_copy(${packaging_build}/man/${page} ${page})
  install(FILES ${packaging_build}/gz/${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()

tovik_gzip_copy(${packaging_source}/changelog changelog.Debian)
install(FILES ${packaging_source}/copyright ${packaging_build}/gz/changelog.Debian.gz
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${TOVIK_PACKAGE_NAME})

add_custom_target(tovik_packaging_files ALL DEPENDS ${packaging_outputs})

install(FILES ${packaging_source}/${TOVIK_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${packaging_source}/${TOVIK_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${packaging_source}/polkit/${TOVIK_APP_ID}.format.policy
  DESTINATION ${CMAKE_INSTALL_DATADIR}/polkit-1/actions)
install(FILES ${packaging_source}/completion/tovik
  DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${TOVIK_PACKAGE_NAME})
set(CPACK_PACKAGE_VENDOR "Tovik Viewer maintainers")
set(CPACK_PACKAGE_CONTACT ${TOVIK_PACKAGE_CONTACT})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "viewer and configurator for the Tovik dashcam's SD card")
# Debian's long description: lines of at most 80 characters.
set(CPACK_PACKAGE_DESCRIPTION [=[
Tovik Viewer plays the front and rear recordings of the Tovik two-channel
car dashcam in step, with the G-sensor graph, speed, GPS precision,
satellites and the position on a map that the camera embeds in each
recording.

Its settings window edits the camera's config.bin, shows the
drive-information log, formats the card as the camera expects it and sets
the camera's clock. The command-line tool tovik gives the same card and
recording functions to scripts.]=])
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Library dependencies come from the binaries (Qt WebEngine's shlibs bring its
# helper process along); the tools that formatting and the card list use
# cannot be seen in them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "dosfstools, pkexec, udisks2")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
