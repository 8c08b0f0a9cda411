// AddressSanitizer's defaults for the test programs that start the web
// engine, linked into them in the sanitizer build only.
//
// Debian's libQt6WebEngineCore 6.4 deletes an object of 88 bytes through a
// type of 24 when a page is torn down (inside WebContentsAdapter's
// destructor), and AddressSanitizer stops the process with a
// new-delete-type-mismatch in the engine's own code.  GCC 12's runtime
// cannot suppress that report for one library: its suppression file knows
// interceptor_name, interceptor_via_fun, interceptor_via_lib and
// odr_violation only (an "alloc_dealloc_mismatch:" line fails to parse), and
// interceptor_via_lib matches reports from interceptors, which this is not.
// So these programs leave out that one check and nothing else: overflows,
// use after free, new[]/delete and malloc/delete mismatches, leaks and UBSan
// stay on.  The commonest cause of the check in our own code, a delete
// through a base without a virtual destructor, is an error at compile time
// (-Wdelete-non-virtual-dtor, part of -Wall, with -Werror).  ASAN_OPTIONS
// from the environment still come on top.
extern "C" __attribute__((visibility("default"), used)) const char* __asan_default_options() {
    return "new_delete_type_mismatch=0";
}
