// libFuzzer target: arbitrary bytes through the csv reader.
#include "FuzzCommon.h"
#include "Readers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    touchWorkbook(tesvora::bank::openCsv(std::string(reinterpret_cast<const char*>(data), size)));
    return 0;
}
