# The console front end: a static library shared by the demo program and the
# tests. Included wherever it is needed (the tests need it also when the
# examples are not built); the first include defines it.
include_guard(GLOBAL)

include(${CMAKE_CURRENT_LIST_DIR}/../shared/SampleModes.cmake)

file(GLOB QELMODC_CONSOLE_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.cpp)
add_library(qelmodc_console STATIC ${QELMODC_CONSOLE_SOURCES})
target_include_directories(qelmodc_console PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(qelmodc_console PUBLIC qelmodc_samples)
