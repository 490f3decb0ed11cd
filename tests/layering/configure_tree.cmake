# cmake -DTREE=<tests/layering/tree> -DFIXTURE=<file> -DKIND=RULES|WINDOW -DWORK=<empty folder>
#       -DEXPECTED=<text> -DPOS_CMAKE_DIR=<cmake folder> -DGENERATOR=<generator> -DQT_DIR=<Qt6_DIR>
#       -P configure_tree.cmake
# Configures a copy of the small tree with the fixture as one more file of src/sale, as a rules file
# or as a listed window. EXPECTED "accepted": the configure step must pass; else it must fail and
# say EXPECTED.
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE ${WORK})
file(COPY ${TREE}/ DESTINATION ${WORK}/source)
file(COPY ${FIXTURE} DESTINATION ${WORK}/source/src/sale)
get_filename_component(stem ${FIXTURE} NAME_WLE)
set(windows)
if(KIND STREQUAL "WINDOW")
  set(windows -DPOS_SALE_WINDOWS=${stem})
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -S ${WORK}/source -B ${WORK}/build -G ${GENERATOR}
                        -DPOS_CMAKE_DIR=${POS_CMAKE_DIR} -DQt6_DIR=${QT_DIR} ${windows}
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
# CMake wraps its messages; compared with every run of blanks and line ends as one blank.
string(REGEX REPLACE "[ \t\n]+" " " said "${out}${err}")
if(EXPECTED STREQUAL "accepted")
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "the configure step refused ${stem}:\n${out}${err}")
  endif()
else()
  string(FIND "${said}" "${EXPECTED}" at)
  if(rc EQUAL 0)
    message(FATAL_ERROR "the configure step accepted ${stem}, expected: ${EXPECTED}")
  elseif(at LESS 0)
    message(FATAL_ERROR "the configure step refused ${stem} without saying \"${EXPECTED}\":\n${out}${err}")
  endif()
endif()
file(REMOVE_RECURSE ${WORK})
message(STATUS "as expected: ${EXPECTED}")
