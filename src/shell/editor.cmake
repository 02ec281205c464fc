# The editor's window layer: the main window, its dialogs and the UI services (Qt Widgets).
find_package(Qt6 COMPONENTS Widgets REQUIRED)

set(CMAKE_AUTOUIC_SEARCH_PATHS ${PROJECT_SOURCE_DIR}/resources/ui)
add_library(tarnoeditor STATIC
  ${CMAKE_CURRENT_LIST_DIR}/Globali.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ServiziUI.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frmDriver.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frmSeleziona.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frmAbout.cpp
  ${PROJECT_SOURCE_DIR}/resources/ui/frmDriver.ui
  ${PROJECT_SOURCE_DIR}/resources/ui/frmSeleziona.ui
  ${PROJECT_SOURCE_DIR}/resources/ui/frmAbout.ui
)
set_target_properties(tarnoeditor PROPERTIES AUTOUIC ON AUTOMOC ON
  AUTOUIC_SEARCH_PATHS ${PROJECT_SOURCE_DIR}/resources/ui)
# The window designs (ui_*.h) are part of the interface: tests reach controls through them.
target_include_directories(tarnoeditor PUBLIC ${CMAKE_CURRENT_LIST_DIR}
  ${CMAKE_CURRENT_BINARY_DIR}/tarnoeditor_autogen/include)
target_link_libraries(tarnoeditor PUBLIC tarnocatalogo tarnorisorse tarnolegacy tarnocore tarno_flags
  Qt6::Widgets)
