# cmake -DFILE=<file> -DOBJDUMP=<objdump> -DFORMAT=<file format> [-DEXPORTS=<name,name...>] [-DTYPELIB=ON]
#       -P CheckShippedFile.cmake
# fails, naming each problem, unless the file is fit to ship (see ShippedFileCheck.cmake).
cmake_minimum_required(VERSION 3.20)
include(${CMAKE_CURRENT_LIST_DIR}/ShippedFileCheck.cmake)

string(REPLACE "," ";" exports "${EXPORTS}")
set(typelib "")
if(TYPELIB)
  set(typelib TYPELIB)
endif()
korvane_check_shipped_file("${FILE}" OBJDUMP "${OBJDUMP}" FORMAT "${FORMAT}" EXPORTS ${exports} ${typelib}
  PROBLEMS problems FINDINGS findings)
foreach(finding IN LISTS findings)
  message("${FILE}: ${finding}")
endforeach()
foreach(problem IN LISTS problems)
  message("problem: ${problem}")
endforeach()
if(problems)
  message(FATAL_ERROR "${FILE} is not fit to ship")
endif()
