# Copies the files matching GLOB into the folder DEST, each only where DEST
# does not hold it yet, so that a style or manual the user changed in the
# program folder survives every build.
#   cmake -DGLOB=<pattern> -DDEST=<folder> -P CopyMissing.cmake
file(GLOB sources "${GLOB}")
file(MAKE_DIRECTORY "${DEST}")
foreach(source IN LISTS sources)
  get_filename_component(name "${source}" NAME)
  if(NOT EXISTS "${DEST}/${name}")
    file(COPY "${source}" DESTINATION "${DEST}")
  endif()
endforeach()
