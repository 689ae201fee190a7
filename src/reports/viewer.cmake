target_sources(quorvel_lib PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/frmReportViewer.cpp ${CMAKE_CURRENT_LIST_DIR}/frmReportViewer.h
)
