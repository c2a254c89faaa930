corvane_fuzzer(TcpFramingFuzz DEPS corvane_net)
