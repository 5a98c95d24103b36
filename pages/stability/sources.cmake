# Sources of this folder: models (no widgets) and pages.
list(APPEND AMPORA_MODEL_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/loopmodel.h ${CMAKE_CURRENT_LIST_DIR}/loopmodel.cpp ${CMAKE_CURRENT_LIST_DIR}/bodegrid.h
  ${CMAKE_CURRENT_LIST_DIR}/stabnetlist.h ${CMAKE_CURRENT_LIST_DIR}/stabnetlist.cpp
  ${CMAKE_CURRENT_LIST_DIR}/autocompensate.h ${CMAKE_CURRENT_LIST_DIR}/autocompensate.cpp
)
list(APPEND AMPORA_PAGE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/stabilitypage.h ${CMAKE_CURRENT_LIST_DIR}/stabilitypage.cpp ${CMAKE_CURRENT_LIST_DIR}/stabilitypage.ui
  ${CMAKE_CURRENT_LIST_DIR}/stabilitycharts.h ${CMAKE_CURRENT_LIST_DIR}/stabilitycharts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/stabilityschematic.h ${CMAKE_CURRENT_LIST_DIR}/stabilityschematic.cpp
)
