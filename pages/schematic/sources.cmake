# Sources of this folder: models (no widgets) and pages.
list(APPEND AMPORA_PAGE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/communicationpage.h ${CMAKE_CURRENT_LIST_DIR}/communicationpage.cpp ${CMAKE_CURRENT_LIST_DIR}/communicationpage.ui
  ${CMAKE_CURRENT_LIST_DIR}/schematiceditorpage.h ${CMAKE_CURRENT_LIST_DIR}/schematiceditorpage.cpp ${CMAKE_CURRENT_LIST_DIR}/schematiceditorpage.ui
  ${CMAKE_CURRENT_LIST_DIR}/schematicsymbols.h ${CMAKE_CURRENT_LIST_DIR}/schematicsymbols.cpp
)
