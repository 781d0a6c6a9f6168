# SPDX-License-Identifier: GPL-3.0-or-later
# The .deb and .rpm (CPack), built from the Release tree by scripts/package. Only what install()
# names goes in: the programs, the services module, the desktop files and /usr/share/doc/tivren.
set(_tivren_packaging ${PROJECT_SOURCE_DIR}/packaging)

# The changelog's newest entry names the version being packaged; a release that forgets it would
# ship a changelog that lies, so configuring stops.
file(STRINGS ${_tivren_packaging}/changelog _tivren_changelog_head LIMIT_COUNT 1)
if(NOT _tivren_changelog_head MATCHES "^tivren \\(${PROJECT_VERSION}\\) ")
    message(FATAL_ERROR "packaging/changelog does not begin with version ${PROJECT_VERSION}: "
        "'${_tivren_changelog_head}'")
endif()

# Debian wants the changelog compressed reproducibly (no name, no time stamp in the header).
find_program(GZIP_EXECUTABLE gzip REQUIRED)
set(_tivren_changelog_gz ${CMAKE_CURRENT_BINARY_DIR}/packaging/changelog.gz)
add_custom_command(OUTPUT ${_tivren_changelog_gz}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/packaging
    COMMAND ${GZIP_EXECUTABLE} -9n -c ${_tivren_packaging}/changelog > ${_tivren_changelog_gz}
    DEPENDS ${_tivren_packaging}/changelog
    COMMENT "Compressing the changelog")
add_custom_target(tivren_changelog ALL DEPENDS ${_tivren_changelog_gz})

set(_tivren_docdir ${CMAKE_INSTALL_DATADIR}/doc/tivren)
install(FILES ${_tivren_packaging}/copyright ${_tivren_changelog_gz} DESTINATION ${_tivren_docdir})

set(CPACK_PACKAGE_NAME tivren)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Tivren developers")
set(CPACK_PACKAGE_CONTACT "Tivren developers <hello@tivren.org>")
set(CPACK_PACKAGE_HOMEPAGE_URL https://tivren.org)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "time tracker for freelancers who bill by the hour")
set(CPACK_PACKAGE_DESCRIPTION
    "Tivren lives in the tray: start a timer on a project, and every stopped timer
becomes a time entry. Each project has an hourly rate, a billing increment and
a rounding rule; the billing overview turns a date range into billed hours and
money. Around it: a Pomodoro cycle, reminders, CSV export for invoices, day
and week timelines, and export into Google Calendar or the desktop's calendar.
tivrenctl reports from the data file and drives the running program.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB RPM)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)

# Debian: the libraries' packages come from dpkg-shlibdeps. Qt's xcb platform plugin (the one a
# window needs) is in libqt6gui6 on Debian 12, which that already names; the rest is optional.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "evolution-data-server, gnome-keyring | libkf5wallet-bin | keepassxc, qt6-wayland, sound-theme-freedesktop")
# No maintainer scripts: on Debian, dpkg triggers of hicolor-icon-theme (the icon cache) and
# desktop-file-utils (the desktop database) refresh both whenever a package adds or removes files
# there, so calls of our own would only do it twice.

# RPM: requirements found by rpmbuild's autoreq; CMake 3.25 has no variable for Recommends, so it
# joins the RPM build recipe's header lines. No /usr/lib/.build-id links: the .rpm holds what the .deb holds.
set(CPACK_RPM_FILE_NAME RPM-DEFAULT)
set(CPACK_RPM_PACKAGE_LICENSE GPL-3.0-or-later)
set(CPACK_RPM_PACKAGE_GROUP Applications/Productivity)
set(CPACK_RPM_PACKAGE_URL ${CPACK_PACKAGE_HOMEPAGE_URL})
set(CPACK_RPM_PACKAGE_AUTOREQ ON)
set(CPACK_PACKAGE_RELOCATABLE OFF)
set(CPACK_RPM_PACKAGE_SUMMARY "Time tracker for freelancers who bill by the hour")
set(CPACK_RPM_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_RPM_SPEC_MORE_DEFINE
    "Recommends: evolution-data-server, gnome-keyring, qt6-qtwayland, sound-theme-freedesktop
%define _build_id_links none")
set(CPACK_RPM_POST_INSTALL_SCRIPT_FILE ${_tivren_packaging}/rpm-refresh-caches.sh)
set(CPACK_RPM_POST_UNINSTALL_SCRIPT_FILE ${_tivren_packaging}/rpm-refresh-caches.sh)
# Folders the filesystem and the icon theme own; the package owns only its own.
set(CPACK_RPM_EXCLUDE_FROM_AUTO_FILELIST_ADDITION
    /usr/${CMAKE_INSTALL_LIBDIR}
    /usr/share/applications
    /usr/share/metainfo
    /usr/share/icons
    /usr/share/icons/hicolor
    /usr/share/man
    /usr/share/man/man1
    /usr/share/dbus-1
    /usr/share/dbus-1/interfaces
    /usr/share/bash-completion
    /usr/share/bash-completion/completions
    /usr/share/zsh
    /usr/share/zsh/vendor-completions
    /usr/share/fish
    /usr/share/fish/vendor_completions.d)
# Every size folder of the theme (and its apps folder) belongs to the theme as well.
foreach(_tivren_size 16x16 22x22 24x24 32x32 48x48 64x64 128x128 256x256 512x512 scalable symbolic)
    list(APPEND CPACK_RPM_EXCLUDE_FROM_AUTO_FILELIST_ADDITION /usr/share/icons/hicolor/${_tivren_size}
        /usr/share/icons/hicolor/${_tivren_size}/apps)
endforeach()

include(CPack)
