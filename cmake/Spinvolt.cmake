# Helpers shared by every area of the tree.

set(SPV_FIXTURES_DIR ${CMAKE_SOURCE_DIR}/tests/fixtures)
include(${CMAKE_SOURCE_DIR}/resources/version/ProgramResources.cmake)

# Each library exposes its own folder of src/ and nothing else: its include root in the build
# tree holds one link, named as the folder is under src/, so "db/Query.h" is found by those
# that link spv_db and by no one else. Which layer may include which is cmake/Layers.cmake's.
function(_spv_expose_folder name)
  file(RELATIVE_PATH folder ${CMAKE_SOURCE_DIR}/src ${CMAKE_CURRENT_SOURCE_DIR})
  set(root ${CMAKE_BINARY_DIR}/include/${name})
  get_filename_component(parent ${root}/${folder} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${root}/${folder} SYMBOLIC)
  target_include_directories(${name} PUBLIC ${root})
endfunction()

# A library of portable code (no <windows.h>); built in every preset.
#   spv_portable_library(name SOURCES ... [LIBS ...])
function(spv_portable_library name)
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${A_SOURCES})
  _spv_expose_folder(${name})
  target_link_libraries(${name} PUBLIC ${A_LIBS})
endfunction()

# A library of Win32 code; built in the Windows presets only (callers guard with if(WIN32)).
#   spv_win_library(name SOURCES ... [LIBS ...])
function(spv_win_library name)
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${A_SOURCES})
  _spv_expose_folder(${name})
  target_link_libraries(${name} PUBLIC ${A_LIBS})
endfunction()

# A native GoogleTest executable: one ctest entry.
#   spv_native_test(name SOURCES ... [LIBS ...])
function(spv_native_test name)
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE ${A_LIBS} GTest::gmock GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE SPV_FIXTURES_DIR="${SPV_FIXTURES_DIR}")
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
endfunction()

# A Windows-side GoogleTest executable, run under Wine: one ctest entry per language.
#   spv_win_test(name SOURCES ... [LIBS ...] [LANGS ru_RU.UTF-8 en_US.UTF-8])
# The tests run one at a time: they share the virtual display and the prefix.
function(spv_win_test name)
  cmake_parse_arguments(A "" "" "SOURCES;LIBS;LANGS" ${ARGN})
  if(NOT A_LANGS)
    set(A_LANGS ru_RU.UTF-8)
  endif()
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE ${A_LIBS} spv_win_test_support GTest::gmock GTest::gtest_main)
  spv_test_manifest(${name})
  # Wine sees the Linux file system as drive Z:.
  target_compile_definitions(${name} PRIVATE SPV_FIXTURES_DIR="Z:${SPV_FIXTURES_DIR}")
  list(LENGTH A_LANGS nlangs)
  foreach(lang ${A_LANGS})
    set(test ${name})
    if(nlangs GREATER 1)
      string(SUBSTRING ${lang} 0 2 short)
      set(test ${name}.${short})
    endif()
    add_test(NAME ${test} COMMAND ${name} --gtest_brief=1)
    # One test program at a time in the prefix: besides the display, its processes share the
    # user's settings, the locale's date format among them, which a run in another language
    # rewrites under a run in progress.
    set_tests_properties(${test} PROPERTIES
      FIXTURES_REQUIRED wine RESOURCE_LOCK display
      ENVIRONMENT "SPV_WINE_DIR=${SPV_WINE_DIR};SPV_WINE_LANG=${lang};SPV_SHOT_DIR=Z:${CMAKE_BINARY_DIR}/screenshots")
  endforeach()
endfunction()

# A libFuzzer target (fuzz preset): its ctest entry fuzzes for SPV_FUZZ_SECONDS
# from the seeds in tests/fuzz/corpus/<name>, growing a corpus in the build tree.
#   spv_fuzz_target(name SOURCES ... [LIBS ...])
function(spv_fuzz_target name)
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${name} PRIVATE ${A_LIBS})
  set(seeds ${CMAKE_SOURCE_DIR}/tests/fuzz/corpus/${name})
  set(corpus ${CMAKE_BINARY_DIR}/corpus/${name})
  file(MAKE_DIRECTORY ${corpus})
  set(dirs ${corpus})
  if(EXISTS ${seeds})
    list(APPEND dirs ${seeds})
  endif()
  add_test(NAME ${name}
    COMMAND ${name} -max_total_time=${SPV_FUZZ_SECONDS} -timeout=10 -rss_limit_mb=2048
            -print_final_stats=1 ${dirs})
endfunction()

# A Google Benchmark executable (native preset); never run by the test command.
#   spv_benchmark(name SOURCES ... [LIBS ...])
function(spv_benchmark name)
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE ${A_LIBS} benchmark::benchmark_main)
  target_compile_definitions(${name} PRIVATE SPV_FIXTURES_DIR="${SPV_FIXTURES_DIR}")
endfunction()

# A program that ships. Built for Windows, it carries its version resource and manifest, goes
# into the package, and its debug information moves into <program>.debug beside it, named in the
# program for a debugger to find: left inside, Wine reads all 45 MB of it at every start of the
# program.
function(spv_program name)
  if(WIN32)
    spv_program_resources(${name})
    set_property(GLOBAL APPEND PROPERTY SPV_PACKAGED_PROGRAMS ${name})
  endif()
  if(WIN32 AND CMAKE_OBJCOPY)
    # objcopy would stamp both files with the time of the build; like the linker, it leaves the
    # stamp empty when asked through SOURCE_DATE_EPOCH.
    set(objcopy ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=0 ${CMAKE_OBJCOPY})
    add_custom_command(TARGET ${name} POST_BUILD
      COMMAND ${objcopy} --only-keep-debug $<TARGET_FILE:${name}> $<TARGET_FILE:${name}>.debug
      COMMAND ${objcopy} --strip-debug --add-gnu-debuglink=$<TARGET_FILE:${name}>.debug $<TARGET_FILE:${name}>
      VERBATIM)
  endif()
endfunction()

# Adds every immediate subfolder of the current source folder that has a CMakeLists.txt.
# The glob is over the CMakeLists.txt files themselves, so that a folder that gains one later
# is picked up by the next build.
macro(spv_add_subfolders)
  file(GLOB _spv_subs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*/CMakeLists.txt)
  list(SORT _spv_subs)
  foreach(_spv_sub ${_spv_subs})
    get_filename_component(_spv_dir ${_spv_sub} DIRECTORY)
    add_subdirectory(${_spv_dir})
  endforeach()
endmacro()
