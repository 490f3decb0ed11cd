# pos_layer(<folder> DEPS <folder>...) makes the static library pos_<folder> from src/<folder>/*.cpp
# and fails the configure step when a file of the folder includes a folder it does not depend on.
set(POS_ALL_LAYERS platform data shell reportkit print stock purchase partners sale reports)

function(pos_layer name)
  cmake_parse_arguments(L "" "" "DEPS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${name}/*.cpp ${CMAKE_SOURCE_DIR}/src/${name}/*.h)
  add_library(pos_${name} STATIC ${srcs})
  target_include_directories(pos_${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  foreach(dep IN LISTS L_DEPS)
    target_link_libraries(pos_${name} PUBLIC pos_${dep})
  endforeach()

  set(allowed ${name} ${L_DEPS})
  foreach(src IN LISTS srcs)
    file(STRINGS ${src} incs REGEX "^[ \t]*#[ \t]*include[ \t]*\"[a-z]+/")
    foreach(inc IN LISTS incs)
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([a-z]+)/.*" "\\1" folder "${inc}")
      if(folder IN_LIST POS_ALL_LAYERS AND NOT folder IN_LIST allowed)
        message(FATAL_ERROR "${src} includes ${folder}/, which the ${name} layer may not use")
      endif()
    endforeach()
  endforeach()
endfunction()
