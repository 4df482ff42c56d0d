# libFuzzer targets for the settings document, the media command strings and the remote's requests (tests/fuzz/), built only with
# -DKLANGWART_FUZZ=ON by a compiler that has libFuzzer; scripts/fuzz.sh configures and runs them.
if(NOT KLANGWART_FUZZ)
  return()
endif()
include(CheckCXXSourceCompiles)
set(CMAKE_REQUIRED_LINK_OPTIONS -fsanitize=fuzzer)
check_cxx_source_compiles([[
#include <cstddef>
#include <cstdint>
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t*, std::size_t) { return 0; }
]] KLANGWART_HAS_LIBFUZZER)
unset(CMAKE_REQUIRED_LINK_OPTIONS)
if(NOT KLANGWART_HAS_LIBFUZZER)
  message(WARNING "No libFuzzer with this compiler (${CMAKE_CXX_COMPILER_ID}): the fuzz targets are left out.")
  return()
endif()
foreach(fuzzer ProfileDocumentFuzzer MediaCommandFuzzer RemoteRequestFuzzer)
  add_executable(${fuzzer} tests/fuzz/${fuzzer}.cpp)
  target_link_libraries(${fuzzer} PRIVATE klangwart_core)
  target_link_options(${fuzzer} PRIVATE -fsanitize=fuzzer)
  set_target_properties(${fuzzer} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
endforeach()
