# The numbered string table, built into the program as a Qt resource, and the routines that put
# its texts on windows (tags, menu tools) and centre windows.
find_package(Qt6 COMPONENTS Widgets Test REQUIRED)

add_library(tarnorisorse STATIC
  ${CMAKE_CURRENT_LIST_DIR}/clsStringhe.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Risorse.cpp
)
target_include_directories(tarnorisorse PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(tarnorisorse PUBLIC tarnocore tarno_flags Qt6::Widgets)

set(TARNO_TABELLA_STRINGHE ${PROJECT_SOURCE_DIR}/resources/strings.it.tsv)
set_source_files_properties(${TARNO_TABELLA_STRINGHE} PROPERTIES QT_RESOURCE_ALIAS strings.it.tsv)
qt_add_resources(tarnorisorse tarnostringhe
  PREFIX /tarno
  FILES ${TARNO_TABELLA_STRINGHE}
)
