# Declarations of the PostScript driver's plug-in interfaces and records (qvoem, header
# only), and the COM plumbing both plug-in DLLs share (qvcom, a static library: each DLL
# links its own copy and so keeps its own object and lock counts).
# include() this file from a plug-in's CMakeLists.txt and link the targets.
include_guard(GLOBAL)
if(QV_WINDOWS AND NOT TARGET qvoem)
  add_library(qvoem INTERFACE)
  target_include_directories(qvoem INTERFACE ${CMAKE_CURRENT_LIST_DIR})
  # Stand-ins for the two DirectDraw headers that winddi.h includes.
  target_include_directories(qvoem SYSTEM INTERFACE ${CMAKE_CURRENT_LIST_DIR}/shim)

  add_library(qvcom STATIC ${CMAKE_CURRENT_LIST_DIR}/QvCom.cpp)
  target_link_libraries(qvcom PUBLIC qvoem)
  qv_defaults(qvcom)
endif()
