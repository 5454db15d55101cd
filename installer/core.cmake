# Installer core: the state records and page history, the Windows version checks
# and the scoped closers. Included from installer/CMakeLists.txt.
add_library(twkcore STATIC
  ${CMAKE_CURRENT_LIST_DIR}/PageHistory.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WinVersion.cpp
)
target_include_directories(twkcore PUBLIC ${CMAKE_CURRENT_LIST_DIR})
if(QV_WINDOWS)
  target_sources(twkcore PRIVATE ${CMAKE_CURRENT_LIST_DIR}/WinVersionWin.cpp)
  target_link_libraries(twkcore PUBLIC classlib)
endif()
qv_defaults(twkcore)

add_subdirectory(${CMAKE_CURRENT_LIST_DIR}/tests/core ${CMAKE_CURRENT_BINARY_DIR}/tests/core)
