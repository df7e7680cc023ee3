include(GoogleTest)

if(WIN32)
  # Every Windows test runs under Wine in a prefix of this build tree.
  set(qv_wine_root ${CMAKE_BINARY_DIR}/wine)
  set(qv_wine_run ${CMAKE_SOURCE_DIR}/tools/wine-run.sh --root ${qv_wine_root})
  set(CMAKE_CROSSCOMPILING_EMULATOR ${qv_wine_run})
  add_test(NAME wine_prefix COMMAND ${qv_wine_run} cmd /c exit 0)
  set_tests_properties(wine_prefix PROPERTIES FIXTURES_SETUP wine)
  add_test(NAME wine_stop COMMAND ${qv_wine_run} --stop)
  set_tests_properties(wine_stop PROPERTIES FIXTURES_CLEANUP wine)
endif()

# qv_test(NAME SOURCES... [LIBS...] [DISPLAY] [RESOURCE_LOCK NAME]): a GoogleTest
# executable whose tests ctest lists one by one; DISPLAY gives each a private
# X server (display tests run one at a time); tests that share RESOURCE_LOCK
# (a registry key, say) never run at the same time.
function(qv_test name)
  cmake_parse_arguments(arg "DISPLAY" "RESOURCE_LOCK" "SOURCES;LIBS;RESOURCES" ${ARGN})
  add_executable(${name} ${arg_SOURCES} ${arg_RESOURCES})
  target_link_libraries(${name} PRIVATE ${arg_LIBS} GTest::gtest_main)
  qv_warnings(${name})
  set(props "")
  set(lock ${arg_RESOURCE_LOCK})
  if(WIN32)
    list(APPEND props FIXTURES_REQUIRED wine)
    if(arg_DISPLAY)
      # Wine's desktop process lives on the display of the prefix's first
      # window: two displays at once leave one test without a desktop. So
      # display tests run one at a time, which also keeps them from sharing
      # anything else (one lock only: the discovered tests take a single
      # value).
      set(lock wine_display)
    endif()
  endif()
  if(lock)
    list(APPEND props RESOURCE_LOCK ${lock})
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                       PROPERTIES ${props})
endfunction()
