// Linked into every test program: the environment the tests expect, whether they run under
// ctest or by hand. Values already set by the caller win.
#include <cstdlib>

namespace {

const bool kEnvironmentSet = [] {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("TESSARO_BIN", TESSARO_TEST_BIN_DIR, 0);
    return true;
}();

}  // namespace
