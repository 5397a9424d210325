// SPDX-License-Identifier: MIT
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

// A scratch folder per test, removed afterwards; the name carries the test and the process so
// tests running side by side never share files.
class TScratchDir {
public:
    TScratchDir() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string(info->test_suite_name()) + "_" + info->name();
        for (char& c : name) {
            if (c == '/') {
                c = '_';
            }
        }
        Dir = std::filesystem::path(::testing::TempDir()) / ("zibo_" + name + "_" + std::to_string(getpid()));
        std::filesystem::remove_all(Dir);
        std::filesystem::create_directories(Dir);
    }
    ~TScratchDir() {
        std::error_code ec;
        std::filesystem::remove_all(Dir, ec);
    }
    [[nodiscard]] std::string Path(std::string_view Name) const { return (Dir / Name).string(); }

private:
    std::filesystem::path Dir;
};

inline std::vector<uint8_t> BytesOf(std::string_view Text) {
    return {Text.begin(), Text.end()};
}

inline void WriteFileBytes(const std::string& Path, const std::vector<uint8_t>& Bytes) {
    std::ofstream out(Path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(Bytes.data()), static_cast<std::streamsize>(Bytes.size()));
}

inline std::vector<uint8_t> ReadFileBytes(const std::string& Path) {
    std::ifstream in(Path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

template <typename T> void Put(std::vector<uint8_t>& Bytes, size_t Offset, T Value) {
    std::memcpy(Bytes.data() + Offset, &Value, sizeof Value);
}

template <typename T> T Get(const std::vector<uint8_t>& Bytes, size_t Offset) {
    T value;
    std::memcpy(&value, Bytes.data() + Offset, sizeof value);
    return value;
}
