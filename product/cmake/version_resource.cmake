# qv_product_version_resource(<target> TYPE VFT_APP|VFT_DLL DESCRIPTION <text>
#     FILE_VERSION <a.b.c.d> PRODUCT_VERSION <text> [LANGUAGE <4 hex digits>]
#     [APPLICATION_ID <text>] [SPECIAL_BUILD <text>])
# Gives <target> the version resource of the product's files. The values are
# written into a configured .rc, since windres cannot be handed quoted
# defines reliably; LANGUAGE is a Windows language id, en-US by default.
function(qv_product_version_resource target)
  cmake_parse_arguments(PARSE_ARGV 1 arg ""
    "TYPE;DESCRIPTION;FILE_VERSION;PRODUCT_VERSION;LANGUAGE;APPLICATION_ID;SPECIAL_BUILD" "")
  if(NOT arg_FILE_VERSION MATCHES "^([0-9]+)\\.([0-9]+)\\.([0-9]+)\\.([0-9]+)$")
    message(FATAL_ERROR "${target}: FILE_VERSION must be a.b.c.d, not '${arg_FILE_VERSION}'")
  endif()
  set(QV_VERSION_NUMBERS "${CMAKE_MATCH_1}, ${CMAKE_MATCH_2}, ${CMAKE_MATCH_3}, ${CMAKE_MATCH_4}")
  if(NOT arg_LANGUAGE)
    set(arg_LANGUAGE 0409)
  endif()
  if(NOT arg_LANGUAGE MATCHES "^[0-9A-F][0-9A-F][0-9A-F][0-9A-F]$")
    message(FATAL_ERROR "${target}: LANGUAGE must be four upper-case hex digits")
  endif()
  set(QV_LANGUAGE ${arg_LANGUAGE})
  set(QV_FILE_TYPE ${arg_TYPE})
  set(QV_DESCRIPTION "${arg_DESCRIPTION}")
  set(QV_FILE_VERSION ${arg_FILE_VERSION})
  set(QV_PRODUCT_VERSION "${arg_PRODUCT_VERSION}")
  set(QV_APPLICATION_ID "${arg_APPLICATION_ID}")
  set(QV_SPECIAL_BUILD "${arg_SPECIAL_BUILD}")
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}.version.rc)
  configure_file(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/version.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
endfunction()
