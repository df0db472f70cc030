# Installs the library, its headers, a CMake package (find_package(QELmodC)
# gives QELmodC::QELmodC) and a pkg-config file.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(QELMODC_INCLUDE_SUBDIR ${CMAKE_INSTALL_INCLUDEDIR}/QELmodC)
target_include_directories(QELmodC PUBLIC $<INSTALL_INTERFACE:${QELMODC_INCLUDE_SUBDIR}>)

# The package holds the test kit as well: say so plainly when the build
# made the library alone.
install(CODE "
  set(testkit \"$<$<TARGET_EXISTS:qelmodc_testkit>:$<TARGET_FILE:qelmodc_testkit>>\")
  if(testkit AND NOT EXISTS \"\${testkit}\")
    message(FATAL_ERROR \"The test kit is not built; build everything first: cmake --build ${PROJECT_BINARY_DIR}\")
  endif()")

install(TARGETS QELmodC EXPORT QELmodCTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

foreach(dir include base_interfaces mode_manager)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/${dir}/ DESTINATION ${QELMODC_INCLUDE_SUBDIR}
    FILES_MATCHING PATTERN "*.h")
endforeach()
# The font server's public headers, named one by one: its other headers are
# internal to the library.
foreach(header fsp_FontList.h fsp_FontServer.h fsp_FSTextFont.h fsp_Module.h fsp_Polygon.h fsp_XTextFont.h)
  install(FILES ${PROJECT_SOURCE_DIR}/font_server/${header} DESTINATION ${QELMODC_INCLUDE_SUBDIR})
endforeach()

install(EXPORT QELmodCTargets NAMESPACE QELmodC:: DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/QELmodC)
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/QELmodCConfig.cmake.in
  ${PROJECT_BINARY_DIR}/QELmodCConfig.cmake
  INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/QELmodC)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/QELmodCConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/QELmodCConfig.cmake ${PROJECT_BINARY_DIR}/QELmodCConfigVersion.cmake
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/QELmodC)

file(RELATIVE_PATH QELMODC_PC_TO_PREFIX /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
configure_file(${PROJECT_SOURCE_DIR}/cmake/QELmodC.pc.in ${PROJECT_BINARY_DIR}/QELmodC.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/QELmodC.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
