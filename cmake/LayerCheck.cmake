# Which target may link which (the table in docs/ARCHITECTURE.md), checked
# when the build is configured: a link that runs back up the layers stops
# the configure step.
#
# The program's targets from the bottom up. A target may link only targets
# before it in this list, and only of the kinds its own kind allows below.
set(QUILL_LAYERS
  # platform: what every feature shares
  platform_errors platform_version platform_text platform_work platform_files platform_settings platform_qt
  # cores: the rules, no Qt
  catalogue_core catalogue_scan layout_core commands_core printing_core designer_core app_core
  # adapters: a core's interface on a library
  catalogue_ole catalogue_pdf catalogue_readers layout_qt printing_pdf printing_qt
  # the widget set
  widgets
  # windows: each opens the others through factories the program gives it,
  # but the main window, which holds its dialogs
  catalogue_ui commands_ui designer_ui printing_ui app_ui
  # programs
  quillmark_cli quillmark_wd)

# The kind of a target of the list.
function(quill_layer_kind target out)
  if(target STREQUAL "platform_qt")
    set(kind platform_qt)
  elseif(target MATCHES "^platform_")
    set(kind platform)
  elseif(target MATCHES "_(core|scan)$")
    set(kind core)
  elseif(target MATCHES "_(ole|pdf|readers|qt)$")
    set(kind adapter)
  elseif(target STREQUAL "widgets")
    set(kind widgets)
  elseif(target STREQUAL "app_ui")
    set(kind main_ui)
  elseif(target MATCHES "_ui$")
    set(kind ui)
  elseif(target STREQUAL "quillmark_cli")
    set(kind cli)
  else()
    set(kind program)
  endif()
  set(${out} ${kind} PARENT_SCOPE)
endfunction()

# The kinds a kind may link, and whether it may link Qt.
function(quill_layer_rule kind kindsOut qtOut)
  set(qt OFF)
  if(kind STREQUAL "platform")
    set(kinds platform)
  elseif(kind STREQUAL "platform_qt")
    set(kinds platform)
    set(qt ON)
  elseif(kind STREQUAL "core")
    set(kinds platform core)
  elseif(kind STREQUAL "adapter")
    set(kinds platform core adapter)
    set(qt ON)
  elseif(kind STREQUAL "widgets")
    set(kinds platform)  # the widget set knows no feature
    set(qt ON)
  elseif(kind STREQUAL "ui")
    set(kinds platform platform_qt core adapter widgets)
    set(qt ON)
  elseif(kind STREQUAL "main_ui")
    set(kinds platform platform_qt core adapter widgets ui)
    set(qt ON)
  elseif(kind STREQUAL "cli")
    set(kinds platform core adapter)  # the command line uses no widgets
    set(qt ON)
  else()
    set(kinds platform platform_qt core adapter widgets ui main_ui)
    set(qt ON)
  endif()
  set(${kindsOut} ${kinds} PARENT_SCOPE)
  set(${qtOut} ${qt} PARENT_SCOPE)
endfunction()

# The project targets and libraries `target` links directly.
function(quill_direct_links target out)
  get_target_property(type ${target} TYPE)
  set(links)
  if(NOT type STREQUAL "INTERFACE_LIBRARY")
    get_target_property(direct ${target} LINK_LIBRARIES)
    if(direct)
      list(APPEND links ${direct})
    endif()
  endif()
  get_target_property(interface ${target} INTERFACE_LINK_LIBRARIES)
  if(interface)
    list(APPEND links ${interface})
  endif()
  set(result)
  foreach(link IN LISTS links)
    string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" link "${link}")
    list(APPEND result "${link}")
  endforeach()
  list(REMOVE_DUPLICATES result)
  set(${out} ${result} PARENT_SCOPE)
endfunction()

function(quill_check_layers)
  set(faults)
  foreach(target IN LISTS QUILL_LAYERS)
    if(NOT TARGET ${target})
      continue()
    endif()
    list(FIND QUILL_LAYERS ${target} rank)
    quill_layer_kind(${target} kind)
    quill_layer_rule(${kind} allowedKinds qtAllowed)
    quill_direct_links(${target} links)
    foreach(link IN LISTS links)
      if(link MATCHES "^Qt6::")
        if(NOT qtAllowed)
          list(APPEND faults "${target} links ${link}: a ${kind} target links no Qt")
        endif()
        continue()
      endif()
      list(FIND QUILL_LAYERS "${link}" linkRank)
      if(linkRank EQUAL -1)
        if(link MATCHES "^(catalogue|app|commands|layout|printing|designer|widgets|platform)(_|$)")
          list(APPEND faults "${target} links ${link}, which is not in the layer list")
        endif()
        continue()  # an outside library
      endif()
      quill_layer_kind(${link} linkKind)
      if(NOT linkRank LESS rank)
        list(APPEND faults "${target} links ${link}, which stands above it")
      elseif(NOT linkKind IN_LIST allowedKinds)
        list(APPEND faults "${target} links ${link}: a ${kind} target may not link a ${linkKind}")
      endif()
    endforeach()
  endforeach()
  if(faults)
    list(JOIN faults "\n  " text)
    message(FATAL_ERROR "Links against the layers (docs/ARCHITECTURE.md):\n  ${text}")
  endif()
endfunction()
