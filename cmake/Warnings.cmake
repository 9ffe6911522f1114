# -DQF_WERROR=ON turns every warning into an error; the test command builds with it, so CI fails on any warning.
option(QF_WERROR "Treat compiler warnings as errors" OFF)
function(qf_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  if(QF_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
