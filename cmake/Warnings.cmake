# Warnings for our own targets only; third-party code keeps its own flags.
function(qv_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion)
  if(QV_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
  if(WIN32)
    target_compile_definitions(${target} PRIVATE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
  endif()
endfunction()

if(QV_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    # Coverage for the fuzz targets in all our code, not only in the targets.
    add_compile_options(-fsanitize=fuzzer-no-link)
  endif()
endif()
if(WIN32)
  # One self-contained executable: no MinGW runtime DLLs beside it.
  add_link_options(-static -static-libgcc -static-libstdc++ $<$<CONFIG:MinSizeRel>:-s>)
endif()
if(WIN32)
  # The string tables are UTF-8.
  string(APPEND CMAKE_RC_FLAGS " -c 65001")
endif()
