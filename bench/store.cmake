corvane_bench(StoreBench DEPS corvane_store)
