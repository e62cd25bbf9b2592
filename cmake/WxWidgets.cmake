# CMake 3.25 has no imported target for wxWidgets: wrap what FindwxWidgets reports.
find_package(wxWidgets 3.2 REQUIRED COMPONENTS core base html xrc xml qa adv)
add_library(gastrolog_wx INTERFACE)
target_include_directories(gastrolog_wx SYSTEM INTERFACE ${wxWidgets_INCLUDE_DIRS})
target_compile_definitions(gastrolog_wx INTERFACE ${wxWidgets_DEFINITIONS})
separate_arguments(wx_flags UNIX_COMMAND "${wxWidgets_CXX_FLAGS}")
target_compile_options(gastrolog_wx INTERFACE ${wx_flags})
target_link_libraries(gastrolog_wx INTERFACE ${wxWidgets_LIBRARIES})
