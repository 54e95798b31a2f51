# The man pages kivo(1) and kivo-cli(1): ManPageGen fills each roff template with the README's
# text, gzip -9n compresses them as Debian wants (no name or time stamp inside, so builds are
# reproducible), and they install into share/man/man1. Included by cmake/Packaging.cmake.
add_executable(kivo_man_page_gen ${PROJECT_SOURCE_DIR}/man/ManPageGen.cpp)
target_link_libraries(kivo_man_page_gen PRIVATE kivo_warnings)

find_program(KIVO_GZIP gzip REQUIRED)
set(kivo_man_dir ${PROJECT_BINARY_DIR}/man)
file(MAKE_DIRECTORY ${kivo_man_dir})
set(kivo_man_pages)
foreach(page kivo kivo-cli)
  set(template ${PROJECT_SOURCE_DIR}/man/${page}.1.in)
  add_custom_command(
    OUTPUT ${kivo_man_dir}/${page}.1.gz
    COMMAND kivo_man_page_gen ${PROJECT_SOURCE_DIR}/README.md ${template} ${PROJECT_VERSION}
            ${kivo_man_dir}/${page}.1
    COMMAND ${KIVO_GZIP} -9nf ${kivo_man_dir}/${page}.1
    DEPENDS kivo_man_page_gen ${PROJECT_SOURCE_DIR}/README.md ${template}
    COMMENT "Man page ${page}(1)"
    VERBATIM)
  list(APPEND kivo_man_pages ${kivo_man_dir}/${page}.1.gz)
endforeach()
add_custom_target(kivo_man_pages ALL DEPENDS ${kivo_man_pages})
install(FILES ${kivo_man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
