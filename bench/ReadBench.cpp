// Reading one press's worth of a 100,000-row question bank in every format, beside the floor
// of merely inflating the xlsx sheet and shared strings, or the ods content.xml; prints time
// and peak-memory ratios.
#include <benchmark/benchmark.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zip.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <random>
#include <sstream>
#include <vector>

#include "BenchBank.h"
#include "Workbook.h"

namespace fs = std::filesystem;
using namespace tesvora;

namespace {

// What the generate button reads: open, sheet 1, used range, the heading row and 100 random rows.
size_t press(const fs::path& path)
{
    auto workbook = bank::OpenBank(path);
    if (!workbook)
        throw std::runtime_error(workbook.error().detail);
    auto sheet = bank::SelectSheet(**workbook, 1);
    if (!sheet)
        throw std::runtime_error(sheet.error().detail);
    const bank::UsedRange range = (*sheet)->usedRange();
    size_t bytes = 0;
    auto readRow = [&](int row) {
        for (int col = range.firstCol; col <= range.lastCol; ++col)
            bytes += (*sheet)->cellText(row, col).size();
    };
    readRow(range.firstRow);
    std::mt19937 random(42);
    std::uniform_int_distribution<int> rows(range.firstRow + 1, range.lastRow);
    for (int i = 0; i < 100; ++i)
        readRow(rows(random));
    return bytes;
}

std::string fileBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

const std::vector<const char*> kXlsxParts = {"xl/worksheets/sheet1.xml", "xl/sharedStrings.xml"};
const std::vector<const char*> kOdsParts = {"content.xml"};

// The floor: inflating the parts a press cannot avoid, with libzip alone. Returns their size.
size_t inflateParts(const std::string& zipBytes, const std::vector<const char*>& parts)
{
    zip_error_t error;
    zip_source_t* source = zip_source_buffer_create(zipBytes.data(), zipBytes.size(), 0, &error);
    zip_t* archive = zip_open_from_source(source, ZIP_RDONLY, &error);
    size_t total = 0;
    for (const char* name : parts) {
        zip_stat_t stat;
        zip_stat(archive, name, 0, &stat);
        std::string text(stat.size, '\0');
        zip_file_t* file = zip_fopen(archive, name, 0);
        total += size_t(zip_fread(file, text.data(), text.size()));
        zip_fclose(file);
        benchmark::DoNotOptimize(text.data());
    }
    zip_discard(archive);
    return total;
}

long statusField(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field, 0) == 0)
            return std::stol(line.substr(std::strlen(field) + 1)) * 1024;
    }
    return -1;
}

// Peak memory a press adds, measured in a forked child so the parent's history does not count.
long pressPeakBytes(const fs::path& path)
{
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return -1;
    const pid_t child = fork();
    if (child == 0) {
        std::ofstream("/proc/self/clear_refs") << "5";
        const long before = statusField("VmRSS:");
        press(path);
        const long growth = statusField("VmHWM:") - before;
        (void)!write(pipeEnds[1], &growth, sizeof growth);
        _exit(0);
    }
    long growth = -1;
    (void)!read(pipeEnds[0], &growth, sizeof growth);
    waitpid(child, nullptr, 0);
    close(pipeEnds[0]);
    close(pipeEnds[1]);
    return growth;
}

template <typename Work>
double seconds(Work work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Floor and press are timed in turns, so a slower or faster spell of a shared machine hits both alike.
void summarize(const char* format, const fs::path& path, const std::vector<const char*>& parts, const char* what)
{
    const std::string bytes = fileBytes(path);
    size_t inflated = 0;
    std::vector<double> floors, reads;
    for (int i = 0; i < 11; ++i) {
        floors.push_back(seconds([&] { inflated = inflateParts(bytes, parts); }));
        reads.push_back(seconds([&] { press(path); }));
    }
    const double floor = median(floors), read = median(reads);
    const long peak = pressPeakBytes(path);
    std::printf("\n%s press: %.1f ms, inflate floor %.1f ms (medians of 11 alternating runs), time ratio %.2f "
                "(target <= 2)\n",
                format, read * 1e3, floor * 1e3, read / floor);
    std::printf("%s press peak memory: %.1f MB, inflated %s %.1f MB, memory ratio %.2f (target <= 2)\n", format,
                peak / 1e6, what, inflated / 1e6, double(peak) / double(inflated));
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    std::optional<fs::path> xlsx, ods;
    for (const char* extension : {"csv", "xlsx", "xls", "ods"}) {
        const auto path = bench::benchBank(TESVORA_BENCH_CACHE, extension);
        if (!path)
            continue;
        benchmark::RegisterBenchmark((std::string("Press/") + extension).c_str(), [path](benchmark::State& state) {
            for (auto _ : state)
                benchmark::DoNotOptimize(press(*path));
            state.counters["peak_MB"] = double(pressPeakBytes(*path)) / 1e6;
        })->Unit(benchmark::kMillisecond);
        const bool zipped = std::string(extension) == "xlsx" || std::string(extension) == "ods";
        if (zipped) {
            (std::string(extension) == "xlsx" ? xlsx : ods) = path;
            const auto& parts = std::string(extension) == "xlsx" ? kXlsxParts : kOdsParts;
            const std::string bytes = fileBytes(*path);
            benchmark::RegisterBenchmark((std::string("InflateFloor/") + extension).c_str(), [bytes, &parts](benchmark::State& state) {
                for (auto _ : state)
                    benchmark::DoNotOptimize(inflateParts(bytes, parts));
            })->Unit(benchmark::kMillisecond);
        }
    }
    benchmark::RunSpecifiedBenchmarks();
    if (xlsx)
        summarize("xlsx", *xlsx, kXlsxParts, "sheet + shared strings");
    if (ods)
        summarize("ods", *ods, kOdsParts, "content.xml");
    benchmark::Shutdown();
}
