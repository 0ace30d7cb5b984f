// One libFuzzer target: KESTRANE_FUZZ_CHECK names the reader's check
// (checks/reader_checks.h). A broken property stops the run as a crash does,
// so that libFuzzer keeps the input that broke it.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "checks/reader_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string fault =
        kestrane::fuzz::KESTRANE_FUZZ_CHECK(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!fault.empty()) {
        std::fprintf(stderr, "property broken: %s\n", fault.c_str());
        std::abort();
    }
    return 0;
}
