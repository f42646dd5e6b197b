# The program folder's shipped files are copied only where missing: a style
# the user changed survives, a deleted one comes back.
#   cmake -DSOURCE_DIR=<checkout> -DWORK=<scratch folder> -P CopyMissingTest.cmake
set(dest "${WORK}/style")
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${dest}")
file(GLOB shipped "${SOURCE_DIR}/resources/style/*.sle")
list(LENGTH shipped count)
if(count LESS 2)
  message(FATAL_ERROR "expected the shipped styles in ${SOURCE_DIR}/resources/style")
endif()
list(GET shipped 0 changed)
get_filename_component(changedName "${changed}" NAME)
file(WRITE "${dest}/${changedName}" "changed by the user\n")

execute_process(COMMAND ${CMAKE_COMMAND} "-DGLOB=${SOURCE_DIR}/resources/style/*.sle"
                        "-DDEST=${dest}" -P "${SOURCE_DIR}/cmake/CopyMissing.cmake"
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "CopyMissing.cmake failed: ${status}")
endif()

file(READ "${dest}/${changedName}" kept)
if(NOT kept STREQUAL "changed by the user\n")
  message(FATAL_ERROR "the user's ${changedName} was overwritten")
endif()
foreach(source IN LISTS shipped)
  get_filename_component(name "${source}" NAME)
  if(NOT EXISTS "${dest}/${name}")
    message(FATAL_ERROR "${name} was not copied")
  endif()
endforeach()
file(REMOVE_RECURSE "${WORK}")
