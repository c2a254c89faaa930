corvane_fuzzer(DataPacketFuzz DEPS corvane_store)
corvane_fuzzer(JournalFuzz DEPS corvane_store)
