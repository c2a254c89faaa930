corvane_fuzzer(IniFuzz DEPS corvane_app)
corvane_fuzzer(JsonRecordFuzz DEPS corvane_app)
