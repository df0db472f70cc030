# The sample modes, their scene and their texts: a static library that every
# front end links (the console and the desktop, their demo programs and their
# tests). Included wherever it is needed; the first include defines it.
include_guard(GLOBAL)

set(QELMODC_SAMPLES_DIR ${CMAKE_CURRENT_LIST_DIR})
set(QELMODC_SAMPLES_GENERATED ${PROJECT_BINARY_DIR}/examples/shared)

# The texts and the default session stay readable files; they are built in.
file(READ ${QELMODC_SAMPLES_DIR}/sample_en.res QELMODC_SAMPLE_RESOURCES)
file(READ ${QELMODC_SAMPLES_DIR}/extrude.session QELMODC_SAMPLE_SESSION)
configure_file(${QELMODC_SAMPLES_DIR}/SampleEmbedded.cpp.in ${QELMODC_SAMPLES_GENERATED}/SampleEmbedded.cpp @ONLY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
  ${QELMODC_SAMPLES_DIR}/sample_en.res ${QELMODC_SAMPLES_DIR}/extrude.session)

file(GLOB QELMODC_SAMPLES_SOURCES CONFIGURE_DEPENDS ${QELMODC_SAMPLES_DIR}/*.cpp)
add_library(qelmodc_samples STATIC ${QELMODC_SAMPLES_SOURCES} ${QELMODC_SAMPLES_GENERATED}/SampleEmbedded.cpp)
target_include_directories(qelmodc_samples PUBLIC ${QELMODC_SAMPLES_DIR})
target_link_libraries(qelmodc_samples PUBLIC QELmodC)
