# The desktop front end on FOX and OpenGL: a static library of its classes,
# which the program and the tests link. Included wherever it is needed (the
# tests need it also when the examples are not built); the first include
# defines it.
include_guard(GLOBAL)

include(${CMAKE_CURRENT_LIST_DIR}/../shared/SampleModes.cmake)
find_package(OpenGL REQUIRED)
find_package(PNG REQUIRED)
pkg_check_modules(XTST REQUIRED IMPORTED_TARGET xtst)

file(GLOB QELMODC_DESKTOP_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.cpp)
list(REMOVE_ITEM QELMODC_DESKTOP_SOURCES ${CMAKE_CURRENT_LIST_DIR}/main.cpp)
add_library(qelmodc_desktop STATIC ${QELMODC_DESKTOP_SOURCES})
target_include_directories(qelmodc_desktop PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(qelmodc_desktop PUBLIC qelmodc_samples PkgConfig::FOX OpenGL::GL X11::X11 PkgConfig::XTST
  PRIVATE PNG::PNG)

add_executable(qelmodc-desktop ${CMAKE_CURRENT_LIST_DIR}/main.cpp)
target_link_libraries(qelmodc-desktop PRIVATE qelmodc_desktop)
set_target_properties(qelmodc-desktop PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/examples)
