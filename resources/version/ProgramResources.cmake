# Every program that ships carries a version resource and a manifest: what it is, its version
# (the project's), and how Windows is to start it. The Windows test programs carry the main
# program's manifest, so that the windows they test are made as the program makes them.

# What each program says of itself (its file description), and whether its windows are the
# system's common controls (the main window's tab row and the folder chooser's tree with their
# image lists), which its manifest then names.
set(spv_program_description_spinvolt "Spinvolt: что диджей сделал с плейлистами часов Quorvane")
set(spv_program_controls_spinvolt ON)
set(spv_program_description_spinvolt-check "Spinvolt: проверка дня из командной строки")
set(spv_program_description_spinvolt-query "Spinvolt: запрос SQL к таблицам Paradox")
set(spv_program_description_spinvolt-demo "Spinvolt: демонстрационная папка Quorvane")

set(spv_program_resources_dir ${CMAKE_CURRENT_LIST_DIR})

# Writes the manifest of program NAME into DIR and sets OUT to a resource file that carries it.
function(_spv_manifest_resource name description controls dir out)
  set(spv_program ${name})
  set(spv_description "${description}")
  set(spv_manifest_dependency "")
  if(controls)
    file(READ ${spv_program_resources_dir}/CommonControls.manifest.in spv_manifest_dependency)
  endif()
  set(spv_manifest ${dir}/${name}.manifest)
  configure_file(${spv_program_resources_dir}/Program.manifest.in ${spv_manifest} @ONLY)
  configure_file(${spv_program_resources_dir}/Manifest.rc.in ${dir}/${name}.manifest.rc @ONLY)
  set_source_files_properties(${dir}/${name}.manifest.rc PROPERTIES OBJECT_DEPENDS ${spv_manifest})
  set(${out} ${dir}/${name}.manifest.rc PARENT_SCOPE)
endfunction()

function(spv_program_resources name)
  set(spv_program ${name})
  set(spv_description "${spv_program_description_${name}}")
  if(NOT spv_description)
    message(FATAL_ERROR "${name} ships without a description: name it in ${spv_program_resources_dir}/ProgramResources.cmake")
  endif()
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/${name}.resources)
  configure_file(${spv_program_resources_dir}/Program.rc.in ${dir}/${name}.rc @ONLY)
  _spv_manifest_resource(${name} "${spv_description}" "${spv_program_controls_${name}}" ${dir} manifest)
  target_sources(${name} PRIVATE ${dir}/${name}.rc ${manifest})
endfunction()

function(spv_test_manifest target)
  if(NOT TARGET spv_test_manifest)
    _spv_manifest_resource(spinvolt-tests "Spinvolt: тесты" "${spv_program_controls_spinvolt}"
                           ${CMAKE_BINARY_DIR}/tests/manifest manifest)
    add_library(spv_test_manifest OBJECT ${manifest})
  endif()
  target_link_libraries(${target} PRIVATE spv_test_manifest)
endfunction()
