corvane_bench(TcpFramingBench DEPS corvane_net)
