# Sources of this folder: models (no widgets) and pages.
list(APPEND AMPORA_MODEL_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/pumpnetlist.h ${CMAKE_CURRENT_LIST_DIR}/pumpnetlist.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pumpmodel.h ${CMAKE_CURRENT_LIST_DIR}/pumpmodel.cpp
)
list(APPEND AMPORA_PAGE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/currentpumppage.h ${CMAKE_CURRENT_LIST_DIR}/currentpumppage.cpp ${CMAKE_CURRENT_LIST_DIR}/currentpumppage.ui
  ${CMAKE_CURRENT_LIST_DIR}/pumpchart.h ${CMAKE_CURRENT_LIST_DIR}/pumpchart.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pumpschematic.h ${CMAKE_CURRENT_LIST_DIR}/pumpschematic.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pumpdialogs.h ${CMAKE_CURRENT_LIST_DIR}/pumpdialogs.cpp
)
