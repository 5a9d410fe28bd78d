# cmake -DCHECKER=<check_includes.cmake> -DFIXTURE=<folder> -P check_fixture.cmake
# Runs the include check on a tree with deliberately wrong includes: it must fail and
# name each of them, and accept the one right include beside them.
cmake_minimum_required(VERSION 3.25)
execute_process(COMMAND ${CMAKE_COMMAND} -DROOT=${FIXTURE} -P ${CHECKER}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
set(output "${out}${err}")
if(status EQUAL 0)
  message(FATAL_ERROR "the check accepted the fixture's wrong includes:\n${output}")
endif()
set(expected
  "src/platform/leftover.h: lies in no room"
  "src/barcode/uses_control.cpp: includes \"barcode/control/barcodecontrol.h\", but barcode may not include barcode/control"
  "src/base/window.cpp: includes <QWidget>, but base is plain C++"
  "src/tables/uses_items.cpp: includes \"items/shoptables.h\", but tables may not include items"
  "src/tables/uses_items.cpp: includes \"app/program.h\", but tables may not include app"
  "src/tables/uses_items.cpp: includes \"tests/support/tempdir.h\", which is in no room"
  "6 include(s) against the layering")
foreach(line IN LISTS expected)
  string(FIND "${output}" "${line}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the check did not say \"${line}\":\n${output}")
  endif()
endforeach()
string(FIND "${output}" "items/windows/picture.cpp" allowed)
if(NOT allowed EQUAL -1)
  message(FATAL_ERROR "the check refused a permitted include:\n${output}")
endif()
message("the check refuses each wrong include of the fixture")
