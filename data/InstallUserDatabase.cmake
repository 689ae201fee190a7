# Puts a fresh user database into the program folder, but only when none is
# there: the program folder's myData.mdb holds the user's saved statements and
# a rebuild must never replace it.
#   cmake -DSOURCE=<fresh myData.mdb> -DTARGET=<program folder>/myData.mdb -P InstallUserDatabase.cmake
if(NOT DEFINED SOURCE OR NOT DEFINED TARGET)
  message(FATAL_ERROR "InstallUserDatabase.cmake needs SOURCE and TARGET")
endif()
if(EXISTS "${TARGET}")
  return()
endif()
# Copy beside the target, then rename, so that an interrupted build leaves no
# half-written database under the final name.
file(COPY_FILE "${SOURCE}" "${TARGET}.partial")
file(RENAME "${TARGET}.partial" "${TARGET}")
message(STATUS "Installed a fresh user database: ${TARGET}")
