# pos_layer(<folder> DEPS <folder>... WINDOWS <name>...) splits src/<folder> in two static libraries:
# - pos_<folder>_rules: every file not listed under WINDOWS; it links Qt without Widgets and only
#   the rules libraries of the folders it depends on;
# - pos_<folder>: the listed window files, linking the folder's rules, the windows libraries of the
#   folders it depends on and Qt Widgets; an interface target over the rules when nothing is listed.
# A name lists both files of a base name (main_form); a name with its extension, that file alone
# (dialogs.cpp, whose header is a seam without widgets). A new file is a rules file until listed.
# The configure step fails when a file includes a folder its layer does not depend on, or when a
# rules file includes a Qt Widgets or Qt Print Support header or a window header of any folder.
include(${CMAKE_CURRENT_LIST_DIR}/RulesCheck.cmake)

set(POS_ALL_LAYERS platform data shell reportkit print stock purchase partners sale reports)

# pos_qt_module(<module> <folder var> <headers var>): the include folder of Qt6::<module> and the
# names a file includes it by. Rules files may include neither Widgets nor Print Support, which
# links Widgets.
macro(pos_qt_module module folder headers)
  foreach(dir IN LISTS Qt6${module}_INCLUDE_DIRS)
    if(dir MATCHES "/Qt${module}$")
      set(${folder} ${dir})
      pos_module_headers(${headers} ${dir})
    endif()
  endforeach()
  if(NOT ${headers})
    message(FATAL_ERROR "Qt ${module}'s include folder was not found in '${Qt6${module}_INCLUDE_DIRS}'")
  endif()
endmacro()
pos_qt_module(Widgets POS_QT_WIDGETS_DIR POS_WIDGETS_HEADERS)
pos_qt_module(PrintSupport POS_QT_PRINTING_DIR POS_PRINTING_HEADERS)

function(pos_layer name)
  cmake_parse_arguments(L "" "" "DEPS;WINDOWS" ${ARGN})
  set(dir ${CMAKE_SOURCE_DIR}/src/${name})
  file(GLOB srcs CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h)
  foreach(w IN LISTS L_WINDOWS)
    if(NOT EXISTS ${dir}/${w} AND NOT EXISTS ${dir}/${w}.cpp AND NOT EXISTS ${dir}/${w}.h)
      message(FATAL_ERROR "the WINDOWS of the ${name} layer name ${w}, which is no file of src/${name}")
    endif()
  endforeach()

  set(rules)
  set(windows)
  foreach(src IN LISTS srcs)
    get_filename_component(file ${src} NAME)
    get_filename_component(stem ${src} NAME_WLE)
    if(file IN_LIST L_WINDOWS OR stem IN_LIST L_WINDOWS)
      list(APPEND windows ${src})
      set_property(GLOBAL APPEND PROPERTY POS_WINDOW_FILES ${name}/${file})
    else()
      list(APPEND rules ${src})
    endif()
  endforeach()
  get_property(windowFiles GLOBAL PROPERTY POS_WINDOW_FILES)

  pos_layer_library(pos_${name}_rules "${rules}")
  pos_layer_library(pos_${name} "${windows}")
  foreach(dep IN LISTS L_DEPS)
    target_link_libraries(pos_${name}_rules ${scope_pos_${name}_rules} pos_${dep}_rules)
    target_link_libraries(pos_${name} ${scope_pos_${name}} pos_${dep})
  endforeach()
  target_link_libraries(pos_${name} ${scope_pos_${name}} pos_${name}_rules)
  if(windows)
    target_link_libraries(pos_${name} ${scope_pos_${name}} Qt6::Widgets)
  endif()

  foreach(src IN LISTS srcs)
    file(RELATIVE_PATH shown ${CMAKE_SOURCE_DIR} ${src})
    set(kind)
    if(src IN_LIST rules)
      set(kind RULES WIDGETS ${POS_WIDGETS_HEADERS} PRINTING ${POS_PRINTING_HEADERS} WINDOWS ${windowFiles})
    endif()
    pos_check_includes(${src} SHOWN ${shown} LAYER ${name} ALLOWED ${name} ${L_DEPS} LAYERS ${POS_ALL_LAYERS} ${kind})
  endforeach()
endfunction()

# A static library of files, or an interface target when none is a .cpp; sets scope_<target> to
# the keyword its links take.
macro(pos_layer_library target files)
  if("${files}" MATCHES "\\.cpp(;|$)")
    add_library(${target} STATIC ${files})
    target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR}/src)
    set(scope_${target} PUBLIC)
  else()
    add_library(${target} INTERFACE ${files})
    target_include_directories(${target} INTERFACE ${CMAKE_SOURCE_DIR}/src)
    set(scope_${target} INTERFACE)
  endif()
endmacro()
