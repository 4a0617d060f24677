# Installs the program into a fresh prefix and checks that exactly the expected files arrive and
# that the desktop entry validates.
set(prefix "${BUILD}/install-test")
file(REMOVE_RECURSE "${prefix}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD}" --prefix "${prefix}" --component Unspecified
                RESULT_VARIABLE installed OUTPUT_QUIET)
if(NOT installed EQUAL 0)
  message(FATAL_ERROR "cmake --install failed")
endif()
file(GLOB_RECURSE files RELATIVE "${prefix}" "${prefix}/*")
list(SORT files)
set(expected
  bin/quorvel
  share/applications/org.quorvel.Quorvel.desktop
  share/icons/hicolor/scalable/apps/org.quorvel.Quorvel.svg
  share/metainfo/org.quorvel.Quorvel.metainfo.xml)
if(BUNDLED_FONTS)
  list(INSERT expected 2 share/doc/quorvel/LiberationSans-OFL.txt) # the licence of the face compiled in
endif()
if(NOT files STREQUAL expected)
  message(FATAL_ERROR "installed: ${files}\nexpected: ${expected}")
endif()
find_program(validate desktop-file-validate)
if(validate)
  execute_process(COMMAND "${validate}" "${prefix}/share/applications/org.quorvel.Quorvel.desktop"
                  RESULT_VARIABLE valid)
  if(NOT valid EQUAL 0)
    message(FATAL_ERROR "the desktop entry does not validate")
  endif()
endif()
message(STATUS "installed exactly: ${files}")
