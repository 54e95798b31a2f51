# Drawing benchmarks: report paint box and item graph against a white fill of the same image.
add_executable(bench_drawing DrawingBench.cpp)
target_link_libraries(bench_drawing PRIVATE kivo_drawing kivo_test_support benchmark::benchmark
                                            kivo_warnings)
list(APPEND KIVO_BENCHMARKS bench_drawing)
