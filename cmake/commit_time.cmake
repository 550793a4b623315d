# The time of the commit being packaged, in seconds since 1970: sets
# COMMIT_EPOCH from git for the checkout SOURCE_DIR. A checkout owned by
# another user (a mounted folder, or the package made with sudo) is read
# all the same: git is told to trust it for this one read. Where SOURCE_DIR
# is a git checkout and git still cannot read its time, that is an error,
# never a quietly different date; outside a checkout, SOURCE_DATE_EPOCH or
# a fixed time. include() it, or run it with -DSOURCE_DIR=... -P to print it.
if(EXISTS "${SOURCE_DIR}/.git")
  execute_process(COMMAND git -c safe.directory=* -C "${SOURCE_DIR}" log -1 --format=%ct
                  OUTPUT_VARIABLE COMMIT_EPOCH ERROR_VARIABLE git_error
                  OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE failed)
  if(failed OR NOT COMMIT_EPOCH MATCHES "^[0-9]+$")
    message(FATAL_ERROR "git cannot give the commit's time of ${SOURCE_DIR}: ${git_error}")
  endif()
elseif("$ENV{SOURCE_DATE_EPOCH}" MATCHES "^[0-9]+$")
  set(COMMIT_EPOCH "$ENV{SOURCE_DATE_EPOCH}")
else()
  set(COMMIT_EPOCH 1796688000)
endif()
if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  execute_process(COMMAND ${CMAKE_COMMAND} -E echo "${COMMIT_EPOCH}")
endif()
