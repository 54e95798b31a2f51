// Client files on a real disk: the exact bytes saved and read back, refused files, failed
// saves, and the kind, path and reason each failure carries.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <functional>

#include "model/ClientFile.h"
#include "model/Error.h"
#include "model/Platform.h"
#include "tests/support/ClientBuilder.h"
#include "tests/support/TempDir.h"

using namespace kivo;

namespace {

ClientRecord Sample() {
    return test::ClientBuilder().Name("LEE", "ANN").Form(2).Answer(0, 1, 'D').Build();
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
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<unsigned char>(i * 13 + 1);
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
    const auto image = ImageBytes(Sample());
    std::vector<unsigned char> bytes(600, 'Z');
    std::copy(image.begin(), image.end(), bytes.begin());
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
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path()))
        ++entries;
    EXPECT_EQ(entries, 1) << "no temporary file is left behind";
}

TEST(ClientFile, SaveReplacesAnExistingFileWhole) {
    TempDir dir;
    const auto file = dir / "c.KVO";
    WriteBytes(file, std::vector<unsigned char>(2000, 'Q'));
    WriteClientFile(file, Sample());
    EXPECT_EQ(ReadBytes(file), ImageBytes(Sample()));
}

TEST(ClientFile, EveryFailureCarriesItsKindPathAndReason) {
    TempDir dir;
    WriteBytes(dir / "short.KVO", std::vector<unsigned char>(300, 'K'));
    auto unsigned_ = ImageBytes(Sample());
    unsigned_[0] = 'X';
    WriteBytes(dir / "nosig.KVO", unsigned_);
    std::filesystem::create_directory(dir / "folder.KVO");
    ClientRecord open = Sample();
    const auto read = [&](const char* name) {
        return [&, name] { ReadClientFile(dir / name, open); };
    };
    const auto write = [&](std::filesystem::path path) {
        return [path] { WriteClientFile(path, Sample()); };
    };
    const struct Case {
        std::function<void()> run;
        std::filesystem::path path;
        FileErrorKind kind;
        std::string reason;
        std::string message;  // what() with <p> for the quoted path
    } cases[] = {
        {read("none.KVO"), dir / "none.KVO", FileErrorKind::Open, "No such file or directory",
         "Cannot open <p>: No such file or directory"},
        {read("folder.KVO"), dir / "folder.KVO", FileErrorKind::Open, "Is a directory",
         "Cannot open <p>: Is a directory"},
        {read("short.KVO"), dir / "short.KVO", FileErrorKind::NotClientFile,
         "300 bytes, expected 552", "<p> is not a KIVO client file: 300 bytes, expected 552"},
        {read("nosig.KVO"), dir / "nosig.KVO", FileErrorKind::NotClientFile,
         "it does not start with the KIVO1 signature",
         "<p> is not a KIVO client file: it does not start with the KIVO1 signature"},
        {write(dir / "missing" / "a.KVO"), dir / "missing" / "a.KVO", FileErrorKind::Save,
         "No such file or directory", "Cannot save <p>: No such file or directory"},
        {write(dir / "folder.KVO"), dir / "folder.KVO", FileErrorKind::Save, "Is a directory",
         "Cannot save <p>: Is a directory"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        try {
            c.run();
            ADD_FAILURE() << "no error";
        } catch (const FileError& e) {
            EXPECT_EQ(e.Kind(), c.kind);
            EXPECT_EQ(e.Path(), c.path);
            EXPECT_EQ(e.Reason(), c.reason);
            std::string message = c.message;
            message.replace(message.find("<p>"), 3, "\"" + c.path.string() + "\"");
            EXPECT_EQ(std::string(e.what()), message);
        }
    }
    EXPECT_EQ(ToImage(open), ToImage(Sample()));
}

namespace {

// How many more creations of a temporary file fail as if the name were taken.
int gTakenNames = 0;

int NameTaken(std::string_view step) {
    if (step != "create" || gTakenNames == 0) return 0;
    --gTakenNames;
    return EEXIST;
}

// Installs a fault hook for one test and removes it whatever the test's outcome.
struct FaultHookScope {
    explicit FaultHookScope(platform::FaultHook hook) { platform::SetFaultHook(hook); }
    ~FaultHookScope() { platform::SetFaultHook(nullptr); }
    FaultHookScope(const FaultHookScope&) = delete;
    FaultHookScope& operator=(const FaultHookScope&) = delete;
};

}  // namespace

TEST(ClientFile, SaveDrawsAnotherTemporaryNameWhileTheDrawnOneIsTaken) {
    TempDir dir;
    const auto file = dir / "c.KVO";
    const FaultHookScope hook(NameTaken);
    gTakenNames = 5;
    WriteClientFile(file, Sample());
    EXPECT_EQ(ReadBytes(file), ImageBytes(Sample()));

    // A folder where every name seems taken gives up, with the system's reason.
    gTakenNames = 1000;
    try {
        WriteClientFile(file, Sample());
        ADD_FAILURE() << "no error";
    } catch (const FileError& e) {
        EXPECT_EQ(e.Kind(), FileErrorKind::Save);
        EXPECT_EQ(e.Reason(), "File exists");
    }
    EXPECT_GT(gTakenNames, 0) << "it gives up after a bounded number of names";
    EXPECT_EQ(ReadBytes(file), ImageBytes(Sample()));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1)
        << "no temporary file is left behind";
}
