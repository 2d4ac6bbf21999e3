# Every target of the project builds with the full warning set. Warnings stop
# the build only where VANTREL_WERROR is on (the test command's builds), never
# for a user or packager whose compiler may warn where ours does not.
option(VANTREL_WERROR "Treat compiler warnings as errors" OFF)
function(vantrel_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
  if(VANTREL_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
