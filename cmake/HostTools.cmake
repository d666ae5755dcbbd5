# The Windows build needs the payload tool on the build machine (to generate or
# pack the payload that setup.exe embeds), so it builds the tool a second time
# with the host compiler from the same sources. The presets of both Windows
# widths share one such build.
#
# The maker's kit for Linux ships this build of the tool: linked statically and
# without its symbol table, it runs on any x86-64 Linux, whatever libraries that
# has. zlib is looked up afresh whenever this build is configured, so
# that a host build folder made before finds the static library too.
include(ExternalProject)

set(SETUP_HOST_DIR ${CMAKE_BINARY_DIR}/host CACHE PATH "Build folder of the payload tool for the build machine")
set(SETUP_HOST_PAYLOAD ${SETUP_HOST_DIR}/bin/payload)

ExternalProject_Add(host_tools
  SOURCE_DIR ${CMAKE_SOURCE_DIR}
  BINARY_DIR ${SETUP_HOST_DIR}
  CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release -DSETUP_TESTS=OFF -DZLIB_USE_STATIC_LIBS=ON
             -UZLIB_LIBRARY_RELEASE
             "-DCMAKE_EXE_LINKER_FLAGS=-static -s"
  BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target payload
  BUILD_BYPRODUCTS ${SETUP_HOST_PAYLOAD}
  BUILD_ALWAYS ON
  INSTALL_COMMAND ""
  USES_TERMINAL_BUILD ON)
