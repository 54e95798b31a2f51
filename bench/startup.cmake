# Start-up benchmark: KIVO's process start to the main window's first paint against a baseline
# Qt program with one window of the same size, a menu, a tool bar and a status bar.
add_executable(bench_startup_baseline StartupBaseline.cpp StartupPaintProbe.h)
target_link_libraries(bench_startup_baseline PRIVATE Qt6::Widgets kivo_warnings)

add_executable(bench_startup_kivo StartupKivoProbe.cpp StartupPaintProbe.h)
target_link_libraries(bench_startup_kivo PRIVATE kivo_app kivo_warnings)

add_executable(bench_startup StartupBench.cpp)
target_link_libraries(bench_startup PRIVATE kivo_test_support benchmark::benchmark kivo_warnings)
add_dependencies(bench_startup bench_startup_baseline bench_startup_kivo)

list(APPEND KIVO_BENCHMARKS bench_startup bench_startup_baseline bench_startup_kivo)
