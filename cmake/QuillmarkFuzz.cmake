# QUILLMARK_FUZZ: builds the libFuzzer executables of fuzz/ (clang only).
# Every layer is then compiled with coverage instrumentation for the fuzzer
# and with AddressSanitizer and UndefinedBehaviorSanitizer (QUILLMARK_SANITIZE
# is switched on for that); only the fuzz executables link libFuzzer itself.
option(QUILLMARK_FUZZ "Build the libFuzzer targets of fuzz/ (clang)" OFF)
if(QUILLMARK_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "QUILLMARK_FUZZ needs clang (configure with -DCMAKE_CXX_COMPILER=clang++-14)")
  endif()
  set(QUILLMARK_SANITIZE ON CACHE BOOL "Build with AddressSanitizer and UndefinedBehaviorSanitizer" FORCE)
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
