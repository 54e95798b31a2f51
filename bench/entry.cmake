# Entry page benchmarks. bench_entry: the page switch from demographics to response entry on a
# full long-form client, against switching between two empty pages. bench_entry_keys: one
# typed answer through to the repainted page, against a bare repaint of the page.
add_executable(bench_entry EntrySwitchBench.cpp)
target_link_libraries(bench_entry PRIVATE kivo_app kivo_test_support benchmark::benchmark
                                          kivo_warnings)
add_executable(bench_entry_keys EntryKeyBench.cpp)
target_link_libraries(bench_entry_keys PRIVATE kivo_app kivo_test_support benchmark::benchmark
                                               kivo_warnings)
list(APPEND KIVO_BENCHMARKS bench_entry bench_entry_keys)
