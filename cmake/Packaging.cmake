# Installing Karvex and its Debian package.
#
# The program, its sounds and licence.txt go into one folder (default /opt/karvex), which
# is also where Karvex writes config.ini and its playlists; the package's postinst makes
# it writable for the group karvex. The desktop entry, its icon and the kiosk start go to
# the system's own places.
if(CMAKE_INSTALL_PREFIX_INITIALIZED_TO_DEFAULT)
  set(CMAKE_INSTALL_PREFIX /opt/karvex CACHE PATH "Karvex's program folder" FORCE)
endif()
set(KARVEX_INSTALL_DIR ${CMAKE_INSTALL_PREFIX})
set(KARVEX_KIOSK_SESSION /usr/libexec/karvex-kiosk-session)
set(KARVEX_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)
set(KARVEX_PACKAGING_OUT ${PROJECT_BINARY_DIR}/packaging)

get_directory_property(KARVEX_INSTALLED_SOUNDS DIRECTORY assets DEFINITION KARVEX_SOUNDS)
install(TARGETS karvex RUNTIME DESTINATION .)
install(FILES ${KARVEX_INSTALLED_SOUNDS} ${KARVEX_PROGRAM_DIR}/licence.txt DESTINATION .)
install(DIRECTORY DESTINATION playlist)

configure_file(${KARVEX_PACKAGING_DIR}/karvex.desktop.in ${KARVEX_PACKAGING_OUT}/karvex.desktop @ONLY)
configure_file(${KARVEX_PACKAGING_DIR}/kiosk/karvex-kiosk@.service.in ${KARVEX_PACKAGING_OUT}/karvex-kiosk@.service @ONLY)
configure_file(${KARVEX_PACKAGING_DIR}/kiosk/karvex-kiosk-session.in ${KARVEX_PACKAGING_OUT}/karvex-kiosk-session @ONLY)
install(FILES ${KARVEX_PACKAGING_OUT}/karvex.desktop DESTINATION /usr/share/applications)
install(FILES ${KARVEX_PACKAGING_DIR}/karvex.svg DESTINATION /usr/share/icons/hicolor/scalable/apps)
install(FILES ${KARVEX_PACKAGING_OUT}/karvex-kiosk@.service DESTINATION /usr/lib/systemd/system)
install(PROGRAMS ${KARVEX_PACKAGING_OUT}/karvex-kiosk-session DESTINATION /usr/libexec)

foreach(script postinst postrm)
  configure_file(${KARVEX_PACKAGING_DIR}/debian/${script}.in ${KARVEX_PACKAGING_OUT}/debian/${script} @ONLY
    FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME karvex)
set(CPACK_PACKAGE_VENDOR "Karvex")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Touch-screen front end for a car PC")
set(CPACK_PACKAGE_DESCRIPTION "Plays media from playlists, shows speed and heading from a GPS receiver, speaks and clicks for every tap, and launches the vehicle's service manual and OBDII program, on one 800 x 600 touch screen.")
set(CPACK_PACKAGE_CONTACT "Karvex developers <karvex@localhost>")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
# Files installed outside the program folder keep their absolute places in the package.
set(CPACK_SET_DESTDIR ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
# What the program loads or starts at run time besides the libraries it links.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, espeak-ng-data, xdg-utils")
find_program(KARVEX_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(KARVEX_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS
    ", libqt6widgets6, libqt6gui6, libqt6core6, libmpv2, libespeak-ng1, libasound2, libjpeg62-turbo, libpng16-16, libtag1v5")
endif()
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core, xinit, xserver-xorg, x11-xserver-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${KARVEX_PACKAGING_OUT}/debian/postinst ${KARVEX_PACKAGING_OUT}/debian/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
