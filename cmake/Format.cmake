# `format` and `format-check` targets: clang-format 14 with the project's .clang-format over
# every C++ source and header git tracks. Included by the root CMakeLists; the targets run
# this same file as a script (cmake -P), so files added after the configure are covered too.
#
#   cmake --build build --target format         rewrites the files in place
#   cmake --build build --target format-check   fails and lists every file that differs

if(NOT CMAKE_SCRIPT_MODE_FILE)
  # Version 14 first: another major version may lay out the same code differently.
  find_program(KIVO_CLANG_FORMAT NAMES clang-format-14 clang-format
    DOC "clang-format used by the format and format-check targets (version 14)")
  find_package(Git QUIET)
  foreach(mode format check)
    if(mode STREQUAL "format")
      set(target format)
      set(comment "Formatting the sources with clang-format")
    else()
      set(target format-check)
      set(comment "Checking the sources against .clang-format")
    endif()
    add_custom_target(${target}
      COMMAND ${CMAKE_COMMAND} -DKIVO_FORMAT_MODE=${mode}
              -DKIVO_SOURCE_DIR=${PROJECT_SOURCE_DIR}
              "-DKIVO_CLANG_FORMAT=${KIVO_CLANG_FORMAT}" "-DKIVO_GIT=${GIT_EXECUTABLE}"
              -P ${CMAKE_CURRENT_LIST_FILE}
      WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
      COMMENT "${comment}"
      VERBATIM)
  endforeach()
  return()
endif()

# Script mode from here on: KIVO_FORMAT_MODE (format|check), KIVO_SOURCE_DIR,
# KIVO_CLANG_FORMAT and KIVO_GIT come from the target's command line.
if(NOT KIVO_CLANG_FORMAT)
  message(FATAL_ERROR "clang-format not found: install it with `tools/install-deps.sh test` "
                      "(Debian package clang-format), then configure again")
endif()
execute_process(COMMAND ${KIVO_CLANG_FORMAT} --version OUTPUT_VARIABLE version
                OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT version MATCHES "version 14\\.")
  message(WARNING "${version}: the tree is formatted with clang-format 14; "
                  "other versions may disagree")
endif()

# The files git tracks; without git (an unpacked tarball), the .h/.cpp files in the tree.
# Build folders are never tracked, and the fuzz corpus holds inputs, not sources.
set(files "")
if(KIVO_GIT AND EXISTS ${KIVO_SOURCE_DIR}/.git)
  execute_process(COMMAND ${KIVO_GIT} -c core.quotePath=false ls-files -- "*.h" "*.cpp"
                  WORKING_DIRECTORY ${KIVO_SOURCE_DIR}
                  OUTPUT_VARIABLE listed RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "git ls-files failed in ${KIVO_SOURCE_DIR}")
  endif()
  # One name a line becomes a CMake list; a semicolon in a name stays part of the name.
  string(REPLACE ";" "\\;" listed "${listed}")
  string(REPLACE "\n" ";" listed "${listed}")
  foreach(file IN LISTS listed)
    if(file AND EXISTS ${KIVO_SOURCE_DIR}/${file})
      list(APPEND files ${file})
    endif()
  endforeach()
else()
  file(GLOB_RECURSE files RELATIVE ${KIVO_SOURCE_DIR}
       ${KIVO_SOURCE_DIR}/*.h ${KIVO_SOURCE_DIR}/*.cpp)
  list(FILTER files EXCLUDE REGEX "^(build[^/]*|\\.[^/]*)/")
endif()
list(FILTER files EXCLUDE REGEX "^tests/fuzz/corpus/")
list(SORT files)
list(LENGTH files count)

if(KIVO_FORMAT_MODE STREQUAL "format")
  # One clang-format process per batch keeps the command lines short and the run quick.
  set(batch "")
  foreach(file IN LISTS files)
    list(APPEND batch ${file})
    list(LENGTH batch size)
    if(size EQUAL 50)
      execute_process(COMMAND ${KIVO_CLANG_FORMAT} -i --style=file ${batch}
                      WORKING_DIRECTORY ${KIVO_SOURCE_DIR} RESULT_VARIABLE failed)
      if(failed)
        message(FATAL_ERROR "clang-format failed")
      endif()
      set(batch "")
    endif()
  endforeach()
  if(batch)
    execute_process(COMMAND ${KIVO_CLANG_FORMAT} -i --style=file ${batch}
                    WORKING_DIRECTORY ${KIVO_SOURCE_DIR} RESULT_VARIABLE failed)
    if(failed)
      message(FATAL_ERROR "clang-format failed")
    endif()
  endif()
  message(STATUS "Formatted ${count} files")
  return()
endif()

# Check: one file at a time, so the report names exactly the files that differ.
set(differ "")
foreach(file IN LISTS files)
  execute_process(COMMAND ${KIVO_CLANG_FORMAT} --dry-run -Werror --style=file ${file}
                  WORKING_DIRECTORY ${KIVO_SOURCE_DIR}
                  RESULT_VARIABLE failed OUTPUT_QUIET ERROR_QUIET)
  if(failed)
    list(APPEND differ ${file})
  endif()
endforeach()
if(differ)
  list(LENGTH differ bad)
  list(JOIN differ "\n  " shown)
  message(FATAL_ERROR "${bad} of ${count} files differ from .clang-format:\n  ${shown}\n"
                      "Run `cmake --build <build folder> --target format` to format them.")
endif()
message(STATUS "All ${count} files match .clang-format")
