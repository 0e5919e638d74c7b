// The libFuzzer entry of one fuzzer; VANTELO_FUZZ_TARGET names its target.

#include "FuzzTargets.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace {

const FuzzTarget& target()
{
    static const FuzzTarget* const chosen = [] {
        for (const FuzzTarget& candidate : fuzzTargets())
            if (std::strcmp(candidate.name, VANTELO_FUZZ_TARGET) == 0)
                return &candidate;
        std::abort();
    }();
    return *chosen;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    target().run(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
