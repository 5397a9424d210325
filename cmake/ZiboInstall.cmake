# SPDX-License-Identifier: MIT
# Installation (cmake --install, also with DESTDIR) and the Debian package (cpack -G DEB).
#
#   <prefix>/games/zibo                          the game
#   <prefix>/bin/zibo-fgg                        the data tool, renamed so it cannot clash
#   <prefix>/share/games/kapitan-zibo/           Data/, Sounds/, wdata/, locale/, website.url
#   <prefix>/share/applications, metainfo, icons/hicolor, man/man6, man/man1, doc/kapitan-zibo
#
# The game finds its data from its own place (<prefix>/games -> <prefix>/share/games/...), so
# an installation works under any prefix.

set(ZIBO_HOMEPAGE "https://www.example.com/zibo/" CACHE STRING "The game's web page (metainfo, package)")
set(ZIBO_SOURCE_URL "https://www.example.com/zibo/source/raw/main" CACHE STRING
    "Where the repository's files can be fetched (the metainfo's screenshots)")
set(ZIBO_MAINTAINER "Kapitan Zibo authors <authors@kapitan-zibo.net>" CACHE STRING "The package's maintainer")

set(ZIBO_DATA_DESTINATION share/games/kapitan-zibo)
set(ZIBO_DOC_DESTINATION share/doc/kapitan-zibo)
set(ZIBO_PACKAGING_OUT ${CMAKE_BINARY_DIR}/packaging)

foreach(file app.desktop app.metainfo.xml zibo.6 zibo-fgg.1 changelog copyright)
  configure_file(${CMAKE_SOURCE_DIR}/packaging/${file}.in ${ZIBO_PACKAGING_OUT}/${file} @ONLY)
endforeach()

# Manual pages and the changelog are installed compressed, reproducibly (no name, no time).
find_program(ZIBO_GZIP gzip REQUIRED)
set(zibo_compressed)
foreach(file zibo.6 zibo-fgg.1 changelog)
  add_custom_command(
    OUTPUT ${ZIBO_PACKAGING_OUT}/${file}.gz
    COMMAND ${ZIBO_GZIP} -9 -n -k -f ${ZIBO_PACKAGING_OUT}/${file}
    DEPENDS ${ZIBO_PACKAGING_OUT}/${file}
    VERBATIM)
  list(APPEND zibo_compressed ${ZIBO_PACKAGING_OUT}/${file}.gz)
endforeach()
add_custom_target(packaging_files ALL DEPENDS ${zibo_compressed})

install(TARGETS zibo RUNTIME DESTINATION games)
install(PROGRAMS $<TARGET_FILE:fgg> DESTINATION bin RENAME zibo-fgg)
# A renamed program is not a target, so "--strip" (and cpack) would leave it unstripped.
install(CODE "if(CMAKE_INSTALL_DO_STRIP)
  execute_process(COMMAND \"${CMAKE_STRIP}\" \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin/zibo-fgg\")
endif()")
install(DIRECTORY ${ZIBO_GAME_DIR}/Data ${ZIBO_GAME_DIR}/Sounds ${ZIBO_GAME_DIR}/wdata ${ZIBO_GAME_DIR}/locale
        DESTINATION ${ZIBO_DATA_DESTINATION})
install(FILES ${ZIBO_GAME_DIR}/website.url DESTINATION ${ZIBO_DATA_DESTINATION})
install(DIRECTORY ${ZIBO_GAME_DIR}/icons/hicolor DESTINATION share/icons)
install(FILES ${ZIBO_PACKAGING_OUT}/app.desktop DESTINATION share/applications RENAME ${ZIBO_APP_ID}.desktop)
install(FILES ${ZIBO_PACKAGING_OUT}/app.metainfo.xml DESTINATION share/metainfo
        RENAME ${ZIBO_APP_ID}.metainfo.xml)
install(FILES ${ZIBO_PACKAGING_OUT}/zibo.6.gz DESTINATION share/man/man6)
install(FILES ${ZIBO_PACKAGING_OUT}/zibo-fgg.1.gz DESTINATION share/man/man1)
install(FILES ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/LICENSE ${ZIBO_PACKAGING_OUT}/copyright
              ${ZIBO_PACKAGING_OUT}/changelog.gz
        DESTINATION ${ZIBO_DOC_DESTINATION})
install(FILES ${CMAKE_SOURCE_DIR}/LICENSES/DejaVu.txt DESTINATION ${ZIBO_DOC_DESTINATION}/LICENSES)

# The Debian package: kapitan-zibo_<version>_<arch>.deb, dependencies from the binaries.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kapitan-zibo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Kapitan Zibo authors")
set(CPACK_PACKAGE_CONTACT "${ZIBO_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "match-3 puzzle game: free Captain Zibo from four monsters")
set(CPACK_PACKAGE_DESCRIPTION
    "Captain Zibo is held by four monsters, one per chapter. Swap neighbouring
gems on an 8 by 8 board to make lines of three or more; lines explode over
the tiles beneath them, and a stage is won when every tile is cleared before
the clock runs out. Sixteen stages, three difficulties, nine bonuses, a story
told between chapters, player profiles, high-score tables, sound effects and
tracker music.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${ZIBO_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${ZIBO_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The libraries the game opens only when it first needs them (platform/LateLibrary.h: the
# sound's mixer and song player, the score service's HTTP client) are not among the binaries'
# own: the package names them here, at the versions that have every function the game uses.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libcurl4 (>= 7.16.2), libsdl2-mixer-2.0-0 (>= 2.6.0), libopenmpt0 (>= 0.3.0)")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS xdg-utils)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
