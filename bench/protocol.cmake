corvane_bench(ParseBench DEPS corvane_protocol)
