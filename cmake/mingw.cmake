# Picks the MinGW-w64 target: BENCHWARE_ARCH (i686 or x86_64) when given,
# otherwise i686 where this machine can run 32-bit programs, x86_64 where it
# cannot (Wine then runs 64-bit builds only).
if(NOT BENCHWARE_ARCH)
  set(BENCHWARE_ARCH "$ENV{BENCHWARE_ARCH}")
endif()
if(NOT BENCHWARE_ARCH)
  execute_process(COMMAND bash "${CMAKE_CURRENT_LIST_DIR}/../scripts/arch.sh"
                  OUTPUT_VARIABLE BENCHWARE_ARCH OUTPUT_STRIP_TRAILING_WHITESPACE)
endif()
set(BENCHWARE_ARCH "${BENCHWARE_ARCH}" CACHE STRING "MinGW-w64 target: i686 or x86_64")
include("${CMAKE_CURRENT_LIST_DIR}/mingw-${BENCHWARE_ARCH}.cmake")
