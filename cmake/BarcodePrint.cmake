# barcodeprint_test(<name> SOURCES <files...> LIBS <targets...> [QT] [XVFB])
# One GoogleTest executable; every test in it becomes a CTest test named <name>.<Suite>.<Test>.
# Test files are named <unit>_test.cpp, test programs <room>[_<part>]_tests.
#   QT   : runs with Qt's offscreen platform, so windows need no display.
#   XVFB : runs each test under an Xvfb server of its own (clipboard, screenshots).
# Both start Qt through the one Qt test main (tests/support/qtmain.cpp).
function(barcodeprint_test name)
  cmake_parse_arguments(T "QT;XVFB" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  if(T_QT OR T_XVFB)
    set(test_main qt_test_main)
  else()
    set(test_main GTest::gtest_main)
  endif()
  target_link_libraries(${name} PRIVATE ${T_LIBS} test_support ${test_main} GTest::gtest GTest::gmock)
  target_compile_definitions(${name} PRIVATE TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data")
  set(props "")
  if(T_XVFB)
    set(env "QT_QPA_PLATFORM=xcb")
    # gtest_discover_tests runs discovery and every test through the target's emulator.
    set_property(TARGET ${name} PROPERTY CROSSCOMPILING_EMULATOR xvfb-run -a -s "-screen 0 1280x1024x24")
    # xvfb-run -a picks a free display number racily; one server at a time.
    set(props RESOURCE_LOCK xvfb)
  elseif(T_QT)
    set(env "QT_QPA_PLATFORM=offscreen")
  else()
    # Plain engine tests own no toolkit: any leak there is ours.
    set(env "ASAN_OPTIONS=detect_leaks=1:abort_on_error=1")
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 120
    TEST_PREFIX "${name}."
    PROPERTIES ENVIRONMENT "${env}" ${props})
endfunction()

# Adds every direct subfolder that holds a CMakeLists.txt: each is one library or program.
function(barcodeprint_add_children)
  file(GLOB children LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT children)
  foreach(child IN LISTS children)
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${child}/CMakeLists.txt)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()

# barcodeprint_room(<target> <folder>): the target's headers are included as
# "<folder>/name.h" by the target and by whatever links it, and by nothing else: each
# room exports a folder of its own holding one link to its sources, so a room sees
# only the rooms it links (the include-boundary test checks the direction).
function(barcodeprint_room target folder)
  string(REPLACE "/" "_" key ${folder})
  set(link ${CMAKE_BINARY_DIR}/rooms/${key}/${folder})
  get_filename_component(parent ${link} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  if(NOT EXISTS ${link})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${folder} ${link} SYMBOLIC)
  endif()
  target_include_directories(${target} PUBLIC ${CMAKE_BINARY_DIR}/rooms/${key})
endfunction()
