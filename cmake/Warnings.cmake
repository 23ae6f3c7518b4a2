include_guard(GLOBAL)
add_compile_options(-Wall -Wextra -Wno-unused-parameter)
set(CMAKE_CXX_STANDARD 17)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)
if(WIN32)
  # ANSI inside the programs (no UNICODE); Windows 7 and later.
  add_compile_definitions(NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
endif()
