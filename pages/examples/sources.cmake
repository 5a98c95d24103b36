# Sources of this folder: models (no widgets) and pages.
list(APPEND AMPORA_PAGE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/examplespage.h ${CMAKE_CURRENT_LIST_DIR}/examplespage.cpp ${CMAKE_CURRENT_LIST_DIR}/examplespage.ui
  ${CMAKE_CURRENT_LIST_DIR}/examplesdialog.h ${CMAKE_CURRENT_LIST_DIR}/examplesdialog.cpp ${CMAKE_CURRENT_LIST_DIR}/examplesdialog.ui
)
