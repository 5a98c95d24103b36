# Sources of this folder: the SPICE netlist writer (no widgets).
list(APPEND AMPORA_MODEL_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/spicenetlist.h ${CMAKE_CURRENT_LIST_DIR}/spicenetlist.cpp
)
