# Report display and start-up timings on copies of the program folder's files
# (not a CTest test).
add_executable(bench_viewer ${CMAKE_CURRENT_LIST_DIR}/bench_viewer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BenchSupport.h)
target_link_libraries(bench_viewer PRIVATE quorvel_lib Qt6::Test)
target_include_directories(bench_viewer PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_compile_definitions(bench_viewer PRIVATE QUORVEL_PROGRAM_DIR="${QUORVEL_PROGRAM_DIR}"
  QUORVEL_FRESH_USER_DB="${CMAKE_BINARY_DIR}/data/myData.mdb")
foreach(dependency quorvel_databases quorvel_layouts)
  if(TARGET ${dependency})
    add_dependencies(bench_viewer ${dependency})
  endif()
endforeach()
