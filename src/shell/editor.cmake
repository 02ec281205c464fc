# The editor's window layer: the main window, its dialogs and the UI services (Qt Widgets).
find_package(Qt6 COMPONENTS Widgets REQUIRED)

set(CMAKE_AUTOUIC_SEARCH_PATHS ${PROJECT_SOURCE_DIR}/resources/ui)
add_library(tarnoeditor STATIC
  ${CMAKE_CURRENT_LIST_DIR}/Globali.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ServiziUI.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frmDriver.cpp
  ${PROJECT_SOURCE_DIR}/resources/ui/frmDriver.ui
)
set_target_properties(tarnoeditor PROPERTIES AUTOUIC ON AUTOMOC ON
  AUTOUIC_SEARCH_PATHS ${PROJECT_SOURCE_DIR}/resources/ui)
target_include_directories(tarnoeditor PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(tarnoeditor PUBLIC tarnocatalogo tarnorisorse tarnolegacy tarnocore tarno_flags
  Qt6::Widgets)
