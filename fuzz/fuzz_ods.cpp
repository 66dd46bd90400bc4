// libFuzzer target: arbitrary bytes through the ods reader.
#include "FuzzCommon.h"
#include "Readers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    touchWorkbook(tesvora::bank::openOds(std::string(reinterpret_cast<const char*>(data), size)));
    return 0;
}
