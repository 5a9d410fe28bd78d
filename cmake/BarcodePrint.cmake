# barcodeprint_test(<name> SOURCES <files...> LIBS <targets...> [QT] [XVFB])
# One GoogleTest executable; every test in it becomes a CTest test named <name>.<Suite>.<Test>.
#   QT   : runs with Qt's offscreen platform, so windows need no display.
#   XVFB : runs each test under an Xvfb server of its own (clipboard, screenshots).
function(barcodeprint_test name)
  cmake_parse_arguments(T "QT;XVFB" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
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
