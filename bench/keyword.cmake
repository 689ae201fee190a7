# Keyword search timings on a copy of the shipped databases (not a CTest test).
add_executable(bench_keyword ${CMAKE_CURRENT_LIST_DIR}/bench_keyword.cpp)
target_link_libraries(bench_keyword PRIVATE quorvel_lib Qt6::Test)
target_include_directories(bench_keyword PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_compile_definitions(bench_keyword PRIVATE
  QUORVEL_PROGRAM_DIR="${QUORVEL_PROGRAM_DIR}"
  QUORVEL_FRESH_USER_DB="${CMAKE_BINARY_DIR}/data/myData.mdb")
if(TARGET quorvel_databases)
  add_dependencies(bench_keyword quorvel_databases)
endif()
