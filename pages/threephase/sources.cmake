# Sources of this folder: models (no widgets) and pages.
list(APPEND AMPORA_MODEL_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/threephasemodel.h ${CMAKE_CURRENT_LIST_DIR}/threephasemodel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/threephasesimulation.cpp ${CMAKE_CURRENT_LIST_DIR}/threephasesignals.cpp
)
list(APPEND AMPORA_PAGE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/threephasepage.h ${CMAKE_CURRENT_LIST_DIR}/threephasepage.cpp ${CMAKE_CURRENT_LIST_DIR}/threephasepage.ui
  ${CMAKE_CURRENT_LIST_DIR}/threephasedrawing.h ${CMAKE_CURRENT_LIST_DIR}/threephasedrawing.cpp
  ${CMAKE_CURRENT_LIST_DIR}/threephasemotor.h ${CMAKE_CURRENT_LIST_DIR}/threephasemotor.cpp
)
