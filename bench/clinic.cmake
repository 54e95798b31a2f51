# kivo-cli at clinic scale: scores over 100,000 client files against only reading them, its
# peak memory for 10,000 and 100,000 files, and report over 100 files in one process against
# 100 separate runs.
add_executable(bench_clinic ClinicScaleBench.cpp)
target_link_libraries(bench_clinic PRIVATE kivo_model kivo_test_support kivo_warnings)
add_dependencies(bench_clinic kivo-cli)
target_compile_definitions(bench_clinic PRIVATE KIVO_CLI_PATH="$<TARGET_FILE:kivo-cli>")
list(APPEND KIVO_BENCHMARKS bench_clinic)
