# qv_product_program(<target> OUTPUT_DIRECTORY <dir> FILE_VERSION <a.b.c.d>
#     PRODUCT_VERSION <text> [SPECIAL_BUILD <text>] [APPLICATION_ID <text>])
# One build of Kardelo.exe, written to <dir>. The code is compiled once
# (qv_kardelo_code); a build differs only by its version resource.
# APPLICATION_ID (Kardelo5 by default) names the instance semaphore.
function(qv_product_program target)
  cmake_parse_arguments(PARSE_ARGV 1 arg ""
    "OUTPUT_DIRECTORY;FILE_VERSION;PRODUCT_VERSION;SPECIAL_BUILD;APPLICATION_ID" "")
  if(NOT arg_OUTPUT_DIRECTORY OR NOT arg_PRODUCT_VERSION)
    message(FATAL_ERROR "qv_product_program(${target}): OUTPUT_DIRECTORY and PRODUCT_VERSION are required")
  endif()
  if(NOT arg_APPLICATION_ID)
    set(arg_APPLICATION_ID Kardelo5)
  endif()
  add_executable(${target} WIN32)
  target_link_libraries(${target} PRIVATE qv_kardelo_code)
  target_link_options(${target} PRIVATE -municode)
  set_target_properties(${target} PROPERTIES OUTPUT_NAME Kardelo
                                             RUNTIME_OUTPUT_DIRECTORY ${arg_OUTPUT_DIRECTORY})
  qv_product_version_resource(${target} TYPE VFT_APP DESCRIPTION Kardelo
    FILE_VERSION "${arg_FILE_VERSION}" PRODUCT_VERSION "${arg_PRODUCT_VERSION}"
    APPLICATION_ID "${arg_APPLICATION_ID}" SPECIAL_BUILD "${arg_SPECIAL_BUILD}")
  qv_warnings(${target})
endfunction()
