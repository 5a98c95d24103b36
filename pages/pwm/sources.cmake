# Sources of this folder: models (no widgets) and pages.
list(APPEND AMPORA_MODEL_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/networkelement.h ${CMAKE_CURRENT_LIST_DIR}/filterexport.h ${CMAKE_CURRENT_LIST_DIR}/powerstate.h
  ${CMAKE_CURRENT_LIST_DIR}/filternetwork.h ${CMAKE_CURRENT_LIST_DIR}/filternetwork.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pwmnetlist.h ${CMAKE_CURRENT_LIST_DIR}/pwmnetlist.cpp
  ${CMAKE_CURRENT_LIST_DIR}/powermodel.h ${CMAKE_CURRENT_LIST_DIR}/powermodel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/powersweep.h ${CMAKE_CURRENT_LIST_DIR}/powersweep.cpp
  ${CMAKE_CURRENT_LIST_DIR}/controlmodel.h ${CMAKE_CURRENT_LIST_DIR}/controlmodel.cpp ${CMAKE_CURRENT_LIST_DIR}/controlsuggest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/filtermodel.h ${CMAKE_CURRENT_LIST_DIR}/filtermodel.cpp
)
list(APPEND AMPORA_PAGE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/controlstep1page.h ${CMAKE_CURRENT_LIST_DIR}/controlstep1page.cpp ${CMAKE_CURRENT_LIST_DIR}/controlstep1page.ui
  ${CMAKE_CURRENT_LIST_DIR}/controlstep2page.h ${CMAKE_CURRENT_LIST_DIR}/controlstep2page.cpp ${CMAKE_CURRENT_LIST_DIR}/controlstep2page.ui
  ${CMAKE_CURRENT_LIST_DIR}/controlschematic.h ${CMAKE_CURRENT_LIST_DIR}/controlschematic.cpp
  ${CMAKE_CURRENT_LIST_DIR}/controlstep3page.h ${CMAKE_CURRENT_LIST_DIR}/controlstep3page.cpp ${CMAKE_CURRENT_LIST_DIR}/controlstep3page.ui
  ${CMAKE_CURRENT_LIST_DIR}/filterpage.h ${CMAKE_CURRENT_LIST_DIR}/filterpage.cpp ${CMAKE_CURRENT_LIST_DIR}/filterpage.ui
  ${CMAKE_CURRENT_LIST_DIR}/filterdrawing.h ${CMAKE_CURRENT_LIST_DIR}/filterdrawing.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pwmpowerpage.h ${CMAKE_CURRENT_LIST_DIR}/pwmpowerpage.cpp ${CMAKE_CURRENT_LIST_DIR}/pwmpowerpage.ui
  ${CMAKE_CURRENT_LIST_DIR}/pwmpowerhandlers.cpp
  ${CMAKE_CURRENT_LIST_DIR}/powerchart.h ${CMAKE_CURRENT_LIST_DIR}/powerchart.cpp
  ${CMAKE_CURRENT_LIST_DIR}/powerschematic.h ${CMAKE_CURRENT_LIST_DIR}/powerschematic.cpp
)
