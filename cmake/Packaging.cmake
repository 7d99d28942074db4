# Installs the program as a desktop application (binary, desktop entry,
# hicolor icons, AppStream metadata, Debian doc files) and sets up CPack's
# DEB generator on the same rules. Included from the top-level CMakeLists.txt
# after add_subdirectory(app).
#
#   cmake --install build --prefix ~/.local          # from source
#   cmake --build build && cpack --config build/CPackConfig.cmake -B build/package
#
# Every rule here belongs to the install component "vuvuviro"; the package
# holds that component only.
include(GNUInstallDirs)

set(VUVUVIRO_APP_ID com.varnell.Vuvuviro)
set(VUVUVIRO_PACKAGE_NAME vuvuviro)
set(VUVUVIRO_INSTALL_COMPONENT vuvuviro)
set(_vuvuviro_packaging ${PROJECT_SOURCE_DIR}/packaging)
set(_vuvuviro_pictures ${PROJECT_SOURCE_DIR}/app/pictures)
set(_vuvuviro_generated ${PROJECT_BINARY_DIR}/packaging)

if(TARGET DErerevov)
  install(TARGETS DErerevov
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
    COMPONENT ${VUVUVIRO_INSTALL_COMPONENT})
endif()

install(FILES ${_vuvuviro_packaging}/${VUVUVIRO_APP_ID}.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
  COMPONENT ${VUVUVIRO_INSTALL_COMPONENT})

# The icon under the application id, at each size the pictures provide.
foreach(size 16 22 32 48 64 128)
  install(FILES ${_vuvuviro_pictures}/icon-${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
    RENAME ${VUVUVIRO_APP_ID}.png
    COMPONENT ${VUVUVIRO_INSTALL_COMPONENT})
endforeach()
install(FILES ${_vuvuviro_pictures}/icon.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
  RENAME ${VUVUVIRO_APP_ID}.svg
  COMPONENT ${VUVUVIRO_INSTALL_COMPONENT})

configure_file(${_vuvuviro_packaging}/${VUVUVIRO_APP_ID}.metainfo.xml.in
  ${_vuvuviro_generated}/${VUVUVIRO_APP_ID}.metainfo.xml @ONLY)
install(FILES ${_vuvuviro_generated}/${VUVUVIRO_APP_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
  COMPONENT ${VUVUVIRO_INSTALL_COMPONENT})

# Debian wants the copyright and a compressed changelog in the package's doc
# folder, and manual pages compressed; gzip -n keeps time stamps out.
foreach(_vuvuviro_doc changelog DErerevov.1)
  execute_process(
    COMMAND gzip -9 -n -c ${_vuvuviro_packaging}/${_vuvuviro_doc}
    OUTPUT_FILE ${_vuvuviro_generated}/${_vuvuviro_doc}.gz
    RESULT_VARIABLE _vuvuviro_gzip)
  if(NOT _vuvuviro_gzip EQUAL 0)
    message(FATAL_ERROR "gzip of packaging/${_vuvuviro_doc} failed: ${_vuvuviro_gzip}")
  endif()
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${_vuvuviro_packaging}/${_vuvuviro_doc})
endforeach()
install(FILES ${_vuvuviro_packaging}/copyright ${_vuvuviro_generated}/changelog.gz
  DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${VUVUVIRO_PACKAGE_NAME}
  COMPONENT ${VUVUVIRO_INSTALL_COMPONENT})
install(FILES ${_vuvuviro_generated}/DErerevov.1.gz
  DESTINATION ${CMAKE_INSTALL_MANDIR}/man1
  COMPONENT ${VUVUVIRO_INSTALL_COMPONENT})

# ---- Debian package ----------------------------------------------------------
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${VUVUVIRO_PACKAGE_NAME})
set(CPACK_PACKAGE_VENDOR "Varnell")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "reboot, power off, suspend, lock or log off on time")
set(CPACK_PACKAGE_DESCRIPTION
  "Varnell Vuvuviro is a tray program that shows a bar of six buttons sliding
in from the screen edge: Reboot, Vuvuviro (power off), Suspend, Lock, Logoff
and Settings. An action runs at once or after a ten-second countdown, and a
daily timer performs one chosen action at a set hour and minute.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Varnell Vuvuviro Maintainers <vuvuviro@varnell.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Depends is computed from the binary's shared libraries by dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Platform themes and the Wayland platform plugin are not linked, only loaded.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-qpa-plugins, qt6-wayland")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_CMAKE_PROJECTS "${PROJECT_BINARY_DIR};${PROJECT_NAME};${VUVUVIRO_INSTALL_COMPONENT};/")
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
