# The console front end: a static library with the sample modes, shared by
# the demo program and the tests. Included wherever it is needed (the tests
# need it also when the examples are not built); the first include defines it.
include_guard(GLOBAL)

set(QELMODC_CONSOLE_DIR ${CMAKE_CURRENT_LIST_DIR})
set(QELMODC_CONSOLE_GENERATED ${PROJECT_BINARY_DIR}/examples/console)

# The texts and the default session stay readable files; they are built in.
file(READ ${QELMODC_CONSOLE_DIR}/console_en.res QELMODC_CONSOLE_RESOURCES)
file(READ ${QELMODC_CONSOLE_DIR}/extrude.session QELMODC_CONSOLE_SESSION)
configure_file(${QELMODC_CONSOLE_DIR}/ConsoleEmbedded.cpp.in ${QELMODC_CONSOLE_GENERATED}/ConsoleEmbedded.cpp @ONLY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
  ${QELMODC_CONSOLE_DIR}/console_en.res ${QELMODC_CONSOLE_DIR}/extrude.session)

file(GLOB QELMODC_CONSOLE_SOURCES CONFIGURE_DEPENDS ${QELMODC_CONSOLE_DIR}/*.cpp)
add_library(qelmodc_console STATIC ${QELMODC_CONSOLE_SOURCES} ${QELMODC_CONSOLE_GENERATED}/ConsoleEmbedded.cpp)
target_include_directories(qelmodc_console PUBLIC ${QELMODC_CONSOLE_DIR})
target_link_libraries(qelmodc_console PUBLIC QELmodC)
