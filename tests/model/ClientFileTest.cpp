#include <gtest/gtest.h>

#include <cstring>

#include "model/ClientFile.h"
#include "model/Error.h"
#include "tests/support/TempDir.h"

using namespace kivo;

namespace {

ClientRecord Sample() {
    ClientRecord r;
    ResetClientRecord(r);
    WriteTextField(r.LastName, "LEE");
    WriteTextField(r.FirstName, "ANN");
    r.TestForm = 2;
    r.Responses[0] = 'D';
    return r;
}

std::vector<unsigned char> ImageBytes(const ClientRecord& r) {
    const auto image = ToImage(r);
    return {image.begin(), image.end()};
}

// Expects `read` to throw an Error whose text holds `fragment`.
template <typename F>
void ExpectError(F read, const std::string& fragment) {
    try {
        read();
        ADD_FAILURE() << "no error; expected one containing: " << fragment;
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find(fragment), std::string::npos) << e.what();
    }
}

}  // namespace

TEST(ClientFile, SaveWritesExactlyTheImageAndLoadGivesItBack) {
    TempDir dir;
    const auto file = dir / "LEE.KVO";
    WriteClientFile(file, Sample());
    EXPECT_EQ(ReadBytes(file), ImageBytes(Sample()));

    ClientRecord loaded;
    ResetClientRecord(loaded);
    ReadClientFile(file, loaded);
    EXPECT_EQ(ToImage(loaded), ToImage(Sample()));
    EXPECT_EQ(std::filesystem::directory_iterator(dir.path())->path(), file)
        << "no temporary file is left beside the client file";
}

TEST(ClientFile, FileFromAnotherMachineReadsByteForByte) {
    // Bytes after NULs, high Windows-1252 bytes, odd integers, reserved byte set.
    std::vector<unsigned char> bytes(552);
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<unsigned char>(i * 13 + 1);
    std::memcpy(bytes.data(), "KIVO1\0", 6);
    TempDir dir;
    WriteBytes(dir / "x.KVO", bytes);
    ClientRecord r;
    ReadClientFile(dir / "x.KVO", r);
    const auto image = ToImage(r);
    EXPECT_TRUE(std::equal(image.begin(), image.end(), bytes.begin()));
    WriteClientFile(dir / "y.KVO", r);
    EXPECT_EQ(ReadBytes(dir / "y.KVO"), bytes);
}

TEST(ClientFile, BytesAfterTheRecordAreIgnored) {
    auto bytes = ImageBytes(Sample());
    bytes.resize(600, 'Z');
    TempDir dir;
    WriteBytes(dir / "long.KVO", bytes);
    ClientRecord r;
    ReadClientFile(dir / "long.KVO", r);
    EXPECT_EQ(ToImage(r), ToImage(Sample()));
}

TEST(ClientFile, BadFilesAreRefusedAndTheOpenClientIsUntouched) {
    struct Case {
        const char* name;
        std::vector<unsigned char> bytes;
        std::string message;
    };
    auto good = ImageBytes(Sample());
    auto noSignature = good;
    noSignature[0] = 'X';
    auto signatureWithoutNul = good;
    signatureWithoutNul[5] = '2';
    const Case cases[] = {
        {"short.KVO", std::vector<unsigned char>(good.begin(), good.begin() + 300),
         "short.KVO\" is not a KIVO client file: 300 bytes, expected 552"},
        {"empty.KVO", {}, "is not a KIVO client file: 0 bytes, expected 552"},
        {"one-short.KVO", std::vector<unsigned char>(good.begin(), good.end() - 1),
         "551 bytes, expected 552"},
        {"nosig.KVO", noSignature, "nosig.KVO\" is not a KIVO client file"},
        {"sig2.KVO", signatureWithoutNul, "does not start with the KIVO1 signature"},
    };
    TempDir dir;
    for (const auto& c : cases) {
        WriteBytes(dir / c.name, c.bytes);
        ClientRecord open = Sample();
        ExpectError([&] { ReadClientFile(dir / c.name, open); }, c.message);
        EXPECT_EQ(ToImage(open), ToImage(Sample())) << c.name;
    }
}

TEST(ClientFile, MissingFileAndFolderAreRefused) {
    TempDir dir;
    ClientRecord open = Sample();
    ExpectError([&] { ReadClientFile(dir / "none.KVO", open); }, "Cannot open");
    ExpectError([&] { ReadClientFile(dir.path(), open); }, "Cannot");
    EXPECT_EQ(ToImage(open), ToImage(Sample()));
}

TEST(ClientFile, FailedSaveReportsAndLeavesNothingBehind) {
    TempDir dir;
    // The target is a folder: the final rename must fail and be reported.
    std::filesystem::create_directory(dir / "taken.KVO");
    ExpectError([&] { WriteClientFile(dir / "taken.KVO", Sample()); }, "Cannot save");
    EXPECT_TRUE(std::filesystem::is_directory(dir / "taken.KVO"));
    ExpectError([&] { WriteClientFile(dir / "no-such-folder" / "a.KVO", Sample()); },
                "Cannot save");
    int entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path())) ++entries;
    EXPECT_EQ(entries, 1) << "no temporary file is left behind";
}

TEST(ClientFile, SaveReplacesAnExistingFileWhole) {
    TempDir dir;
    const auto file = dir / "c.KVO";
    WriteBytes(file, std::vector<unsigned char>(2000, 'Q'));
    WriteClientFile(file, Sample());
    EXPECT_EQ(ReadBytes(file), ImageBytes(Sample()));
}
