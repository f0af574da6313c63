// A module whose entry calls a function nothing defines, for tst_install:
// loading it must fail at once, not at the first call.
extern "C" void sleevix_function_nobody_defines();

extern "C" void sleevix_unresolved_entry()
{
    sleevix_function_nobody_defines();
}
