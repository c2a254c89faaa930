corvane_bench(ExchangeBench DEPS corvane_app)
