// The address sanitizer's defaults for every test program; ASAN_OPTIONS still has the
// last word. At exit the leak checker's tracer walks each thread's dynamic TLS blocks
// (the thread-local data of libraries loaded at run time, such as Mesa's) by bounds
// recorded when a block is first used. This runtime guesses them from an old C
// library's block header whenever a block starts 16 bytes past a page boundary; with
// today's C library it reads the allocator's chunk header there instead, takes a
// small number for the block's start and crashes the tracer ("Tracer caught signal
// 11"), as rarely as a block's address varies from run to run. Without that guess
// the blocks are still walked: the checker counts everything the dynamic linker
// allocated, these blocks among it, as reachable.

extern "C" const char* __asan_default_options() { return "intercept_tls_get_addr=0"; }
