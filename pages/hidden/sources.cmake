# Sources of this folder: models (no widgets) and pages.
list(APPEND AMPORA_MODEL_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/productguide.h ${CMAKE_CURRENT_LIST_DIR}/productguide.cpp
  ${CMAKE_CURRENT_LIST_DIR}/demobode.h ${CMAKE_CURRENT_LIST_DIR}/demobode.cpp
)
list(APPEND AMPORA_PAGE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/bodeplotpage.h ${CMAKE_CURRENT_LIST_DIR}/bodeplotpage.cpp ${CMAKE_CURRENT_LIST_DIR}/bodeplotpage.ui
  ${CMAKE_CURRENT_LIST_DIR}/demobodechart.h ${CMAKE_CURRENT_LIST_DIR}/demobodechart.cpp
  ${CMAKE_CURRENT_LIST_DIR}/hiddenpage.h ${CMAKE_CURRENT_LIST_DIR}/hiddenpage.cpp ${CMAKE_CURRENT_LIST_DIR}/hiddenpage.ui
  ${CMAKE_CURRENT_LIST_DIR}/placeholderpage.h ${CMAKE_CURRENT_LIST_DIR}/placeholderpage.cpp ${CMAKE_CURRENT_LIST_DIR}/placeholderpage.ui
)
