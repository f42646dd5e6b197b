# The platform layer (text conversion, files, desktop services) serves every
# feature and depends on none: a platform target that links a feature
# target stops the configure step.
function(quill_check_platform_layer)
  set(platform_targets ${ARGV})
  foreach(target IN LISTS platform_targets)
    get_target_property(direct ${target} LINK_LIBRARIES)
    get_target_property(interface ${target} INTERFACE_LINK_LIBRARIES)
    foreach(link IN LISTS direct interface)
      string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" link "${link}")
      if(link MATCHES "^(catalogue|app|commands|layout|printing|designer|widgets)(_|$)")
        message(FATAL_ERROR "${target} links ${link}: the platform layer may link only "
                            "platform targets and outside libraries")
      endif()
    endforeach()
  endforeach()
endfunction()
