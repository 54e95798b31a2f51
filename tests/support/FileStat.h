// A file's POSIX status and permission bits, for tests that check what a save kept.
#pragma once

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

namespace kivo::test {

inline struct stat StatOf(const std::filesystem::path& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info;
}

inline unsigned ModeOf(const std::filesystem::path& path) {
    return StatOf(path).st_mode & 07777u;
}

}  // namespace kivo::test
