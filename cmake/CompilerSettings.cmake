# Warnings, sanitizers and the "core links no Qt" rule shared by every target.

add_compile_options(-Wall -Wextra)
if(QUILL_WERROR)
  add_compile_options(-Werror)
endif()

if(QUILL_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
if(QUILL_THREAD_SANITIZE)
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
endif()

# A core target must build without Qt: give it no Qt include path or library.
# quill_core_library(<name> <sources...>) makes such a static library.
function(quill_core_library name)
  add_library(${name} STATIC ${ARGN})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  set_target_properties(${name} PROPERTIES POSITION_INDEPENDENT_CODE ON)
endfunction()
