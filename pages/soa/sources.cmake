# Sources of this folder: models (no widgets) and pages.
list(APPEND AMPORA_MODEL_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/soasimulation.h ${CMAKE_CURRENT_LIST_DIR}/soasimulation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/soamodel.h ${CMAKE_CURRENT_LIST_DIR}/soamodel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/loadcalcmodel.h ${CMAKE_CURRENT_LIST_DIR}/loadcalcmodel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/soanetlist.h ${CMAKE_CURRENT_LIST_DIR}/soanetlist.cpp
)
list(APPEND AMPORA_PAGE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/soapage.h ${CMAKE_CURRENT_LIST_DIR}/soapage.cpp ${CMAKE_CURRENT_LIST_DIR}/soapage.ui
  ${CMAKE_CURRENT_LIST_DIR}/soachart.h ${CMAKE_CURRENT_LIST_DIR}/soachart.cpp
  ${CMAKE_CURRENT_LIST_DIR}/soaschematic.h ${CMAKE_CURRENT_LIST_DIR}/soaschematic.cpp
  ${CMAKE_CURRENT_LIST_DIR}/soadialogs.h ${CMAKE_CURRENT_LIST_DIR}/soadialogs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/loadcalc.h ${CMAKE_CURRENT_LIST_DIR}/loadcalc.cpp ${CMAKE_CURRENT_LIST_DIR}/loadcalc.ui
)
