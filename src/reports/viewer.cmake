# Report engine, layouts' data and the report viewer screen.
target_sources(quorvel_lib PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ReportNumberFormat.cpp ${CMAKE_CURRENT_LIST_DIR}/ReportNumberFormat.h
  ${CMAKE_CURRENT_LIST_DIR}/ReportError.h
  ${CMAKE_CURRENT_LIST_DIR}/ReportLayout.cpp ${CMAKE_CURRENT_LIST_DIR}/ReportLayout.h
  ${CMAKE_CURRENT_LIST_DIR}/ReportCharts.cpp ${CMAKE_CURRENT_LIST_DIR}/ReportCharts.h
  ${CMAKE_CURRENT_LIST_DIR}/ReportGauge.cpp ${CMAKE_CURRENT_LIST_DIR}/ReportGauge.h
  ${CMAKE_CURRENT_LIST_DIR}/ReportData.cpp ${CMAKE_CURRENT_LIST_DIR}/ReportData.h
  ${CMAKE_CURRENT_LIST_DIR}/ReportDocument.cpp ${CMAKE_CURRENT_LIST_DIR}/ReportDocument.h
  ${CMAKE_CURRENT_LIST_DIR}/ReportEngine.cpp ${CMAKE_CURRENT_LIST_DIR}/ReportEngine.h
  ${CMAKE_CURRENT_LIST_DIR}/ReportNaming.cpp ${CMAKE_CURRENT_LIST_DIR}/ReportNaming.h
  ${CMAKE_CURRENT_LIST_DIR}/ReportSheets.cpp ${CMAKE_CURRENT_LIST_DIR}/ReportSheets.h
  ${CMAKE_CURRENT_LIST_DIR}/ReportZoom.cpp ${CMAKE_CURRENT_LIST_DIR}/ReportZoom.h
  ${CMAKE_CURRENT_LIST_DIR}/SpreadsheetExport.cpp ${CMAKE_CURRENT_LIST_DIR}/SpreadsheetExport.h
  ${CMAKE_CURRENT_LIST_DIR}/ReportPageView.cpp ${CMAKE_CURRENT_LIST_DIR}/ReportPageView.h
  ${CMAKE_CURRENT_LIST_DIR}/WaitCursorPause.cpp ${CMAKE_CURRENT_LIST_DIR}/WaitCursorPause.h
  ${CMAKE_CURRENT_LIST_DIR}/frmReportViewer.cpp ${CMAKE_CURRENT_LIST_DIR}/frmReportViewer.h
)
