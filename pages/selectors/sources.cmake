# Sources of this folder: models (no widgets) and pages.
list(APPEND AMPORA_MODEL_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/selectormodel.h ${CMAKE_CURRENT_LIST_DIR}/selectormodel.cpp
)
list(APPEND AMPORA_PAGE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/selectortable.h ${CMAKE_CURRENT_LIST_DIR}/selectortable.cpp
  ${CMAKE_CURRENT_LIST_DIR}/linearselectorpage.h ${CMAKE_CURRENT_LIST_DIR}/linearselectorpage.cpp ${CMAKE_CURRENT_LIST_DIR}/linearselectorpage.ui
  ${CMAKE_CURRENT_LIST_DIR}/pwmselectorpage.h ${CMAKE_CURRENT_LIST_DIR}/pwmselectorpage.cpp ${CMAKE_CURRENT_LIST_DIR}/pwmselectorpage.ui
)
