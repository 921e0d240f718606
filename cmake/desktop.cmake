# Installation as a desktop game: the binary, its launcher, its icons, its AppStream data and its
# manual page, and a .deb built by CPack that lintian accepts.
include(GNUInstallDirs)

set(DRAVIK_APP_ID org.dravik2000.Dravik)

add_executable(dravik_icon_png tools/icon_png.cpp)
target_link_libraries(dravik_icon_png PRIVATE dravik_qt)

set(icon_files)
foreach(size 16 32 48 64 128 256)
  set(png ${CMAKE_CURRENT_BINARY_DIR}/icons/${size}/dravik.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/icons/${size}
    COMMAND dravik_icon_png ${size} ${png}
    DEPENDS dravik_icon_png
    VERBATIM)
  list(APPEND icon_files ${png})
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_target(dravik_icons ALL DEPENDS ${icon_files})

# Debian wants its compressed documents reproducible: the best compression, no name or time stamp.
function(dravik_gzip source output)
  add_custom_command(OUTPUT ${output}
    COMMAND gzip -9n --stdout ${source} > ${output}
    DEPENDS ${source}
    VERBATIM)
endfunction()

# Each of these names the version of project(), which is written nowhere else.
configure_file(data/dravik.6.in ${CMAKE_CURRENT_BINARY_DIR}/dravik.6 @ONLY)
configure_file(cmake/debian/changelog.in ${CMAKE_CURRENT_BINARY_DIR}/changelog @ONLY)
configure_file(data/${DRAVIK_APP_ID}.metainfo.xml.in
               ${CMAKE_CURRENT_BINARY_DIR}/${DRAVIK_APP_ID}.metainfo.xml @ONLY)
dravik_gzip(${CMAKE_CURRENT_BINARY_DIR}/dravik.6 ${CMAKE_CURRENT_BINARY_DIR}/dravik.6.gz)
dravik_gzip(${CMAKE_CURRENT_BINARY_DIR}/changelog ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz)
add_custom_target(dravik_docs ALL
  DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/dravik.6.gz ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz)

# Directories made by the installation are world-readable whatever the umask of the build.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# Debian keeps the programs of its games section in /usr/games.
install(TARGETS dravik RUNTIME DESTINATION games)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/dravik.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES cmake/debian/copyright ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES data/dravik.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES data/${DRAVIK_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${DRAVIK_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME dravik)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Dravik 2000 developers <dravik@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Mine-finding puzzle with automatic deduction rules")
# The control file keeps these line breaks; lintian wants its lines under 80 characters.
set(CPACK_PACKAGE_DESCRIPTION [[
A board of 30 by 16 cells hides 99 mines: uncover every safe cell and
mark every mine. Hitting a mine does not end the game: the mine is marked
and play goes on. Deduction rules, fired from a menu or racing the player
in Keep Up Mode, uncover and mark what the numbers prove.]])
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The fonts the windows ask for, and Qt's platform plugins, without which no window opens (Qt's
# libraries only recommend them); the libraries themselves come from shlibdeps. Without
# qt6-wayland a Wayland session shows the game through XWayland.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, fonts-dejavu-core, qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
