# Page switch benchmark: demographics to response entry on a full long-form client, against
# switching between two empty pages.
add_executable(bench_entry EntrySwitchBench.cpp)
target_link_libraries(bench_entry PRIVATE kivo_app kivo_test_support benchmark::benchmark
                                          kivo_warnings)
list(APPEND KIVO_BENCHMARKS bench_entry)
