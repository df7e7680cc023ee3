# Tiny executables that differ only by their version resource, written to
# QV_VERSION_FIXTURES_DIR as <fixture>.exe; no_resource has none at all.
# QV_VERSION_PROGRAM_RC is the version resource of the test program itself.
set(QV_VERSION_FIXTURES_DIR ${CMAKE_CURRENT_BINARY_DIR}/version_fixtures)
set(QV_VERSION_PROGRAM_RC ${CMAKE_CURRENT_LIST_DIR}/program.rc)
set(qv_fixture_rcs unicode mixed western prerelease masked private_debug kardenau)
list(TRANSFORM qv_fixture_rcs REPLACE "(.+)" "${CMAKE_CURRENT_LIST_DIR}/\\1.rc")
# windres reports no dependencies, so the shared block is named here.
set_source_files_properties(${qv_fixture_rcs} ${QV_VERSION_PROGRAM_RC} PROPERTIES
  OBJECT_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/version_block.rci)

add_custom_target(version_fixtures)
foreach(rc IN LISTS qv_fixture_rcs ITEMS no_resource)
  get_filename_component(fixture ${rc} NAME_WE)
  add_executable(version_fixture_${fixture} ${CMAKE_CURRENT_LIST_DIR}/fixture_main.cpp)
  if(NOT fixture STREQUAL no_resource)
    target_sources(version_fixture_${fixture} PRIVATE ${rc})
  endif()
  set_target_properties(version_fixture_${fixture} PROPERTIES OUTPUT_NAME ${fixture}
                        RUNTIME_OUTPUT_DIRECTORY ${QV_VERSION_FIXTURES_DIR})
  qv_warnings(version_fixture_${fixture})
  add_dependencies(version_fixtures version_fixture_${fixture})
endforeach()
