# The installer programs: tarnwick64.exe (x86_64) and tarnwick.exe (i686), built from
# the same sources. tarnwick.exe carries the finished tarnwick64.exe as RCDATA 101
# (QV_TARNWICK64, handed over by build.sh after the x64 tree is built). Included from
# installer/CMakeLists.txt.
set(_app ${CMAKE_CURRENT_LIST_DIR})

# Decisions free of Windows calls: built in every tree, tested natively.
add_library(twkwizard_core STATIC ${_app}/WizardCore.cpp)
target_include_directories(twkwizard_core PUBLIC ${_app})
target_link_libraries(twkwizard_core PUBLIC twkcore)
qv_defaults(twkwizard_core)

if(QV_WINDOWS)
  # The application, the sheet and the pages. An object library, so that the
  # application object is linked into every program that uses it.
  add_library(twkwizard OBJECT
    ${_app}/TWKApp.cpp
    ${_app}/TWKSheet.cpp
    ${_app}/PropertyPageExEx.cpp
    ${_app}/WelcomePage.cpp
    ${_app}/Pages.cpp
    ${_app}/StartupDiscovery.cpp
  )
  target_include_directories(twkwizard PUBLIC ${_app})
  target_link_libraries(twkwizard PUBLIC twkwizard_core twkcore twklang_win twknet classlib
                        comctl32 version ws2_32)
  qv_defaults(twkwizard)

  # Resources: dialogs, artwork, version, and the manifest for this processor.
  if(QV_ARCH STREQUAL "x64")
    set(QV_MANIFEST_ARCH amd64)
    set(_program tarnwick64)
  else()
    set(QV_MANIFEST_ARCH x86)
    set(_program tarnwick)
  endif()
  configure_file(${_app}/res/tarnwick.manifest.in ${CMAKE_CURRENT_BINARY_DIR}/tarnwick.manifest @ONLY)
  add_library(twkwizard_res OBJECT ${_app}/res/tarnwick.rc)
  target_include_directories(twkwizard_res PRIVATE ${_app} ${_app}/res ${CMAKE_CURRENT_BINARY_DIR})
  set_source_files_properties(${_app}/res/tarnwick.rc PROPERTIES OBJECT_DEPENDS
    "${CMAKE_CURRENT_BINARY_DIR}/tarnwick.manifest;${_app}/TWKResource.h;${_app}/res/watermark.bmp;${_app}/res/welcome.bmp;${_app}/res/header.bmp;${_app}/res/tarnwick.ico")

  add_executable(${_program} WIN32 $<TARGET_OBJECTS:twkwizard_res>)
  target_link_libraries(${_program} PRIVATE twkwizard)
  target_link_options(${_program} PRIVATE -municode)
  qv_defaults(${_program})
  qv_static_link(${_program})

  if(QV_ARCH STREQUAL "x86")
    # The embedded 64-bit program. The full build must have it; a developer's tree of
    # some parts builds tarnwick.exe without it (its hand-off then reports the missing
    # resource).
    set(_full OFF)
    if("${QV_PARTS}" STREQUAL "${QV_ALL_PARTS}")
      set(_full ON)
    endif()
    if(QV_TARNWICK64 AND EXISTS "${QV_TARNWICK64}")
      configure_file(${_app}/res/embed64.rc.in ${CMAKE_CURRENT_BINARY_DIR}/embed64.rc @ONLY)
      add_library(twkwizard_embed OBJECT ${CMAKE_CURRENT_BINARY_DIR}/embed64.rc)
      set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/embed64.rc PROPERTIES
                                  OBJECT_DEPENDS "${QV_TARNWICK64}")
      target_sources(${_program} PRIVATE $<TARGET_OBJECTS:twkwizard_embed>)
    elseif(_full)
      message(FATAL_ERROR "tarnwick.exe embeds tarnwick64.exe: set QV_TARNWICK64 to the finished "
                          "x64 build's tarnwick64.exe (build.sh builds the x64 tree first). "
                          "Now: '${QV_TARNWICK64}'")
    else()
      message(WARNING "QV_TARNWICK64 ('${QV_TARNWICK64}') does not name a file: tarnwick.exe is "
                      "built without the embedded 64-bit program")
    endif()
  endif()

  install(TARGETS ${_program} RUNTIME DESTINATION .)
endif()

add_subdirectory(${_app}/tests/app ${CMAKE_CURRENT_BINARY_DIR}/tests/app)
