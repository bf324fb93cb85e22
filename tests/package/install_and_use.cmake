cmake_minimum_required(VERSION 3.25)
# Installs BUILD_DIR into WORK/prefix, checks the layout and the exported targets,
# then builds CONSUMER and GEOMETRY_ONLY against the prefix and runs their checks.
# Variables: BUILD_DIR, CONSUMER, GEOMETRY_ONLY, WORK, GENERATOR, CXX, LIBDIR, DATADIR, DOCDIR, and PROGRAMS
# (the registered programs, separated by commas).
set(prefix ${WORK}/prefix)
file(REMOVE_RECURSE ${WORK})

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "failed (${result}): ${ARGN}")
  endif()
endfunction()

run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})

set(expected ${LIBDIR}/libzembrola-geometry.a ${LIBDIR}/libzembrola-viewer.a include/geometry/polygon.h
  include/viewer/viewer.h ${LIBDIR}/cmake/zembrola/zembrola-config.cmake
  ${LIBDIR}/cmake/zembrola/zembrola-config-version.cmake ${LIBDIR}/pkgconfig/zembrola-geometry.pc ${DOCDIR}/README.md)
string(REPLACE "," ";" PROGRAMS "${PROGRAMS}")
if(NOT PROGRAMS)
  message(FATAL_ERROR "no programs given")
endif()
foreach(program IN LISTS PROGRAMS)
  list(APPEND expected bin/${program} ${DATADIR}/applications/zembrola-${program}.desktop)
endforeach()
foreach(path IN LISTS expected)
  if(NOT EXISTS ${prefix}/${path})
    message(FATAL_ERROR "not installed: ${path}")
  endif()
endforeach()
file(GLOB_RECURSE installed RELATIVE ${prefix} ${prefix}/*)
list(FILTER installed INCLUDE REGEX "test|bench|fuzz|gtest|gmock|librig")
if(installed)
  message(FATAL_ERROR "installed but only for this build's own use: ${installed}")
endif()

# The exported targets carry -ffp-contract=off, and nothing of the build's own flags and helper targets.
file(READ ${prefix}/${LIBDIR}/cmake/zembrola/zembrola-targets.cmake exported)
if(NOT exported MATCHES "-ffp-contract=off")
  message(FATAL_ERROR "the exported geometry target lacks -ffp-contract=off")
endif()
if(exported MATCHES "(project_flags|gl_headers|-W[a-z]|-fsanitize|GTest)")
  message(FATAL_ERROR "the exported targets name ${CMAKE_MATCH_1}, which is internal to the build")
endif()

run(${CMAKE_COMMAND} -S ${CONSUMER} -B ${WORK}/consumer -G ${GENERATOR} -DCMAKE_CXX_COMPILER=${CXX}
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_PREFIX_PATH=${prefix})
run(${CMAKE_COMMAND} --build ${WORK}/consumer)
run(${WORK}/consumer/split_square)
run(${WORK}/consumer/split_square_pkgconfig)

# Only the geometry component, with GL and GLUT out of reach, linked into a shared library.
run(${CMAKE_COMMAND} -S ${GEOMETRY_ONLY} -B ${WORK}/geometry_only -G ${GENERATOR} -DCMAKE_CXX_COMPILER=${CXX}
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_PREFIX_PATH=${prefix}
  -DCMAKE_DISABLE_FIND_PACKAGE_OpenGL=ON -DCMAKE_DISABLE_FIND_PACKAGE_GLUT=ON)
run(${CMAKE_COMMAND} --build ${WORK}/geometry_only)
run(${WORK}/geometry_only/plugin_host)
