corvane_bench(StartupBench DEPS corvane_store)
target_compile_definitions(bench_StartupBench PRIVATE CORVANE_BINARY_DIR="${PROJECT_BINARY_DIR}")
add_dependencies(bench_StartupBench corvane-headless)
