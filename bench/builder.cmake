# Report builder timings on copies of the shipped databases (not a CTest test).
add_executable(bench_builder ${CMAKE_CURRENT_LIST_DIR}/bench_builder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BenchSupport.h)
target_link_libraries(bench_builder PRIVATE quorvel_lib Qt6::Test)
target_include_directories(bench_builder PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_compile_definitions(bench_builder PRIVATE
  QUORVEL_PROGRAM_DIR="${QUORVEL_PROGRAM_DIR}"
  QUORVEL_FRESH_USER_DB="${CMAKE_BINARY_DIR}/data/myData.mdb")
if(TARGET quorvel_databases)
  add_dependencies(bench_builder quorvel_databases)
endif()
