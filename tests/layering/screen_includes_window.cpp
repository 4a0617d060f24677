// Built as a part of the tutorial would be: a screen reaches its controls only through Screen,
// so the build must refuse this file. The test passes when the compiler cannot find the header.
#include "tutorial/vascular_function_curves.h"
#include "window/screen_window.h"
