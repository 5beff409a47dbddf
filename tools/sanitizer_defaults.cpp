// Linked into every program of a sanitizer build. Memory the system's own
// libraries keep for the life of the process (X, Mesa, fontconfig, D-Bus,
// FluidSynth) is theirs to keep; leaks of ours are still reported.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libX11\n"
           "leak:libxcb\n"
           "leak:libdbus\n"
           "leak:libfontconfig\n"
           "leak:libfluidsynth\n"
           "leak:libglib\n"
           "leak:libGLX\n"
           "leak:libGLdispatch\n"
           "leak:libgallium\n"
           "leak:swrast_dri\n"
           "leak:libLLVM\n"
           "leak:libSDL2\n"
           "leak:libasound\n"
           "leak:libpulse\n";
}

// The list of suppressions used would follow a program's own last words;
// tests that read those words want them last.
extern "C" const char* __lsan_default_options() { return "print_suppressions=0"; }

// LeakSanitizer's own record of dynamic thread-local storage goes wrong
// with the libraries Mesa loads at run time, and its leak check then
// crashes at exit; without that record the check runs.
extern "C" const char* __asan_default_options() { return "intercept_tls_get_addr=0"; }
