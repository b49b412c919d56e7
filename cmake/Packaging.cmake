# Installing Karvex and its Debian package.
#
# The program, its sounds and licence.txt go into one folder (default /opt/karvex) that only
# root may write. Beside the executable goes the marker that names the data folder (default
# /var/lib/karvex), where the installed program keeps config.ini and its playlists; the
# package's postinst creates that folder for the group karvex. With KARVEX_DATA_DIR empty no
# marker is installed and the copy keeps its data beside the executable, as a build does.
# The desktop entry, its icon, the kiosk start and the package's documents go to the
# system's own places.
if(CMAKE_INSTALL_PREFIX_INITIALIZED_TO_DEFAULT)
  set(CMAKE_INSTALL_PREFIX /opt/karvex CACHE PATH "Karvex's program folder" FORCE)
endif()
set(KARVEX_DATA_DIR /var/lib/karvex CACHE PATH "Where the installed Karvex keeps its settings and playlists")
set(KARVEX_INSTALL_DIR ${CMAKE_INSTALL_PREFIX})
set(KARVEX_KIOSK_SESSION /usr/libexec/karvex-kiosk-session)
set(KARVEX_DOC_DIR /usr/share/doc/karvex)
set(KARVEX_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)
set(KARVEX_PACKAGING_OUT ${PROJECT_BINARY_DIR}/packaging)
set(KARVEX_MAINTAINER "Karvex developers <developers@karvex.org>")

get_directory_property(KARVEX_INSTALLED_SOUNDS DIRECTORY assets DEFINITION KARVEX_SOUNDS)
install(TARGETS karvex RUNTIME DESTINATION .)
install(FILES ${KARVEX_INSTALLED_SOUNDS} ${KARVEX_PROGRAM_DIR}/licence.txt DESTINATION .)
if(KARVEX_DATA_DIR)
  file(WRITE ${KARVEX_PACKAGING_OUT}/data-folder "${KARVEX_DATA_DIR}\n")
  install(FILES ${KARVEX_PACKAGING_OUT}/data-folder DESTINATION .)
endif()

configure_file(${KARVEX_PACKAGING_DIR}/karvex.desktop.in ${KARVEX_PACKAGING_OUT}/karvex.desktop @ONLY)
configure_file(${KARVEX_PACKAGING_DIR}/kiosk/karvex-kiosk@.service.in ${KARVEX_PACKAGING_OUT}/karvex-kiosk@.service @ONLY)
configure_file(${KARVEX_PACKAGING_DIR}/kiosk/karvex-kiosk-session.in ${KARVEX_PACKAGING_OUT}/karvex-kiosk-session @ONLY)
install(FILES ${KARVEX_PACKAGING_OUT}/karvex.desktop DESTINATION /usr/share/applications)
install(FILES ${KARVEX_PACKAGING_DIR}/karvex.svg DESTINATION /usr/share/icons/hicolor/scalable/apps)
install(FILES ${KARVEX_PACKAGING_OUT}/karvex-kiosk@.service DESTINATION /usr/lib/systemd/system)
install(PROGRAMS ${KARVEX_PACKAGING_OUT}/karvex-kiosk-session DESTINATION /usr/libexec)

# The licence as the package's copyright file, and the package's changelog compressed the
# way Debian wants it (gzip -9n: best, without name or time, so builds are reproducible).
configure_file(${KARVEX_PACKAGING_DIR}/debian/changelog.in ${KARVEX_PACKAGING_OUT}/debian/changelog @ONLY)
execute_process(COMMAND gzip -9nc ${KARVEX_PACKAGING_OUT}/debian/changelog
  OUTPUT_FILE ${KARVEX_PACKAGING_OUT}/debian/changelog.Debian.gz COMMAND_ERROR_IS_FATAL ANY)
install(FILES ${KARVEX_PACKAGING_OUT}/debian/changelog.Debian.gz DESTINATION ${KARVEX_DOC_DIR})
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${KARVEX_DOC_DIR} RENAME copyright)

foreach(script postinst postrm)
  configure_file(${KARVEX_PACKAGING_DIR}/debian/${script}.in ${KARVEX_PACKAGING_OUT}/debian/${script} @ONLY
    FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME karvex)
set(CPACK_PACKAGE_VENDOR "Karvex")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "touch-screen front end for a car PC")
set(CPACK_PACKAGE_DESCRIPTION "Karvex runs full-screen on the car's 800 x 600 touch screen.
It plays media from playlists, shows speed and heading from a GPS receiver,
speaks and clicks for every tap, and launches the vehicle's service manual
and OBDII program.")
set(CPACK_PACKAGE_CONTACT ${KARVEX_MAINTAINER})
# The packaging's own revision of version 1.0: the first package was 1.0 without one.
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
# Files installed outside the program folder keep their absolute places in the package.
set(CPACK_SET_DESTDIR ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
# What the program and the maintainer scripts use besides the libraries it links; Qt's X11
# platform plugin comes with libqt6gui6, and libmpv and espeak-ng are loaded at run time,
# not linked.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "adduser, espeak-ng-data, xdg-utils, libmpv2, libespeak-ng1")
find_program(KARVEX_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(KARVEX_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS
    ", libqt6widgets6, libqt6gui6, libqt6dbus6, libqt6core6, libasound2, libtag1v5, libx11-6")
endif()
# The kiosk session: an X server, xinit, xrandr and xset, and xmessage for its messages.
# The driver's phone: BlueZ, and bluez-alsa-utils, whose units (bluealsa, bluealsa-aplay)
# play the phone's sound through the car's ALSA output. A car without Bluetooth goes without.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
  "fonts-dejavu-core, xinit, xserver-xorg, x11-xserver-utils, x11-utils, bluez, bluez-alsa-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${KARVEX_PACKAGING_OUT}/debian/postinst ${KARVEX_PACKAGING_OUT}/debian/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
