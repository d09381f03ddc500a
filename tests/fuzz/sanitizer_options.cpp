// Sanitizer settings built into the replay test (they take effect only in the
// sanitizer build of `make test`). libgsf 1.14.50 leaks a directory entry
// when gsf_infile_msole_new refuses a damaged compound file (see
// fuzz/lsan.supp, the same list for the fuzz runs); the leak is suppressed by
// that function's name, which the stack shows only when allocations are
// unwound without frame pointers, as glib is built.
extern "C" const char* __asan_default_options() { return "fast_unwind_on_malloc=0"; }
extern "C" const char* __lsan_default_suppressions() { return "leak:gsf_infile_msole_new\n"; }
