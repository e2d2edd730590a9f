# Warnings and sanitizers shared by every target of the project.
add_compile_options(-Wall -Wextra -Wpedantic)
if(TAMVEL_WERROR)
  add_compile_options(-Werror)
endif()

if(TAMVEL_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
  # Line tables only: the sanitizers still report file and line, while the objects, the links
  # and the compiles of the test tree shrink by a third.
  add_compile_options($<$<CONFIG:Debug>:-g1>)
endif()

# Each folder of src/ is one static library named tamvel_<folder>.
function(tamvel_library name)
  add_library(tamvel_${name} STATIC ${ARGN})
  target_include_directories(tamvel_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
endfunction()
