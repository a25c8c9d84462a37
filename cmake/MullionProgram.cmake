# mullion_add_resources(TARGET RC_FILE): compiles a resource script with llvm-rc and embeds the
# resulting .res image in TARGET; the platform's resource loader finds it through the module.
# The script is named relative to its folder: llvm-rc reads an absolute path such as /ci/x.rc as
# one of its slash options (/C with a code page), leaving no input file.
find_program(MULLION_LLVM_RC NAMES llvm-rc llvm-rc-14 REQUIRED)

function(mullion_add_resources target rc_file)
  get_filename_component(rc_abs "${rc_file}" ABSOLUTE)
  get_filename_component(rc_dir "${rc_abs}" DIRECTORY)
  get_filename_component(rc_name "${rc_abs}" NAME)
  set(res "${CMAKE_CURRENT_BINARY_DIR}/${target}.res")
  set(embed "${CMAKE_CURRENT_BINARY_DIR}/${target}_resources.cpp")
  # The script's headers and pictures, and the shared pieces of the folder above it (programs
  # of one family include a common dialog script from there).
  file(GLOB_RECURSE rc_inputs CONFIGURE_DEPENDS "${rc_dir}/*.h" "${rc_dir}/res/*")
  file(GLOB rc_shared_inputs CONFIGURE_DEPENDS "${rc_dir}/../*.rci" "${rc_dir}/../*.h")
  list(APPEND rc_inputs ${rc_shared_inputs})
  add_custom_command(OUTPUT "${res}"
    COMMAND ${MULLION_LLVM_RC} /nologo /I "${rc_dir}" /I "${PROJECT_SOURCE_DIR}/platform/include"
            /FO "${res}" "${rc_name}"
    DEPENDS "${rc_abs}" ${rc_inputs}
    WORKING_DIRECTORY "${rc_dir}"
    COMMENT "Compiling resources of ${target}")
  configure_file("${PROJECT_SOURCE_DIR}/cmake/embedded_resources.cpp.in" "${embed}" @ONLY)
  set_source_files_properties("${embed}" PROPERTIES OBJECT_DEPENDS "${res}")
  target_sources(${target} PRIVATE "${embed}")
endfunction()

# mullion_add_program(NAME RC_FILE [STATIC_FRAMEWORK] SOURCES...): one of the programs of the
# disk, linked against the framework (the shared library, or with STATIC_FRAMEWORK the static
# one linked into the program), with its resources embedded.
function(mullion_add_program name rc_file)
  cmake_parse_arguments(arg "STATIC_FRAMEWORK" "" "" ${ARGN})
  add_executable(${name} ${arg_UNPARSED_ARGUMENTS})
  if(arg_STATIC_FRAMEWORK)
    # The entry point comes first so that the static framework's WinMain resolves it.
    target_link_libraries(${name} PRIVATE mullion_main mullion_framework_static mullion_warnings)
  else()
    target_link_libraries(${name} PRIVATE mullion_framework mullion_main mullion_warnings)
  endif()
  mullion_add_resources(${name} "${rc_file}")
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${PROJECT_BINARY_DIR}/bin")
endfunction()
