#include "model/ClientFile.h"

#include <cerrno>
#include <cstdio>
#include <memory>
#include <random>
#include <string>

#include "model/Error.h"
#include "model/Platform.h"

namespace kivo {
namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

std::string NotAClientFile(const std::filesystem::path& path, const std::string& why) {
    return "\"" + PathText(path) + "\" is not a KIVO client file: " + why;
}

std::filesystem::path TemporaryNameBeside(const std::filesystem::path& target) {
    static std::mt19937_64 generator{std::random_device{}()};
    const auto suffix = std::to_string(generator() % 1000000000u);
    auto name = target.filename();
    name += ".kivo-save-" + suffix + ".tmp";
    return target.parent_path() / name;
}

}  // namespace

std::string PathText(const std::filesystem::path& path) {
    const auto text = path.u8string();
    return {reinterpret_cast<const char*>(text.data()), text.size()};
}

void ReadClientFile(const std::filesystem::path& path, ClientRecord& record) {
    ClientImage image{};
    std::string why;
    const long got = platform::ReadFileHead(path, image.data(), image.size(), why);
    if (got < 0) throw Error("Cannot open \"" + PathText(path) + "\": " + why);
    if (static_cast<std::size_t>(got) < kClientRecordSize) {
        throw Error(NotAClientFile(path, std::to_string(got) + " bytes, expected " +
                                             std::to_string(kClientRecordSize)));
    }
    // "KIVO1" and its NUL.
    if (std::string_view(reinterpret_cast<const char*>(image.data()), kSignature.size() + 1) !=
        std::string_view("KIVO1\0", 6)) {
        throw Error(NotAClientFile(path, "it does not start with the KIVO1 signature"));
    }
    record = FromImage(image);
}

void WriteClientFile(const std::filesystem::path& path, const ClientRecord& record) {
    const auto fail = [&](const std::string& why) {
        return Error("Cannot save \"" + PathText(path) + "\": " + why);
    };
    // A temporary file left by a save that never finished may hold the name drawn: draw again.
    auto temp = TemporaryNameBeside(path);
    FilePtr file(platform::CreateExclusive(temp));
    for (int attempt = 0; !file && errno == EEXIST && attempt < 16; ++attempt) {
        temp = TemporaryNameBeside(path);
        file.reset(platform::CreateExclusive(temp));
    }
    if (!file) throw fail(platform::LastErrorText());

    const auto image = ToImage(record);
    bool ok = std::fwrite(image.data(), 1, image.size(), file.get()) == image.size();
    std::string why = ok ? "" : platform::LastErrorText();
    if (ok && !platform::SyncFile(file.get())) {
        ok = false;
        why = platform::LastErrorText();
    }
    if (std::fclose(file.release()) != 0 && ok) {
        ok = false;
        why = platform::LastErrorText();
    }
    if (ok && !platform::ReplaceFile(temp, path, why)) ok = false;
    if (!ok) {
        std::error_code ignored;
        std::filesystem::remove(temp, ignored);
        throw fail(why);
    }
}

}  // namespace kivo
