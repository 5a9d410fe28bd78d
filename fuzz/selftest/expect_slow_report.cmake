# cmake -DTARGET=<fuzz target> -DSEEDS=<seed folder> -DKIND=slow|hung -DBUDGET=<seconds>
#       -DSTATUS=<slow-input status> -DWORKDIR=<scratch folder> -P expect_slow_report.cmake
# Runs the target over the seeds with the budget and passes only when the run ends with
# the slow-input status, reports an input of the kind, and the report file it names
# lies in the working folder and holds exactly the seed ${SEEDS}/${KIND}.
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE ${WORKDIR})
file(MAKE_DIRECTORY ${WORKDIR})
execute_process(COMMAND ${TARGET} --budget ${BUDGET} --seconds 30 ${SEEDS}
  WORKING_DIRECTORY ${WORKDIR}
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err
  TIMEOUT 60)
message(STATUS "exit status: ${status}\n${out}${err}")

if(NOT "${status}" STREQUAL "${STATUS}")
  message(FATAL_ERROR "expected the slow-input status ${STATUS}, got ${status}")
endif()
if(NOT err MATCHES "fuzz: ${KIND} input ([^ ]+) [^\n]*budget ${BUDGET} s")
  message(FATAL_ERROR "no report of a ${KIND} input")
endif()
set(reported ${CMAKE_MATCH_1})
cmake_path(GET reported PARENT_PATH folder)
file(REAL_PATH ${folder} folder)
file(REAL_PATH ${WORKDIR} workdir)
if(NOT folder STREQUAL workdir)
  message(FATAL_ERROR "the report file ${reported} is not in the working folder ${WORKDIR}")
endif()
file(READ ${reported} written HEX)
file(READ ${SEEDS}/${KIND} expected HEX)
if(NOT written STREQUAL expected)
  message(FATAL_ERROR "the report file ${reported} does not hold the ${KIND} seed")
endif()
