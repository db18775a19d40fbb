# Run by ctest as it starts (a TEST_INCLUDE_FILES script): lists the test
# program's cases and adds one ctest test per GoogleTest suite, or per case.
# Used where a run per case is costly, as in the Windows build, where every
# run starts Wine: per suite for the unit tests, per case for the end-to-end
# tests, whose cases are long. Each test gets its own timeout, so a hang
# loses that test only.
# Set by the including script: exe, emulator, timeout; optionally per_case
# (one test per case), label (given to every test added) and filter (a
# GoogleTest filter that narrows the listing; empty for every case). When
# VARNETT_GTEST_XML_DIR is set, each test writes its GoogleTest report there
# as <name>.xml, the test's name with "/" turned into "_", so that a caller
# can count cases, not tests.
# The listing goes to a file, not a pipe: the first Wine program of a session
# starts Wine's own services, which keep the standard handles they inherit
# open long after the program ends, and a reader of a pipe would wait for them.
set(list_args --gtest_list_tests)
if(filter)
  list(APPEND list_args "--gtest_filter=${filter}")
endif()
execute_process(COMMAND ${emulator} "${exe}" ${list_args}
                OUTPUT_FILE "${exe}.tests" ERROR_FILE "${exe}.tests.err"
                RESULT_VARIABLE status TIMEOUT 300)
get_filename_component(program "${exe}" NAME_WE)
if(NOT status EQUAL 0)
  # Listed as a failing test rather than silently running nothing.
  add_test(${program}.list ${emulator} "${exe}" ${list_args})
  if(label)
    set_tests_properties(${program}.list PROPERTIES LABELS ${label})
  endif()
  return()
endif()
file(READ "${exe}.tests" listing)
# Each test runs in an empty folder of its own, not beside the test program:
# what a test does to its current folder (the shell's delete that Wine turns
# against it) stays there.
get_filename_component(scratch_root "${exe}" DIRECTORY)
set(scratch_root "${scratch_root}/scratch/${program}")
file(REMOVE_RECURSE "${scratch_root}")

# add_listed(NAME FILTER): one ctest test that runs the cases FILTER selects.
function(add_listed name gtest_filter)
  set(report)
  if(DEFINED ENV{VARNETT_GTEST_XML_DIR})
    string(REPLACE "/" "_" file "${name}")
    set(report "--gtest_output=xml:$ENV{VARNETT_GTEST_XML_DIR}/${file}.xml")
  endif()
  add_test("${name}" ${emulator} "${exe}" "--gtest_filter=${gtest_filter}" ${report})
  # A test with skipped cases still passes here; its report tells them.
  string(REPLACE "/" "_" folder "${name}")
  file(MAKE_DIRECTORY "${scratch_root}/${folder}")
  set_tests_properties("${name}" PROPERTIES TIMEOUT ${timeout}
                       WORKING_DIRECTORY "${scratch_root}/${folder}")
  if(label)
    set_tests_properties("${name}" PROPERTIES LABELS ${label})
  endif()
endfunction()

string(REPLACE "\n" ";" lines "${listing}")
foreach(line IN LISTS lines)
  # Suites start in the first column ("Suite." or "Prefix/Suite.  # TypeParam"),
  # cases are indented below them ("  Case" or "  Case/0  # GetParam() = ...").
  if(line MATCHES "^([A-Za-z0-9_/]+)\\.")
    set(suite "${CMAKE_MATCH_1}")
    if(NOT per_case)
      add_listed("${suite}" "${suite}.*")
    endif()
  elseif(per_case AND line MATCHES "^  ([A-Za-z0-9_/]+)")
    add_listed("${suite}.${CMAKE_MATCH_1}" "${suite}.${CMAKE_MATCH_1}")
  endif()
endforeach()
