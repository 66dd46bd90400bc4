// libFuzzer target: arbitrary bytes through the xls reader, which reads from a file.
#include <cstdio>
#include <filesystem>
#include <unistd.h>

#include "FuzzCommon.h"
#include "Readers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("tesvora-fuzz-" + std::to_string(::getpid()) + ".xls");
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    touchWorkbook(tesvora::bank::openXls(path));
    return 0;
}
