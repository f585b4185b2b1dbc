# CPack settings for the Debian package. Included by packaging/CMakeLists.txt
# when DALMIRO_DEBIAN_PACKAGE is on.

# The Debian revision comes from the changelog, whose newest entry must be
# for this version: a new release adds its entry there first.
file(STRINGS ${CMAKE_CURRENT_SOURCE_DIR}/debian/changelog newest LIMIT_COUNT 1)
if(NOT newest MATCHES "^dalmiro \\(([^-)]+)-([^)]+)\\) ")
    message(FATAL_ERROR "packaging/debian/changelog: cannot read the newest version")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "packaging/debian/changelog starts at ${CMAKE_MATCH_1}, "
                        "the project is at ${PROJECT_VERSION}: add an entry")
endif()
set(CPACK_DEBIAN_PACKAGE_RELEASE ${CMAKE_MATCH_2})

set(DALMIRO_MAINTAINER "Dalmiro developers <dalmiro@example.org>"
    CACHE STRING "The package's Maintainer field")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME dalmiro)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/package)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${DALMIRO_MAINTAINER})
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
# The libraries the program links, found by dpkg-shlibdeps, and beside them
# what it loads or uses without linking: Qt's X11 platform plugin and the
# labels' face. A Wayland session gets Qt's native plugin when it is there.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Dalmiro proposes numbers for a lottery that draws six numbers from 1 to 90
plus a jolly, and presents its proposal as an animated draw: balls tumble in
a glass drum, leave it through a pipe one at a time and are revealed, with
their numbers, in the result column. The interface is in Italian.
.
Dalmiro propone sei numeri da 1 a 90 e un jolly e mostra la proposta come
un'estrazione: le palline girano in un'urna di vetro, ne escono una alla
volta lungo un tubo e compaiono con il loro numero nella colonna dei
risultati.
.
The proposal does not change the odds of winning.")

include(CPack)
