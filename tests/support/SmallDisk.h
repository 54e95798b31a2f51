// A tmpfs of a few kilobytes mounted for one test, so that writes into it fail as on a full
// disk. Mounting needs root; where it is refused the test skips.
#pragma once

#include <sys/mount.h>

#include <cstdio>
#include <filesystem>
#include <string>

class SmallDisk {
public:
    SmallDisk(const std::filesystem::path& where, int kilobytes) : where_(where) {
        std::filesystem::create_directories(where);
        const std::string size = "size=" + std::to_string(kilobytes) + "k";
        mounted_ = ::mount("tmpfs", where.c_str(), "tmpfs", 0, size.c_str()) == 0;
    }
    ~SmallDisk() {
        if (mounted_) ::umount2(where_.c_str(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool Mounted() const { return mounted_; }

    // Fills what room is left with the file "filler", so that nothing more fits.
    void FillUp() const {
        std::FILE* file = std::fopen((where_ / "filler").c_str(), "wb");
        if (file == nullptr) return;
        const std::string block(4096, '\0');
        while (std::fwrite(block.data(), 1, block.size(), file) == block.size() &&
               std::fflush(file) == 0) {
        }
        std::fclose(file);
    }

private:
    std::filesystem::path where_;
    bool mounted_ = false;
};
