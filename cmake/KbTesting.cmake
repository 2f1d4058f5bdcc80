# GoogleTest: the system's for native builds; for cross builds (Windows, 32-bit Linux),
# compiled from Debian's sources.
include(GoogleTest)

if(CMAKE_CROSSCOMPILING)
  set(KB_GOOGLETEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources for cross builds")
  if(NOT EXISTS "${KB_GOOGLETEST_SOURCE_DIR}/CMakeLists.txt")
    message(FATAL_ERROR "GoogleTest sources not found in ${KB_GOOGLETEST_SOURCE_DIR} "
                        "(Debian package googletest)")
  endif()
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  # Its targets come with the GTest:: names that find_package gives natively.
  add_subdirectory(${KB_GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
else()
  find_package(GTest REQUIRED)
endif()

# kb_add_test(<name> SOURCES <files...> LIBRARIES <targets...> [THREADED] [DESKTOP])
#   THREADED: the test starts threads; it also runs in the ThreadSanitizer build, which builds
#             nothing else.
#   DESKTOP:  the test uses the desktop's windows, so its cases must not run beside other
#             DESKTOP cases.
function(kb_add_test name)
  cmake_parse_arguments(ARG "THREADED;DESKTOP" "" "SOURCES;LIBRARIES" ${ARGN})
  if("thread" IN_LIST KB_SANITIZE AND NOT ARG_THREADED)
    return()
  endif()

  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} GTest::gmock GTest::gtest_main)
  kb_target_warnings(${name})

  if(WIN32 AND CMAKE_CROSSCOMPILING)
    set(labels wine)
  else()
    set(labels native)
  endif()
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    list(APPEND labels x86)
  endif()
  if(ARG_THREADED)
    list(APPEND labels threads)
  endif()
  set(lock "")
  if(ARG_DESKTOP)
    set(lock "RESOURCE_LOCK desktop")
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    TEST_LIST ${name}_TESTS)
  # The properties go on in a file of their own, read after the discovered tests: passed
  # through the discovery, a list-valued property such as LABELS loses every property after it.
  set(properties_file ${CMAKE_CURRENT_BINARY_DIR}/${name}_properties.cmake)
  file(WRITE ${properties_file}
       "if(${name}_TESTS)\n"
       "  set_tests_properties(\${${name}_TESTS} PROPERTIES LABELS \"${labels}\" TIMEOUT 120 ${lock})\n"
       "endif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${properties_file})
endfunction()
