# Sources of this folder: models (no widgets) and pages.
list(APPEND AMPORA_MODEL_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/heatsinkmodel.h ${CMAKE_CURRENT_LIST_DIR}/heatsinkmodel.cpp
)
list(APPEND AMPORA_PAGE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/heatsinkpage.h ${CMAKE_CURRENT_LIST_DIR}/heatsinkpage.cpp ${CMAKE_CURRENT_LIST_DIR}/heatsinkpage.ui
)
