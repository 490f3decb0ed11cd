# The include checks of cmake/Layers.cmake, kept apart so tests/layering can run them in script mode.

# pos_widgets_headers(<out> <QtWidgets include folder>): the names a file includes Qt Widgets by
# (QWidget, qwidget.h, ...), less the forwarding headers of classes Qt 6 moved to QtGui or QtCore.
function(pos_widgets_headers out dir)
  file(GLOB names RELATIVE ${dir} ${dir}/*)
  file(GLOB moved ${dir}/../QtGui/* ${dir}/../QtCore/*)
  foreach(m IN LISTS moved)
    get_filename_component(m ${m} NAME)
    list(REMOVE_ITEM names ${m})
  endforeach()
  set(${out} ${names} PARENT_SCOPE)
endfunction()

# pos_check_includes(<file> SHOWN <name in messages> LAYER <folder> ALLOWED <folders>...
#                    LAYERS <every folder>... [RULES WIDGETS <headers>... WINDOWS <folder/file>...])
# Fails the run when file includes a folder its layer may not use, or, for a rules file, a Qt
# Widgets header or a window header of any folder.
function(pos_check_includes file)
  cmake_parse_arguments(C "RULES" "SHOWN;LAYER" "ALLOWED;LAYERS;WIDGETS;WINDOWS" ${ARGN})
  file(STRINGS ${file} incs REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
  foreach(inc IN LISTS incs)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]*)[>\"].*" "\\1" header "${inc}")
    if(inc MATCHES "^[ \t]*#[ \t]*include[ \t]*\"")
      if(header MATCHES "^([a-z]+)/")
        set(folder ${CMAKE_MATCH_1})
        if(folder IN_LIST C_LAYERS AND NOT folder IN_LIST C_ALLOWED)
          message(FATAL_ERROR "${C_SHOWN} includes ${folder}/, which the ${C_LAYER} layer may not use")
        endif()
      else()
        set(header ${C_LAYER}/${header})
      endif()
      if(C_RULES AND header IN_LIST C_WINDOWS)
        message(FATAL_ERROR "${C_SHOWN} is a rules file and includes ${header}, a window header; "
                            "list it among the WINDOWS of its folder or keep the widget code out of it")
      endif()
    elseif(C_RULES)
      string(REGEX REPLACE "^QtWidgets/" "" name "${header}")
      if(header MATCHES "^QtWidgets(/|$)" OR name IN_LIST C_WIDGETS)
        message(FATAL_ERROR "${C_SHOWN} is a rules file and includes ${name}, a Widgets header; "
                            "list it among the WINDOWS of its folder or keep the widget code out of it")
      endif()
    endif()
  endforeach()
endfunction()
