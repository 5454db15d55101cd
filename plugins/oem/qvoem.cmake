# Header-only declarations of the PostScript driver's plug-in interfaces and records.
# include() this file from a plug-in's CMakeLists.txt and link the target qvoem.
include_guard(GLOBAL)
if(QV_WINDOWS AND NOT TARGET qvoem)
  add_library(qvoem INTERFACE)
  target_include_directories(qvoem INTERFACE ${CMAKE_CURRENT_LIST_DIR})
  # Stand-ins for the two DirectDraw headers that winddi.h includes.
  target_include_directories(qvoem SYSTEM INTERFACE ${CMAKE_CURRENT_LIST_DIR}/shim)
endif()
