# `make deb`: a Debian package made by CPack from what `make install` puts
# in place. The Makefile configures that build as Debian does (prefix /usr,
# the command in /usr/games, the licence as the copyright file).
set(TRIGONIX_PACKAGE_MAINTAINER "The Trigonix developers <trigonix@users.noreply.github.com>"
    CACHE STRING "The package's maintainer, as Debian writes one: Name <address>")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME trigonix)
set(CPACK_PACKAGE_VENDOR "The Trigonix developers")
set(CPACK_PACKAGE_CONTACT ${TRIGONIX_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "steer a ship through streams of coloured shapes")
# In lines as the package's description shows them.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "Trigonix is a small single-player 3-D arcade game. Your ship sits at the"
    "bottom of the screen while coloured hexagons, squares and triangles"
    "stream towards it down a straight track. Steer, speed up, slow down, and"
    "on the longer races drop bombs that throw the shapes back. The best"
    "result of each of the four races is kept with your initials.")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)

# The install code works out its paths from the prefix and honours
# DESTDIR, so CPack installs with DESTDIR into its staging folder rather
# than under a staging prefix, which would end up in the desktop entry.
set(CPACK_SET_DESTDIR ON)
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${TRIGONIX_HOMEPAGE})
# The libraries from dpkg-shlibdeps; what it cannot see: the GL library SDL
# opens at run time (which brings Mesa's drivers), the font the text is
# drawn in and the soundfont the music is played with.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Either soundfont package gives Debian's default-GM.sf2, which the game
# looks for first.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libgl1, fonts-comic-neue, timgm6mb-soundfont | fluid-soundfont-gm")

include(CPack)
