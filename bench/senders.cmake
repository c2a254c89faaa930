if(CORVANE_GUI)
  find_package(Qt6 REQUIRED COMPONENTS Widgets)
  corvane_bench(SendersBench DEPS corvane_ui Qt6::Widgets)
endif()
