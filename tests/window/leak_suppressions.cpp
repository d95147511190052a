// The font configuration library keeps its caches for the life of the
// process; a widget test that lays out text would otherwise fail the leak
// check on them.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
