// Linked into every test program: the environment the tests rely on, so they
// run the same from CTest, from a shell, and under a debugger.
#include <cstdlib>

namespace {

struct TestEnvironment {
  TestEnvironment() {
    ::setenv("KVEM_TEST_DATA", KVEM_TEST_SOURCE_DIR "/tests/data", 0);
    ::setenv("KVEM_EXAMPLES", KVEM_TEST_SOURCE_DIR "/examples", 0);
    ::setenv("KVEM_DATA_DIR", KVEM_TEST_SOURCE_DIR "/data", 0);
    ::setenv("KVEM_CLI", KVEM_TEST_BINARY_DIR "/src/cli/kvem-cli", 0);
    // Numbers in the C locale unless a test asks for another.
    ::unsetenv("LC_ALL");
    ::unsetenv("LC_NUMERIC");
    ::setenv("LANG", "C.UTF-8", 1);
  }
};

const TestEnvironment kEnvironment;

}  // namespace
