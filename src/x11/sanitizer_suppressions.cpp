// A leak of a library below us that the sanitizer build would otherwise report at every
// exit. Compiled into each program that links senvola_cairo (the sanitizer looks these
// functions up in the executable).
#if defined(__SANITIZE_ADDRESS__)
// Pango's font map keeps fontconfig patterns for the life of the process, and fontconfig drops
// pointers to some of them on the way.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
extern "C" const char* __lsan_default_options() { return "print_suppressions=0"; }
#endif
