# The editor's window layer: the main window, its pages and dialogs, and the UI services
# (Qt Widgets). Every source under src/editor and every design under resources/ui belongs to it.
find_package(Qt6 COMPONENTS Widgets REQUIRED)

file(GLOB TARNO_PAGINE CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/editor/*.cpp)
file(GLOB TARNO_DISEGNI CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/resources/ui/*.ui)
add_library(tarnoeditor STATIC
  ${CMAKE_CURRENT_LIST_DIR}/Globali.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ServiziUI.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frmDriver.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frmSeleziona.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frmAbout.cpp
  ${TARNO_PAGINE}
  ${TARNO_DISEGNI}
)
set_target_properties(tarnoeditor PROPERTIES AUTOUIC ON AUTOMOC ON
  AUTOUIC_SEARCH_PATHS ${PROJECT_SOURCE_DIR}/resources/ui)
# The window designs (ui_*.h) are part of the interface: tests reach controls through them.
target_include_directories(tarnoeditor PUBLIC ${CMAKE_CURRENT_LIST_DIR}
  ${PROJECT_SOURCE_DIR}/src/editor
  ${CMAKE_CURRENT_BINARY_DIR}/tarnoeditor_autogen/include)
target_link_libraries(tarnoeditor PUBLIC tarnocatalogo tarnorisorse tarnogrid tarnolegacy tarnocore
  tarno_flags Qt6::Widgets)
