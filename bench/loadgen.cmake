add_executable(corvane_loadgen ${CMAKE_CURRENT_SOURCE_DIR}/LoadGen.cpp)
