# The layer check lets the program's links through and stops the configure
# step for a link that runs back up or crosses into a kind it may not use.
#   cmake -DSOURCE_DIR=<checkout> -DWORK=<scratch folder> -P LayerCheckTest.cmake
function(configure name links outResult outText)
  execute_process(COMMAND ${CMAKE_COMMAND} -S "${SOURCE_DIR}/tests/layers"
                          -B "${WORK}/${name}" "-DLINKS=${links}"
                  RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
  set(${outResult} ${result} PARENT_SCOPE)
  set(${outText} "${out}${err}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE "${WORK}")
# Links the program has, one of each kind.
set(good "platform_files>platform_errors"
         "platform_settings>platform_files"
         "printing_core>layout_core"
         "app_core>catalogue_core"
         "printing_qt>layout_qt"
         "widgets>platform_settings"
         "widgets>Qt6::Widgets"
         "app_ui>catalogue_ui"
         "printing_ui>platform_qt"
         "quillmark_cli>printing_qt"
         "quillmark_wd>designer_ui")
configure(good "${good}" result text)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the program's own links were refused:\n${text}")
endif()

foreach(bad "layout_core>printing_core"     # a core above it
            "widgets>app_core"              # the widget set on a feature's core
            "commands_core>widgets"         # a core on the widget set
            "layout_core>Qt6::Widgets"      # a core on Qt
            "platform_files>catalogue_core" # the platform on a feature
            "printing_ui>designer_ui"       # a window on one above it
            "quillmark_cli>widgets")        # the command line on widgets
  string(MAKE_C_IDENTIFIER "${bad}" name)
  configure(${name} "${good};${bad}" result text)
  if(result EQUAL 0)
    message(FATAL_ERROR "${bad} was let through")
  endif()
  string(REPLACE ">" " links " said "${bad}")
  string(FIND "${text}" "${said}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${bad} was refused without saying so:\n${text}")
  endif()
endforeach()
