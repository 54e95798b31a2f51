# Blank questionnaire benchmark: kivo-cli blank long against the one-line PDF baseline of the
# print benchmarks (print.cmake), as processes and inside one process.
if(TARGET bench_pdf_baseline)
  add_executable(bench_blank BlankBench.cpp)
  target_link_libraries(bench_blank PRIVATE kivo_print kivo_test_support benchmark::benchmark
                                          kivo_warnings)
  add_dependencies(bench_blank kivo-cli bench_pdf_baseline)
  target_compile_definitions(bench_blank PRIVATE
    KIVO_CLI_PATH="$<TARGET_FILE:kivo-cli>"
    PDF_BASELINE_PATH="$<TARGET_FILE:bench_pdf_baseline>")
  list(APPEND KIVO_BENCHMARKS bench_blank)
endif()
