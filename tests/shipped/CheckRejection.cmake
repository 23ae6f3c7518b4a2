# cmake -DFILE=<file> -DOBJDUMP=<objdump> -DFORMAT=<file format> [-DEXPORTS=<name,name...>] [-DTYPELIB=ON]
#       -DEXPECT=<"kind subject",...> -P CheckRejection.cmake
# passes when the check of the file finds exactly the expected problems, each named by its kind and
# subject (an empty EXPECT: a sound file). A file the check passes when it should not, or rejects for
# another reason than the one it was made to show, fails this.
cmake_minimum_required(VERSION 3.20)
include(${CMAKE_CURRENT_LIST_DIR}/ShippedFileCheck.cmake)

string(REPLACE "," ";" exports "${EXPORTS}")
string(REPLACE "," ";" expected "${EXPECT}")
set(typelib "")
if(TYPELIB)
  set(typelib TYPELIB)
endif()
korvane_check_shipped_file("${FILE}" OBJDUMP "${OBJDUMP}" FORMAT "${FORMAT}" EXPORTS ${exports} ${typelib}
  PROBLEMS problems)

set(found "")
foreach(problem IN LISTS problems)
  message("found: ${problem}")
  string(REGEX REPLACE ":.*" "" key "${problem}")
  list(APPEND found "${key}")
endforeach()
set(wrong "")
foreach(key IN LISTS expected)
  if(NOT key IN_LIST found)
    list(APPEND wrong "not found: ${key}")
  endif()
endforeach()
foreach(key IN LISTS found)
  if(NOT key IN_LIST expected)
    list(APPEND wrong "not expected: ${key}")
  endif()
endforeach()
if(wrong)
  string(REPLACE ";" "\n  " wrong "${wrong}")
  message(FATAL_ERROR "the check of ${FILE} did not find what it should:\n  ${wrong}")
endif()
