// Leaks the sanitizer build must not count against the SDL host's tests.
//
// libdbus, which SDL opens as soon as there is a display, keeps global
// allocations until dbus_shutdown(), and SDL leaves that call to the
// application because another part of a process may still use D-Bus.
extern "C" const char* __lsan_default_suppressions() { return "leak:libdbus-1.so\n"; }
