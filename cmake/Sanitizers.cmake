# Instrumented builds, each in a build dir of its own (included before any target is defined):
#   KLANGWART_SANITIZE  AddressSanitizer and UndefinedBehaviorSanitizer on everything (./test.sh --sanitize)
#   KLANGWART_FUZZ      the same with libFuzzer's coverage, for the fuzz targets of cmake/Fuzzers.cmake (clang)
option(KLANGWART_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(KLANGWART_FUZZ "Build the libFuzzer targets (needs clang)" OFF)

if(KLANGWART_SANITIZE OR KLANGWART_FUZZ)
  # Undefined behaviour stops the program, so a test or a fuzz run cannot pass over it.
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
if(KLANGWART_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
