# Sources of this folder: the SPICE netlist writer (no widgets) and the
# schematic canvases' export entry.
list(APPEND AMPORA_MODEL_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/spicenetlist.h ${CMAKE_CURRENT_LIST_DIR}/spicenetlist.cpp
)
list(APPEND AMPORA_PAGE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/spicemenu.h ${CMAKE_CURRENT_LIST_DIR}/spicemenu.cpp
)
