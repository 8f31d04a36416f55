# Every binary's version block is made from the project's one description
# (TANDREL_PRODUCT_NAME, TANDREL_COMPANY_NAME, TANDREL_COPYRIGHT and the
# project version, set in the top-level CMakeLists.txt).

# tandrel_add_version_block(<target> [DESCRIPTION text] [VERSION a.b.c.d]
#                           [LANGUAGE id] [CODE_PAGE cp] [FILE_DATE filetime]
#                           [COPYRIGHT text] [COMMENTS text])
# Generates the target's version block (product version from the project
# version unless VERSION is given) and links it into the target's own ELF
# file, where CFileVersionInfo reads it.
function(tandrel_add_version_block target)
  cmake_parse_arguments(ARG "" "DESCRIPTION;VERSION;LANGUAGE;CODE_PAGE;FILE_DATE;COPYRIGHT;COMMENTS" "" ${ARGN})
  foreach(pair "VERSION;${PROJECT_VERSION}" "LANGUAGE;0x0409" "CODE_PAGE;0x04B0" "FILE_DATE;0"
               "COPYRIGHT;${TANDREL_COPYRIGHT}" "DESCRIPTION;${TANDREL_PRODUCT_NAME}")
    list(GET pair 0 name)
    list(GET pair 1 default)
    if(NOT DEFINED ARG_${name})
      set(ARG_${name} "${default}")
    endif()
  endforeach()

  get_target_property(type ${target} TYPE)
  if(type STREQUAL "EXECUTABLE")
    set(file_type 1)
  elseif(type STREQUAL "SHARED_LIBRARY")
    set(file_type 2)
  else()
    message(FATAL_ERROR "tandrel_add_version_block: ${target} is neither a program nor a shared library")
  endif()

  set(description "${CMAKE_CURRENT_BINARY_DIR}/${target}_version.txt")
  set(generated "${CMAKE_CURRENT_BINARY_DIR}/${target}_version_block.cpp")
  set(content
    "file-version=${ARG_VERSION}\n"
    "product-version=${ARG_VERSION}\n"
    "file-type=${file_type}\n"
    "file-date=${ARG_FILE_DATE}\n"
    "language=${ARG_LANGUAGE}\n"
    "code-page=${ARG_CODE_PAGE}\n"
    "string:CompanyName=${TANDREL_COMPANY_NAME}\n"
    "string:FileDescription=${ARG_DESCRIPTION}\n"
    "string:FileVersion=${ARG_VERSION}\n"
    "string:InternalName=${target}\n"
    "string:LegalCopyright=${ARG_COPYRIGHT}\n"
    "string:OriginalFilename=$<TARGET_FILE_NAME:${target}>\n"
    "string:ProductName=${TANDREL_PRODUCT_NAME}\n"
    "string:ProductVersion=${ARG_VERSION}\n")
  if(DEFINED ARG_COMMENTS)
    list(APPEND content "string:Comments=${ARG_COMMENTS}\n")
  endif()
  list(JOIN content "" content)
  file(GENERATE OUTPUT "${description}" CONTENT "${content}")

  add_custom_command(OUTPUT "${generated}"
    COMMAND tandrel-version-block "${description}" "${generated}"
    DEPENDS tandrel-version-block "${description}"
    COMMENT "Version block of ${target}"
    VERBATIM)
  # The target may live in another folder than this call, and a custom
  # command's output is only known in its own folder: a helper target here
  # orders the generation before the target is compiled.
  add_custom_target(${target}_version_block DEPENDS "${generated}")
  add_dependencies(${target} ${target}_version_block)
  target_sources(${target} PRIVATE "${generated}")
  set_source_files_properties("${generated}" TARGET_DIRECTORY ${target}
    PROPERTIES GENERATED ON SKIP_AUTOGEN ON)
endfunction()
