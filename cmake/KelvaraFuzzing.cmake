# libFuzzer build: everything compiled from here on carries the fuzzer's
# coverage hooks and AddressSanitizer + UndefinedBehaviorSanitizer, so a
# finding inside the library is caught where it happens. Only the targets
# made with kelvara_add_fuzzer link the fuzzer's driver.
include_guard(GLOBAL)

if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  message(FATAL_ERROR "KELVARA_FUZZ needs clang++ (libFuzzer): configure a separate build with -DCMAKE_CXX_COMPILER=clang++")
endif()
if(KELVARA_SANITIZE)
  message(FATAL_ERROR "KELVARA_FUZZ brings its own sanitizers: leave KELVARA_SANITIZE off")
endif()
if(KELVARA_BUILD_GUI)
  message(FATAL_ERROR "KELVARA_FUZZ covers the library without Qt: configure with -DKELVARA_BUILD_GUI=OFF")
endif()

# clang's "undefined" already includes float-cast-overflow.
set(KELVARA_FUZZ_SANITIZERS -fsanitize=address,undefined -fno-sanitize-recover=all)
add_compile_options(-fsanitize=fuzzer-no-link ${KELVARA_FUZZ_SANITIZERS} -fno-omit-frame-pointer -g)
add_compile_definitions(_GLIBCXX_ASSERTIONS)
add_link_options(${KELVARA_FUZZ_SANITIZERS})

# kelvara_add_fuzzer(NAME SOURCES ... LIBS ...)
function(kelvara_add_fuzzer name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} kelvara_warnings)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
endfunction()
