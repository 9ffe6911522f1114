# Lays out build/run: the game's data beside the executable, as the game reads it relative to its working directory.
add_custom_target(runfolder ALL
  COMMAND ${CMAKE_COMMAND} -E make_directory ${QF_RUN_DIR}/text
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${QF_FONT} ${QF_RUN_DIR}/text/FreeSans.ttf
  COMMENT "Laying out the run folder")
if(NOT EXISTS ${QF_FONT})
  message(FATAL_ERROR "FreeSans not found at ${QF_FONT}: install fonts-freefont-ttf")
endif()
