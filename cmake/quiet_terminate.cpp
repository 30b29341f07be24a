// Release executables: an uncaught exception ends the program without the C++
// runtime's verbose handler, whose name demangler would be a sixth of the
// window program. Defined here, the runtime's own is never linked.
#include <cstdlib>
#include <new>
#include <string>

namespace __gnu_cxx {
void __verbose_terminate_handler();
void __verbose_terminate_handler() {
    std::abort();
}
}  // namespace __gnu_cxx

// The standard library's throws of its own errors. Nothing in the programs
// catches the logic and runtime errors, so each would end in the handler
// above without unwinding; aborting at once ends the same way, and keeps out
// the exception classes with their copy-on-write strings (about 90 KB). Code
// that comes to catch one of them needs the library's own helpers back.
// Allocation failures are caught, and keep their types.
namespace std {
void __throw_bad_alloc() {
    throw bad_alloc();
}
void __throw_bad_array_new_length() {
    throw bad_array_new_length();
}
void __throw_bad_exception() {
    abort();
}
void __throw_bad_cast() {
    abort();
}
void __throw_bad_typeid() {
    abort();
}
void __throw_logic_error(const char*) {
    abort();
}
void __throw_domain_error(const char*) {
    abort();
}
void __throw_invalid_argument(const char*) {
    abort();
}
void __throw_length_error(const char*) {
    abort();
}
void __throw_out_of_range(const char*) {
    abort();
}
void __throw_out_of_range_fmt(const char*, ...) {
    abort();
}
void __throw_runtime_error(const char*) {
    abort();
}
void __throw_range_error(const char*) {
    abort();
}
void __throw_overflow_error(const char*) {
    abort();
}
void __throw_underflow_error(const char*) {
    abort();
}
}  // namespace std
