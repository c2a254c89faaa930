corvane_bench(IntakeLookupBench DEPS corvane_app)
target_compile_definitions(bench_IntakeLookupBench PRIVATE CORVANE_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
