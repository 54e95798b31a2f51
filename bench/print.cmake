# Score report benchmarks: generating the page store against an empty one-page report, and
# kivo-cli report against a program that writes a one-page PDF with one line of text.
add_executable(bench_pdf_baseline PdfBaseline.cpp)
target_link_libraries(bench_pdf_baseline PRIVATE Qt6::Gui kivo_warnings)

add_executable(bench_print PrintBench.cpp)
target_link_libraries(bench_print PRIVATE kivo_score_report kivo_canvas kivo_test_support
                                          benchmark::benchmark kivo_warnings)
add_dependencies(bench_print kivo-cli bench_pdf_baseline)
target_compile_definitions(bench_print PRIVATE
  KIVO_CLI_PATH="$<TARGET_FILE:kivo-cli>"
  PDF_BASELINE_PATH="$<TARGET_FILE:bench_pdf_baseline>")
list(APPEND KIVO_BENCHMARKS bench_print bench_pdf_baseline)
