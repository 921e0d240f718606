# Installation as a desktop game: the binary, its launcher, its icons and its AppStream data,
# and a .deb built by CPack.
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

install(TARGETS dravik RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES data/dravik.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES data/${DRAVIK_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES data/${DRAVIK_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME dravik)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Dravik 2000 developers <dravik@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Mine-finding puzzle with automatic deduction rules")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The fonts the windows ask for; everything else comes from the libraries' own packages.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, fonts-dejavu-core")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
