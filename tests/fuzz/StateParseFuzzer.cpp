#include "StateFuzzEntry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    zq6::fuzz::runStateParseInput(data, size);
    return 0;
}
