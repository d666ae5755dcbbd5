# The 64-bit twin of the same sources, for machines whose kernel runs no 32-bit
# programs, so that Wine's 32-bit loader cannot start there.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(SETUP_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
