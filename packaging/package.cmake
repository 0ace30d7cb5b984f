# The Debian package. `cpack -G DEB` in the build folder makes
# kestrane_VERSION_amd64.deb of everything `cmake --install` puts in place:
# the two programs (app/, tools/replay/), the desktop entry, icon and job-file
# type (app/), and from here a man page for each program, the guides and the
# copyright and changelog in /usr/share/doc/kestrane.
include(GNUInstallDirs)
set(KESTRANE_DOC_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/kestrane)
set(KESTRANE_PACKAGE_MAINTAINER "Kestrane maintainers <maintainers@kestrane.invalid>"
    CACHE STRING "The Maintainer field of the Debian package")

# The man pages and the changelog carry the version of project(VERSION), and
# are compressed as Debian keeps them (gzip -9n: no file name, no time, so
# that the same sources give the same package).
set(generated ${PROJECT_BINARY_DIR}/packaging)
foreach(page kestrane.1 kestrane-replay.1 changelog)
  configure_file(${CMAKE_CURRENT_LIST_DIR}/${page}.in ${generated}/${page} @ONLY)
  execute_process(COMMAND gzip -9nf ${generated}/${page} RESULT_VARIABLE zipped)
  if(NOT zipped EQUAL 0)
    message(FATAL_ERROR "gzip ${page}: ${zipped}")
  endif()
endforeach()
install(FILES ${generated}/kestrane.1.gz ${generated}/kestrane-replay.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${generated}/changelog.gz ${CMAKE_CURRENT_LIST_DIR}/copyright DESTINATION ${KESTRANE_DOC_DIR})
install(FILES
  ${PROJECT_SOURCE_DIR}/docs/user-guide.zh.md
  ${PROJECT_SOURCE_DIR}/docs/user-guide.en.md
  ${PROJECT_SOURCE_DIR}/docs/job-files.md
  ${PROJECT_SOURCE_DIR}/docs/exports.md
  ${PROJECT_SOURCE_DIR}/docs/replay.md
  # the pictures the guides show
  ${PROJECT_SOURCE_DIR}/docs/window-finished.png
  ${PROJECT_SOURCE_DIR}/docs/window-desk96.png
  ${PROJECT_SOURCE_DIR}/docs/window-desk120.png
  ${PROJECT_SOURCE_DIR}/docs/window-desk144.png
  ${PROJECT_SOURCE_DIR}/docs/window-laptop96.png
  ${PROJECT_SOURCE_DIR}/docs/analysis-plot.png
  DESTINATION ${KESTRANE_DOC_DIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kestrane)
set(CPACK_PACKAGE_VENDOR "the Kestrane developers")
set(CPACK_PACKAGE_CONTACT "${KESTRANE_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "least-squares adjustment of side-angle triangulation chains")
set(CPACK_PACKAGE_DESCRIPTION
    "Kestrane adjusts a side-angle triangulation chain by condition equations: a
strip of triangles laid between known control points, with all three angles of
every triangle and every side observed. The surveyor types one job through a
fixed sequence of prompts; Kestrane shows every misclosure, the adjusted
coordinates of every route point and the precision of the job, prints a report,
analyses the job for blunders (global test, w-test, error ellipses) and exports
the results as CSV, CASS, DXF and GNU Gama files. Its texts are in Chinese.

The package holds the window, kestrane, and kestrane-replay, which runs the
same jobs from a transcript without a screen.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)  # kestrane_VERSION_amd64.deb
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${KESTRANE_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries' packages from dpkg-shlibdeps, and the two faces the window
# and the report are laid out in: AR PL UMing for 宋体 (without a CJK face the
# Chinese texts cannot be read) and Nimbus Sans for the narrow Latin captions.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-arphic-uming, fonts-urw-base35")
# Noto CJK only fills glyphs that UMing lacks, and Qt's translations put its
# own dialogs (print, preview, file chooser) in Chinese; without them Kestrane
# works, with those dialogs in English.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk, qt6-translations-l10n")
set(CPACK_STRIP_FILES ON)
# Only the binary package: the sources are the repository.
set(CPACK_SOURCE_GENERATOR "")
include(CPack)

# The package made, unpacked into a scratch root and checked there, lintian
# included. It installs the build as the install check does: not both at once.
add_test(NAME Package.DebianPackageUnpacksRunsAndPassesLintian
  COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/check_package.sh ${CMAKE_CPACK_COMMAND} ${PROJECT_BINARY_DIR}
          ${PROJECT_BINARY_DIR}/package-check ${PROJECT_VERSION})
set_tests_properties(Package.DebianPackageUnpacksRunsAndPassesLintian PROPERTIES
  SKIP_RETURN_CODE 77 TIMEOUT 600 RESOURCE_LOCK install)
