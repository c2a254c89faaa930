if(CORVANE_GUI)
  find_package(Qt6 REQUIRED COMPONENTS Widgets)
  corvane_bench(WindowBench DEPS corvane_ui Qt6::Widgets)
  target_include_directories(bench_WindowBench PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_compile_definitions(bench_WindowBench PRIVATE
      CORVANE_SOURCE_DIR="${PROJECT_SOURCE_DIR}" CORVANE_BINARY_DIR="${PROJECT_BINARY_DIR}")
  # The window loads the image library the build generates.
  add_dependencies(bench_WindowBench corvane_resources)
endif()
