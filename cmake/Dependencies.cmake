# Third-party code, all from Debian: nothing of it is committed here.

# GoogleTest from Debian's sources, built for this target (and with this
# target's sanitizer flags natively).
if(NOT QV_HOST_TOOLS_ONLY)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/_deps/googletest EXCLUDE_FROM_ALL SYSTEM)
endif()

if(WIN32)
  # Boost's header-only parts: only the boost folder on the include path,
  # never all of /usr/include.
  set(qv_boost_root ${CMAKE_BINARY_DIR}/_deps/boost-include)
  file(MAKE_DIRECTORY ${qv_boost_root})
  file(CREATE_LINK /usr/include/boost ${qv_boost_root}/boost SYMBOLIC)
  add_library(qv_boost INTERFACE)
  target_include_directories(qv_boost SYSTEM INTERFACE ${qv_boost_root})

  # libbz2 from Debian's bzip2 source package, fetched once per checkout
  # and compiled for each Windows target.
  set(qv_bzip2_src ${CMAKE_SOURCE_DIR}/build/deps/bzip2)
  if(NOT EXISTS ${qv_bzip2_src}/bzlib.h)
    execute_process(COMMAND ${CMAKE_SOURCE_DIR}/tools/fetch-bzip2.sh ${qv_bzip2_src}
                    RESULT_VARIABLE qv_fetch_rc)
    if(NOT qv_fetch_rc EQUAL 0)
      message(FATAL_ERROR "could not fetch the bzip2 sources (tools/fetch-bzip2.sh)")
    endif()
  endif()
  add_library(bz2 STATIC
    ${qv_bzip2_src}/blocksort.c ${qv_bzip2_src}/huffman.c ${qv_bzip2_src}/crctable.c
    ${qv_bzip2_src}/randtable.c ${qv_bzip2_src}/compress.c ${qv_bzip2_src}/decompress.c
    ${qv_bzip2_src}/bzlib.c)
  target_include_directories(bz2 SYSTEM PUBLIC ${qv_bzip2_src})
  target_compile_options(bz2 PRIVATE -w)
  add_library(BZip2::BZip2 ALIAS bz2)
else()
  add_library(qv_boost INTERFACE)
  find_package(BZip2 REQUIRED)
endif()
