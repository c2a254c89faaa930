corvane_fuzzer(IniFuzz DEPS corvane_app)
