# Installs QuarnTrim as a desktop program (executables, desktop entry, icons, AppStream metadata,
# manual pages, demo firmware) and makes a Debian package of it with CPack:
#     cmake --build <dir> && (cd <dir> && cpack)
# scripts/package does this in a Release build and checks what it made. Included once from the
# top-level CMakeLists.txt, after every target exists. Tests, benchmarks, quarn-screens and the
# fuzz targets are tools for developers and are not installed.
include(GNUInstallDirs)
# Folders as Debian expects them, whatever the umask of the build (set before any install rule).
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(QUARN_PACKAGE_NAME quarntrim)
# The reverse-DNS name that ties the desktop entry and the AppStream metadata together.
set(QUARN_APP_ID com.halvern.QuarnTrim)
set(QUARN_PACKAGE_MAINTAINER "QuarnTrim maintainers <quarntrim@halvern.example>"
    CACHE STRING "Maintainer named in the Debian package (Name <address>)")
# The picture is packaging/screenshots/main-window.png; software centres fetch it from this address.
set(QUARN_SCREENSHOT_URL "https://quarntrim.halvern.example/screenshots/main-window.png"
    CACHE STRING "Where the AppStream metadata finds the screenshot of the main window")

set(QUARN_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)
set(QUARN_PACKAGING_OUT ${PROJECT_BINARY_DIR}/packaging)
set(QUARN_PACKAGE_DOCDIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/${QUARN_PACKAGE_NAME})

# The executables a user runs; the command line joins them once its target is in the tree.
set(QUARN_INSTALLED_PROGRAMS quarntrim)
foreach(program IN ITEMS quarn-sim quarntrim-cli)
  if(TARGET ${program})
    list(APPEND QUARN_INSTALLED_PROGRAMS ${program})
  endif()
endforeach()
install(TARGETS ${QUARN_INSTALLED_PROGRAMS} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The desktop integration and the Debian package are for Linux; elsewhere only the programs are
# installed (gzip and the freedesktop folders are not there).
if(NOT CMAKE_SYSTEM_NAME STREQUAL "Linux")
  return()
endif()

# The release date: the date of the commit being built (the same for every build of it), or now
# outside a git checkout. It dates the AppStream release and the Debian changelog entry.
find_package(Git QUIET)
set(release_dates "")
if(GIT_FOUND)
  execute_process(COMMAND ${GIT_EXECUTABLE} log -1 --format=%cs%n%cD HEAD
                  WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                  OUTPUT_VARIABLE release_dates OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
endif()
if(release_dates MATCHES "^([0-9]+-[0-9]+-[0-9]+)\n(.+)$")
  set(QUARN_RELEASE_DATE ${CMAKE_MATCH_1})
  set(QUARN_RELEASE_DATE_RFC2822 ${CMAKE_MATCH_2})
else()
  string(TIMESTAMP QUARN_RELEASE_DATE "%Y-%m-%d" UTC)
  string(TIMESTAMP QUARN_RELEASE_DATE_RFC2822 "%a, %d %b %Y %H:%M:%S +0000" UTC)
endif()

# The metadata names every installed executable as provided by the package.
set(binaries ${QUARN_INSTALLED_PROGRAMS})
list(TRANSFORM binaries PREPEND "    <binary>")
list(TRANSFORM binaries APPEND "</binary>")
list(JOIN binaries "\n" QUARN_PROVIDED_BINARIES)
configure_file(${QUARN_PACKAGING_DIR}/${QUARN_APP_ID}.metainfo.xml.in
               ${QUARN_PACKAGING_OUT}/${QUARN_APP_ID}.metainfo.xml @ONLY)
configure_file(${QUARN_PACKAGING_DIR}/changelog.in ${QUARN_PACKAGING_OUT}/changelog @ONLY)

# Debian wants manual pages and the changelog compressed, without a name or time stamp in the
# gzip header so that the same sources give the same package.
set(QUARN_GZIPPED)
function(quarn_gzip source name)
  set(copy ${QUARN_PACKAGING_OUT}/gz/${name})
  add_custom_command(OUTPUT ${copy}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${source} ${copy}
    COMMAND gzip -9nf ${copy}
    DEPENDS ${source}
    VERBATIM)
  set(QUARN_GZIPPED ${QUARN_GZIPPED} ${copy}.gz PARENT_SCOPE)
endfunction()

foreach(program ${QUARN_INSTALLED_PROGRAMS})
  quarn_gzip(${QUARN_PACKAGING_DIR}/man/${program}.1 ${program}.1)
  install(FILES ${QUARN_PACKAGING_OUT}/gz/${program}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()

# The command line's bash completion, where bash-completion loads it on first use.
if(TARGET quarntrim-cli)
  install(FILES ${QUARN_PACKAGING_DIR}/bash-completion/quarntrim-cli
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/bash-completion/completions)
endif()

quarn_gzip(${QUARN_PACKAGING_OUT}/changelog changelog)
add_custom_target(quarn_packaging_files ALL DEPENDS ${QUARN_GZIPPED})

install(FILES ${QUARN_PACKAGING_OUT}/gz/changelog.gz ${QUARN_PACKAGING_DIR}/copyright
        DESTINATION ${QUARN_PACKAGE_DOCDIR})
install(FILES ${QUARN_PACKAGING_DIR}/${QUARN_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
install(FILES ${QUARN_PACKAGING_OUT}/${QUARN_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo)
install(DIRECTORY ${QUARN_PACKAGING_DIR}/icons/hicolor
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons)
install(FILES ${QUARN_PACKAGING_DIR}/icons/quarntrim.svg
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/scalable/apps)
# The made-up firmware image that the emulator's bootloader accepts, for training with quarn-sim.
install(FILES ${PROJECT_SOURCE_DIR}/tools/quarn-sim/demo-firmware.hex
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/${QUARN_PACKAGE_NAME})

# The Debian package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${QUARN_PACKAGE_NAME})
set(CPACK_PACKAGE_VENDOR Halvern)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY ${PROJECT_DESCRIPTION})
file(READ ${QUARN_PACKAGING_DIR}/description.txt CPACK_PACKAGE_DESCRIPTION)
if(TARGET quarntrim-cli)
  string(APPEND CPACK_PACKAGE_DESCRIPTION "
quarntrim-cli does the same service work from a shell, without a window:
reading, sending, comparing and reporting images and programming firmware.
")
endif()
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${QUARN_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The pages are laid out for Liberation Sans, and the report's "Courier New" is Liberation Mono.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2 | fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
