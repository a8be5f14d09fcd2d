# The download for Windows: `cmake --build --preset win64 --target package` (or win32) makes
# spinvolt-<version>-win64.zip and its symbols zip in the build tree (cmake/package/make-package.sh
# says what they hold). A build with the tests makes it every time, for the package's own test.

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(SPV_PACKAGE_NAME spinvolt-${PROJECT_VERSION}-win64)
else()
  set(SPV_PACKAGE_NAME spinvolt-${PROJECT_VERSION}-win32)
endif()
set(SPV_PACKAGE_ZIP ${CMAKE_BINARY_DIR}/${SPV_PACKAGE_NAME}.zip)

get_property(spv_packaged GLOBAL PROPERTY SPV_PACKAGED_PROGRAMS)
list(SORT spv_packaged)
set(spv_package_all)
if(SPV_TESTS)
  set(spv_package_all ALL)
endif()
# The script knows by itself when the zips are up to date: their file times come from the last
# commit, which no build rule sees.
add_custom_target(package ${spv_package_all}
  COMMAND ${CMAKE_CURRENT_LIST_DIR}/make-package.sh ${CMAKE_BINARY_DIR} ${SPV_PACKAGE_NAME} ${PROJECT_VERSION}
          ${CMAKE_RUNTIME_OUTPUT_DIRECTORY} ${CMAKE_SOURCE_DIR} ${spv_packaged}
  VERBATIM)
add_dependencies(package ${spv_packaged})
