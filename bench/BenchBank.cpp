#include "BenchBank.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace tesvora::bench {

namespace fs = std::filesystem;

namespace {

const char* const kWords[] = {"中国", "首都", "城市", "历史", "地理", "数学", "物理", "化学", "生物", "语文",
                              "英语", "政治", "长江", "黄河", "北京", "上海", "计算", "函数", "方程", "答案"};

// A deterministic question text of a few words, so every run builds the same bank.
std::string questionText(unsigned& state, int words)
{
    std::string text;
    for (int i = 0; i < words; ++i) {
        state = state * 1103515245u + 12345u;
        text += kWords[(state >> 16) % (sizeof kWords / sizeof *kWords)];
    }
    return text + "？";
}

void writeCsv(const fs::path& path)
{
    std::ofstream out(path, std::ios::binary);
    out << "序号,题型,题目,选项A,选项B,选项C,选项D,正确答案,分值,备注\n";
    unsigned state = 20240315;
    const char* const kinds[] = {"单选", "多选", "判断", "填空"};
    for (int row = 1; row <= kBankRows; ++row) {
        out << row << ',' << kinds[row % 4] << ',' << questionText(state, 8) << ',' << questionText(state, 2) << ','
            << questionText(state, 2) << ',' << questionText(state, 2) << ',' << questionText(state, 2) << ','
            << "ABCD"[row % 4] << ',' << (row % 5 + 1) << ',' << questionText(state, 3) << '\n';
    }
}

bool convert(const fs::path& csv, const char* extension, const fs::path& dir)
{
    const std::string filter = std::string(extension) == "xls" ? "xls:\"MS Excel 97\"" : extension;
    const std::string command = "soffice --headless --infilter=CSV:44,34,76,1 --convert-to " + filter + " --outdir '" +
                                dir.string() + "' '" + csv.string() + "' > /dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

} // namespace

std::optional<fs::path> benchBank(const fs::path& cacheDir, const char* extension)
{
    fs::create_directories(cacheDir);
    const fs::path csv = cacheDir / "bank.csv";
    if (!fs::exists(csv))
        writeCsv(csv);
    const fs::path target = cacheDir / (std::string("bank.") + extension);
    if (fs::exists(target))
        return target;
    if (std::system("command -v soffice > /dev/null 2>&1") != 0) {
        std::fprintf(stderr, "skipping %s: LibreOffice (soffice) is not installed to make the bank\n", extension);
        return std::nullopt;
    }
    std::fprintf(stderr, "making %s with LibreOffice (once)...\n", target.c_str());
    if (!convert(csv, extension, cacheDir) || !fs::exists(target)) {
        std::fprintf(stderr, "skipping %s: LibreOffice could not convert the bank\n", extension);
        return std::nullopt;
    }
    return target;
}

} // namespace tesvora::bench
