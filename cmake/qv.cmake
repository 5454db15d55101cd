# Shared build rules of the project.
include_guard(GLOBAL)

set(QV_GTEST_SOURCE_DIR "/usr/src/googletest" CACHE PATH "Debian googletest sources")

# Compile options of our own code: warnings are errors.
function(qv_defaults target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
  if(QV_WINDOWS)
    target_compile_definitions(${target} PRIVATE UNICODE _UNICODE WIN32_LEAN_AND_MEAN
                               NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
  endif()
endfunction()

# Every executable and DLL we produce for Windows imports only system DLLs.
function(qv_static_link target)
  if(QV_WINDOWS)
    target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
  endif()
endfunction()

if(NOT QV_WINDOWS AND QV_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

macro(qv_add_googletest)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  add_subdirectory(${QV_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  if(QV_WINDOWS)
    foreach(t gtest gtest_main gmock gmock_main)
      target_link_options(${t} INTERFACE -static -static-libgcc -static-libstdc++)
    endforeach()
  endif()
  include(GoogleTest)
endmacro()

# qv_test(NAME <name> SOURCES <src...> [LIBS <lib...>] [NATIVE_ONLY] [WINDOWS_ONLY]
#         [RUN_SERIAL] [OWN_PREFIX] [TIMEOUT <s>] [LABELS <l...>])
# Native: each GoogleTest case becomes one CTest test. Windows: the whole program is
# one CTest test run under Wine through the emulator wrapper (one process per program
# keeps Wine start-up cost and spooler collisions down). OWN_PREFIX gives the program
# a fresh copy of the template prefix instead of the run's shared one.
function(qv_test)
  cmake_parse_arguments(T "NATIVE_ONLY;WINDOWS_ONLY;RUN_SERIAL;OWN_PREFIX" "NAME;TIMEOUT"
                        "SOURCES;LIBS;LABELS" ${ARGN})
  if(NOT QV_TESTS)
    return()
  endif()
  if(T_NATIVE_ONLY AND QV_WINDOWS)
    return()
  endif()
  if(T_WINDOWS_ONLY AND NOT QV_WINDOWS)
    return()
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  add_executable(${T_NAME} ${T_SOURCES})
  qv_defaults(${T_NAME})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gmock GTest::gtest_main)
  qv_static_link(${T_NAME})
  if(QV_WINDOWS)
    set(_name ${QV_ARCH}.${T_NAME})
    add_test(NAME ${_name} COMMAND ${T_NAME} --gtest_color=no)
    set(_env "QV_ARCH=${QV_ARCH}")
    if(T_OWN_PREFIX)
      list(APPEND _env "QV_OWN_PREFIX=1")
    endif()
    set_tests_properties(${_name} PROPERTIES TIMEOUT ${T_TIMEOUT} ENVIRONMENT "${_env}"
                         LABELS "wine;${QV_ARCH};${T_LABELS}")
    if(T_RUN_SERIAL)
      set_tests_properties(${_name} PROPERTIES RUN_SERIAL ON)
    endif()
  else()
    gtest_discover_tests(${T_NAME} DISCOVERY_MODE PRE_TEST TEST_PREFIX "native." 
                         PROPERTIES TIMEOUT ${T_TIMEOUT} LABELS "native;${T_LABELS}")
  endif()
endfunction()
