corvane_fuzzer(FilterFuzz DEPS corvane_filter)
