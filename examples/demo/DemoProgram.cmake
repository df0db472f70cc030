# The demo program, one subcommand per front end. Included from examples/ and
# from tests/ (its tests run it also when the examples are not built); the
# first include defines it. It lands in build/examples whichever includes it.
include_guard(GLOBAL)

include(${CMAKE_CURRENT_LIST_DIR}/../console/ConsoleFrontEnd.cmake)

add_executable(qelmodc-demo ${CMAKE_CURRENT_LIST_DIR}/main.cpp)
target_link_libraries(qelmodc-demo PRIVATE qelmodc_console qelmodc_text)
set_target_properties(qelmodc-demo PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/examples)
