# Run by ctest as it starts (a TEST_INCLUDE_FILES script): lists the test
# program's cases and adds one ctest test per GoogleTest suite. Used where a
# run per case is costly, as in the Windows build, where every run starts
# Wine. Each suite gets its own timeout, so a hang loses that suite only.
# Set by the including script: exe, emulator, timeout. When
# VARNETT_GTEST_XML_DIR is set, each suite writes its GoogleTest report there
# as <suite>.xml ("/" in a suite's name becomes "_"), so that a caller can
# count cases, not suites.
# The listing goes to a file, not a pipe: the first Wine program of a session
# starts Wine's own services, which keep the standard handles they inherit
# open long after the program ends, and a reader of a pipe would wait for them.
execute_process(COMMAND ${emulator} "${exe}" --gtest_list_tests
                OUTPUT_FILE "${exe}.tests" ERROR_FILE "${exe}.tests.err"
                RESULT_VARIABLE status TIMEOUT 300)
file(READ "${exe}.tests" listing)
if(NOT status EQUAL 0)
  # Listed as a failing test rather than silently running nothing.
  add_test(varnett_tests.list ${emulator} "${exe}" --gtest_list_tests)
  return()
endif()
# Each suite runs in an empty folder of its own, not beside the test program:
# what a test does to its current folder (the shell's delete that Wine turns
# against it) stays there.
get_filename_component(scratch_root "${exe}" DIRECTORY)
set(scratch_root "${scratch_root}/scratch")
file(REMOVE_RECURSE "${scratch_root}")
string(REPLACE "\n" ";" lines "${listing}")
foreach(line IN LISTS lines)
  # Suites start in the first column ("Suite." or "Prefix/Suite.  # TypeParam"),
  # cases are indented below them.
  if(line MATCHES "^([A-Za-z0-9_/]+)\\.")
    set(suite "${CMAKE_MATCH_1}")
    set(report)
    if(DEFINED ENV{VARNETT_GTEST_XML_DIR})
      string(REPLACE "/" "_" file "${suite}")
      set(report "--gtest_output=xml:$ENV{VARNETT_GTEST_XML_DIR}/${file}.xml")
    endif()
    add_test("${suite}" ${emulator} "${exe}" "--gtest_filter=${suite}.*" ${report})
    # A suite with skipped cases still passes here; its report tells them.
    string(REPLACE "/" "_" folder "${suite}")
    file(MAKE_DIRECTORY "${scratch_root}/${folder}")
    set_tests_properties("${suite}" PROPERTIES TIMEOUT ${timeout}
                         WORKING_DIRECTORY "${scratch_root}/${folder}")
  endif()
endforeach()
