// Linked into the test programs of a ThreadSanitizer build.
//
// The loopback servers come from Debian's cpp-httplib, a compiled library built
// without ThreadSanitizer's instrumentation. The sanitizer cannot see how the
// library's server threads hand over its function-local statics (the fast path
// of their initialisation guard is inlined there), and reports the library's own
// accesses to them as races in a fresh process. Only reports that pass through
// the library are suppressed; the client code under test runs on threads of its
// own and stays checked.

extern "C" const char* __tsan_default_suppressions();

extern "C" const char* __tsan_default_suppressions()
{
    return "race:libcpp-httplib.so\n";
}
