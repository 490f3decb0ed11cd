# cmake -DFILE=<file> -DLAYER=<folder> -DALLOWED=<a,b> -DLAYERS=<a,b> [-DRULES=ON -DWINDOWS=<a,b>
#       -DWIDGETS_DIR=<QtWidgets include folder> -DPRINTING_DIR=<QtPrintSupport include folder>]
#       -P check_includes.cmake
# Runs the configure step's include checks on one file; prints "accepted" when it passes them.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/RulesCheck.cmake)

foreach(v ALLOWED LAYERS WINDOWS)
  string(REPLACE "," ";" ${v} "${${v}}")
endforeach()
set(kind)
if(RULES)
  pos_module_headers(widgets ${WIDGETS_DIR})
  pos_module_headers(printing ${PRINTING_DIR})
  set(kind RULES WIDGETS ${widgets} PRINTING ${printing} WINDOWS ${WINDOWS})
endif()
get_filename_component(shown ${FILE} NAME)
pos_check_includes(${FILE} SHOWN ${shown} LAYER ${LAYER} ALLOWED ${ALLOWED} LAYERS ${LAYERS} ${kind})
message(STATUS "accepted")
