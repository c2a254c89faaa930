corvane_bench(FilterBench DEPS corvane_filter)
