# The include checks of cmake/Layers.cmake, kept apart so tests/layering can run them in script mode.

# pos_module_headers(<out> <Qt module include folder>): the names a file includes the module by
# (QWidget, qwidget.h, ...), less the forwarding headers of classes Qt 6 moved to QtGui or QtCore.
function(pos_module_headers out dir)
  file(GLOB names RELATIVE ${dir} ${dir}/*)
  file(GLOB moved ${dir}/../QtGui/* ${dir}/../QtCore/*)
  foreach(m IN LISTS moved)
    get_filename_component(m ${m} NAME)
    list(REMOVE_ITEM names ${m})
  endforeach()
  set(${out} ${names} PARENT_SCOPE)
endfunction()

# pos_check_includes(<file> SHOWN <name in messages> LAYER <folder> ALLOWED <folders>...
#                    LAYERS <every folder>... [RULES WIDGETS <headers>... PRINTING <headers>...
#                    WINDOWS <folder/file>...])
# Fails the run when file includes a folder its layer may not use, or, for a rules file, a Qt
# Widgets or Qt Print Support header or a window header of any folder. A header of the program is
# seen however it is spelled: "main_form.h", "../sale/main_form.h", <sale/main_form.h>.
function(pos_check_includes file)
  cmake_parse_arguments(C "RULES" "SHOWN;LAYER" "ALLOWED;LAYERS;WIDGETS;PRINTING;WINDOWS" ${ARGN})
  file(STRINGS ${file} incs REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
  foreach(inc IN LISTS incs)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]*)[>\"].*" "\\1" header "${inc}")
    set(quoted OFF)
    if(inc MATCHES "^[ \t]*#[ \t]*include[ \t]*\"")
      set(quoted ON)
    endif()

    # The header as a path under src/: a quoted name is looked up beside the file first.
    set(own)
    if(header MATCHES "^([a-z]+)/" AND CMAKE_MATCH_1 IN_LIST C_LAYERS)
      set(own ${header})
    elseif(quoted)
      set(own ${C_LAYER}/${header})
    endif()
    if(own)
      cmake_path(NORMAL_PATH own)
      if(own MATCHES "^\\.\\./")
        message(FATAL_ERROR "${C_SHOWN} includes ${header}, a path out of src/; "
                            "include a header of the program by its folder (sale/main_form.h)")
      endif()
      if(own MATCHES "^([a-z]+)/")
        set(folder ${CMAKE_MATCH_1})
        if(folder IN_LIST C_LAYERS AND NOT folder IN_LIST C_ALLOWED)
          message(FATAL_ERROR "${C_SHOWN} includes ${folder}/, which the ${C_LAYER} layer may not use")
        endif()
      endif()
      if(C_RULES AND own IN_LIST C_WINDOWS)
        message(FATAL_ERROR "${C_SHOWN} is a rules file and includes ${own}, a window header; "
                            "list it among the WINDOWS of its folder or keep the widget code out of it")
      endif()
    endif()
    # Qt's headers, also where a quoted name falls through to the include path ("QWidget").
    if(C_RULES)
      string(REGEX REPLACE "^Qt(Widgets|PrintSupport)/" "" name "${header}")
      if(header MATCHES "^QtWidgets(/|$)" OR name IN_LIST C_WIDGETS)
        message(FATAL_ERROR "${C_SHOWN} is a rules file and includes ${name}, a Widgets header; "
                            "list it among the WINDOWS of its folder or keep the widget code out of it")
      endif()
      # Qt Print Support links Qt Widgets: its printer and print dialog belong to the windows.
      if(header MATCHES "^QtPrintSupport(/|$)" OR name IN_LIST C_PRINTING)
        message(FATAL_ERROR "${C_SHOWN} is a rules file and includes ${name}, a Print Support header, "
                            "which brings Qt Widgets; list it among the WINDOWS of its folder or keep "
                            "the printer code out of it")
      endif()
    endif()
  endforeach()
endfunction()
