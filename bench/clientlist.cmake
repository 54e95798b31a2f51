# File > Find Client at clinic scale: first rows, the whole scan against kivo-cli scores, a
# keystroke to the painted list and the memory at 100,000 rows.
find_package(Qt6 REQUIRED COMPONENTS Test)
add_executable(bench_client_list ClientListBench.cpp)
target_link_libraries(bench_client_list PRIVATE kivo_app kivo_test_support Qt6::Test kivo_warnings)
add_dependencies(bench_client_list kivo-cli)
target_compile_definitions(bench_client_list PRIVATE KIVO_CLI_PATH="$<TARGET_FILE:kivo-cli>")
list(APPEND KIVO_BENCHMARKS bench_client_list)
