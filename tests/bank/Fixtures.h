#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

// Workbooks saved by real spreadsheet programs, under tests/fixtures.
inline const std::filesystem::path kFixtureDir = TESVORA_FIXTURES;

// The whole content of fixture `name`; "" when it cannot be read.
inline std::string fixture(const std::string& name)
{
    std::ifstream in(kFixtureDir / name, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}
