# The Windows build (cross-built with mingw-w64, see scripts/package-windows): the programs' icon
# and version resources, the window as a program without a console, the system libraries the link
# needs. Included from the top-level CMakeLists.txt once the programs' targets exist and before
# the tests and benchmarks, which use quarn_buildable.

# Sets `out` to TRUE when the test or benchmark source `src` can be built here: the emulator's
# (which needs pseudo-terminals) only where the emulator is built, and on Windows none of those
# about Linux's own files (pipes, device nodes, their permissions).
set(QUARN_POSIX_ONLY test_specialfiles test_portdialog test_history_git)
function(quarn_buildable src out)
  get_filename_component(name ${src} NAME_WE)
  file(READ ${src} text)
  if(NOT TARGET quarn_sim AND text MATCHES "#include \"(sim_[a-z_]+|support/(simlink|wirewindow|peerlink))\\.h\"")
    set(${out} FALSE PARENT_SCOPE)
  elseif(WIN32 AND name IN_LIST QUARN_POSIX_ONLY)
    set(${out} FALSE PARENT_SCOPE)
  else()
    set(${out} TRUE PARENT_SCOPE)
  endif()
endfunction()

if(NOT WIN32)
  return()
endif()
enable_language(RC)

# Icon and version of each program, from one resource template.
set(QUARN_RC_ICON ${PROJECT_SOURCE_DIR}/packaging/windows/quarntrim.ico)
foreach(program IN ITEMS
        "quarntrim|QuarnTrim controller configuration and trim"
        "quarntrim-cli|QuarnTrim command line")
  string(REPLACE "|" ";" fields "${program}")
  list(GET fields 0 QUARN_RC_NAME)
  list(GET fields 1 QUARN_RC_DESCRIPTION)
  if(TARGET ${QUARN_RC_NAME})
    set(rc ${PROJECT_BINARY_DIR}/packaging/windows/${QUARN_RC_NAME}.rc)
    configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/version.rc.in ${rc} @ONLY)
    target_sources(${QUARN_RC_NAME} PRIVATE ${rc})
  endif()
endforeach()

# The window opens no console beside it.
set_target_properties(quarntrim PROPERTIES WIN32_EXECUTABLE TRUE)
# timeBeginPeriod, for the link's fine pacing.
target_link_libraries(quarn_link PUBLIC winmm)
