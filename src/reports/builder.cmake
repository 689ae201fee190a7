target_sources(quorvel_lib PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ComparisonBatch.cpp ${CMAKE_CURRENT_LIST_DIR}/ComparisonBatch.h
  ${CMAKE_CURRENT_LIST_DIR}/ComparisonFigures.cpp ${CMAKE_CURRENT_LIST_DIR}/ComparisonFigures.h
  ${CMAKE_CURRENT_LIST_DIR}/ComparisonRatios.h
  ${CMAKE_CURRENT_LIST_DIR}/ComparisonReading.cpp ${CMAKE_CURRENT_LIST_DIR}/ComparisonReading.h
  ${CMAKE_CURRENT_LIST_DIR}/ComparisonReport.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ComparisonTrend.cpp ${CMAKE_CURRENT_LIST_DIR}/ComparisonTrend.h
  ${CMAKE_CURRENT_LIST_DIR}/IndustryYear.cpp ${CMAKE_CURRENT_LIST_DIR}/IndustryYear.h
  ${CMAKE_CURRENT_LIST_DIR}/QuartileRules.cpp ${CMAKE_CURRENT_LIST_DIR}/QuartileRules.h
  ${CMAKE_CURRENT_LIST_DIR}/ReferenceAttachment.cpp ${CMAKE_CURRENT_LIST_DIR}/ReferenceAttachment.h
  ${CMAKE_CURRENT_LIST_DIR}/ReportExtraction.cpp ${CMAKE_CURRENT_LIST_DIR}/ReportExtraction.h
  ${CMAKE_CURRENT_LIST_DIR}/ReportPreparation.h
  ${CMAKE_CURRENT_LIST_DIR}/ReportSql.h
  ${CMAKE_CURRENT_LIST_DIR}/ReportTitles.cpp ${CMAKE_CURRENT_LIST_DIR}/ReportTitles.h
  ${CMAKE_CURRENT_LIST_DIR}/TableColumns.cpp ${CMAKE_CURRENT_LIST_DIR}/TableColumns.h
)
