# The Debian package of the program: `make package`, or `cpack -G DEB` in the
# build folder. It holds what the install rules of src/app install and the
# package's own documents from here, nothing else.
include(GNUInstallDirs)
include(${CMAKE_CURRENT_LIST_DIR}/gzip.cmake)

# The version text lives in src/core/version.h; read it from there so the
# package and the title bar cannot disagree.
set(kestrix_version_header ${CMAKE_CURRENT_LIST_DIR}/../src/core/version.h)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${kestrix_version_header})
file(STRINGS ${kestrix_version_header} kestrix_version_line
     REGEX "^inline constexpr std::string_view version = \"[^\"]+\";")
if(NOT kestrix_version_line MATCHES "\"([^\"]+)\"")
  message(FATAL_ERROR "packaging: no version text found in ${kestrix_version_header}")
endif()
set(kestrix_version_text ${CMAKE_MATCH_1})
# Letters after the number mark a pre-release ("1.0d3"); dpkg sorts them after
# "1.0" unless a tilde stands before them, so "1.0d3" becomes "1.0~d3".
string(REGEX REPLACE "^([0-9][0-9.]*)([A-Za-z])" "\\1~\\2" kestrix_deb_version "${kestrix_version_text}")
if(NOT kestrix_deb_version MATCHES "^[0-9][A-Za-z0-9.+~]*$")
  message(FATAL_ERROR "packaging: \"${kestrix_version_text}\" gives no valid Debian version")
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kestrix)
set(CPACK_PACKAGE_VERSION ${kestrix_deb_version})
set(CPACK_DEBIAN_PACKAGE_VERSION ${kestrix_deb_version})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGE_VENDOR "Kestrix developers")
set(CPACK_PACKAGE_CONTACT "Kestrix developers <kestrix@example.org>")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Kestrix developers <kestrix@example.org>")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://kestrix.example.org/")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "compound lookup by molecular formula")
set(CPACK_PACKAGE_DESCRIPTION
    "Kestrix looks up chemical compounds by their molecular formula. It lists the
compounds of a formula with their boiling and melting points, shows the data
of a compound with its structure drawing and links, tabulates the results as
HTML or CSV, and keeps a local cache of the pages it has fetched.")
set(CPACK_STRIP_FILES ON)

# qt_standard_project_setup() gives installed programs the run path
# $ORIGIN:$ORIGIN/../lib, for a Qt shipped beside them. This one uses the
# system's Qt: a run path would only let it load libraries out of /usr/bin.
set_target_properties(kestrix PROPERTIES INSTALL_RPATH "")

# A stripped install (the package, `cmake --install --strip`) also drops the
# compiler's .comment and .note sections, as Debian's own packages do.
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP)
    execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
      \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/$<TARGET_FILE_NAME:kestrix>\"
      COMMAND_ERROR_IS_FATAL ANY)
  endif()")

# usr/share/doc/kestrix/copyright in the machine-readable format, made from
# LICENSE so that the two cannot drift apart.
set(kestrix_license_file ${CMAKE_CURRENT_LIST_DIR}/../LICENSE)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${kestrix_license_file})
file(READ ${kestrix_license_file} kestrix_license)
if(NOT kestrix_license MATCHES "\nCopyright \\(c\\) ([^\n]+)\n\n(.+[^\n])\n*$")
  message(FATAL_ERROR "packaging: LICENSE has no \"Copyright (c) ...\" line followed by the terms")
endif()
set(kestrix_copyright_holder ${CMAKE_MATCH_1})
set(kestrix_license_terms ${CMAKE_MATCH_2})
# A license text in the copyright file is indented by one blank, and an empty
# line is written as " .". Twice: a pass leaves the second of two empty lines.
string(REGEX REPLACE "\n\n" "\n.\n" kestrix_license_terms "${kestrix_license_terms}")
string(REGEX REPLACE "\n\n" "\n.\n" kestrix_license_terms "${kestrix_license_terms}")
string(REPLACE "\n" "\n " kestrix_license_terms " ${kestrix_license_terms}")
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/packaging/copyright @ONLY CONTENT
"Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: Kestrix
Upstream-Contact: @CPACK_DEBIAN_PACKAGE_MAINTAINER@

Files: *
Copyright: @kestrix_copyright_holder@
License: Expat

License: Expat
@kestrix_license_terms@
")
install(FILES ${CMAKE_BINARY_DIR}/packaging/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})
kestrix_install_gzipped(${CMAKE_CURRENT_LIST_DIR}/../packaging/changelog ${CMAKE_INSTALL_DOCDIR})

# libc6, libstdc++6 and the Qt libraries the binary links come from dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads its plugins at run time, so dpkg-shlibdeps cannot see them: the xcb
# platform plugin (a window on X11) and the OpenSSL TLS backend (https). Name
# the packages that own them unless they are ones the binary links anyway, as
# they are on Debian 12, where a second mention would only repeat them.
set(kestrix_linked_files "")
foreach(kestrix_target Qt6::Core Qt6::Gui Qt6::Widgets Qt6::Network)
  get_target_property(kestrix_file ${kestrix_target} LOCATION)
  list(APPEND kestrix_linked_files ${kestrix_file})
endforeach()
set(kestrix_plugin_dir ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_PLUGINS})
set(kestrix_plugin_files ${kestrix_plugin_dir}/platforms/libqxcb.so
                         ${kestrix_plugin_dir}/tls/libqopensslbackend.so)
find_program(KESTRIX_DPKG_QUERY dpkg-query)
mark_as_advanced(KESTRIX_DPKG_QUERY)
set(kestrix_linked_packages "")
set(kestrix_plugin_packages "")
foreach(kestrix_file IN LISTS kestrix_linked_files kestrix_plugin_files)
  # Without dpkg or with a Qt of its own the build still works; only a package
  # made from it would lack these dependencies.
  set(kestrix_failed 1)
  if(KESTRIX_DPKG_QUERY)
    execute_process(COMMAND ${KESTRIX_DPKG_QUERY} -S ${kestrix_file} OUTPUT_VARIABLE kestrix_owner
                    RESULT_VARIABLE kestrix_failed ERROR_QUIET)
  endif()
  if(kestrix_failed)
    message(WARNING "packaging: no Debian package owns ${kestrix_file}")
    continue()
  endif()
  # "libqt6gui6:amd64: /usr/lib/..." -> "libqt6gui6"
  string(REGEX REPLACE "[:,].*" "" kestrix_owner "${kestrix_owner}")
  if(kestrix_file IN_LIST kestrix_plugin_files)
    list(APPEND kestrix_plugin_packages ${kestrix_owner})
  else()
    list(APPEND kestrix_linked_packages ${kestrix_owner})
  endif()
endforeach()
message(STATUS "packaging: Qt plugins come from ${kestrix_plugin_packages}")
foreach(kestrix_owner IN LISTS kestrix_linked_packages)
  list(REMOVE_ITEM kestrix_plugin_packages ${kestrix_owner})
endforeach()
list(REMOVE_DUPLICATES kestrix_plugin_packages)
list(JOIN kestrix_plugin_packages ", " CPACK_DEBIAN_PACKAGE_DEPENDS)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS xdg-utils)

include(CPack)
