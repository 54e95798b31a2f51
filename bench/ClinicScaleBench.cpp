// kivo-cli at clinic scale, each against a baseline in the same run: scores over a folder of
// 100,000 client files against only reading the same files, peak memory for 10,000 against
// 100,000 files, and report over 100 files in one process against 100 separate runs.
// Linux only (posix_spawn, wait4). The files live in a temporary folder removed at the end.
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "model/ClientRecord.h"
#include "model/Platform.h"
#include "tests/support/ClientBuilder.h"
#include "tests/support/TempDir.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kRounds = 7;

double Seconds(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// `count` client files named client000000.kvo, ... (every other one .KVO, as clinics have
// both), random answers in both conditions, the three forms in turn, names and a client id.
void MakeClients(const fs::path& folder, int count, unsigned seed) {
    fs::create_directories(folder);
    std::mt19937 rng(seed);
    const char codes[] = " ABCDEFG";
    for (int i = 0; i < count; ++i) {
        std::string answers(sizeof(kivo::ClientRecord::Responses), ' ');
        for (char& c : answers) c = codes[rng() % (sizeof codes - 1)];
        const std::string id = std::to_string(100000 + i);
        const auto record = kivo::test::ClientBuilder()
                                .Name("Client", "Number")
                                .ClientId(id)
                                .Form(i % 3)
                                .Responses(answers)
                                .Build();
        char name[32];
        std::snprintf(name, sizeof name, "client%06d.%s", i, i % 2 ? "KVO" : "kvo");
        const auto image = kivo::ToImage(record);
        // A plain write: the program's own save flushes every file to disk, which would make
        // this set-up take minutes.
        std::FILE* file = std::fopen((folder / name).c_str(), "wb");
        if (file == nullptr || std::fwrite(image.data(), 1, image.size(), file) != image.size()) {
            std::perror("writing the client files");
            std::exit(1);
        }
        std::fclose(file);
    }
}

// Wall time, and processor time (user and system) that load on the machine inflates less.
struct Timing {
    double seconds = 0;
    double cpu = 0;
};

double CpuSeconds(const rusage& usage) {
    const auto tv = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6;
    };
    return tv(usage.ru_utime) + tv(usage.ru_stime);
}

double OwnCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return CpuSeconds(usage);
}

// The baseline: the least any program does to read a folder's files: list them (recursively,
// unsorted) and read each one's record the way the client reader does.
Timing ReadFolderOnly(const fs::path& folder) {
    const auto start = Clock::now();
    const double cpuStart = OwnCpuSeconds();
    kivo::ClientImage image{};
    std::size_t bytes = 0;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (!entry.is_regular_file()) continue;
        if (const auto got = kivo::platform::ReadFileHead(entry.path(), image)) bytes += *got;
    }
    const Timing timing{Seconds(start), OwnCpuSeconds() - cpuStart};
    if (bytes == 0) std::exit(1);
    return timing;
}

struct ProcessRun {
    double seconds = 0;
    double cpu = 0;
    double peakMiB = 0;
};

// Runs kivo-cli with `args`, standard output and error to /dev/null; its wall time and peak
// resident memory. A failed run ends the benchmark.
ProcessRun RunCli(const std::vector<std::string>& args) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::string program = KIVO_CLI_PATH;
    std::vector<char*> argv = {program.data()};
    std::vector<std::string> copies = args;
    for (auto& a : copies) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    const auto start = Clock::now();
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) != 0) {
        std::perror("starting kivo-cli");
        std::exit(1);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    const double seconds = Seconds(start);
    posix_spawn_file_actions_destroy(&actions);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "kivo-cli %s ... failed\n", args[0].c_str());
        std::exit(1);
    }
    return {seconds, CpuSeconds(usage), static_cast<double>(usage.ru_maxrss) / 1024.0};
}

void ScoresAtClinicScale(const TempDir& scratch) {
    const fs::path big = scratch / "clinic-100000";
    const fs::path small = scratch / "clinic-10000";
    std::printf("Making 100,000 + 10,000 client files in %s ...\n", scratch.path().c_str());
    std::fflush(stdout);
    MakeClients(big, 100000, 7);
    MakeClients(small, 10000, 11);
    ReadFolderOnly(big);  // the first pass brings every file into the cache for all that follow

    // Rounds alternate the measurements, so machine load falls on all of them alike.
    std::vector<double> read, readCpu, scores, scoresCpu, wide, wideCpu, peakSmall, peakBig;
    for (int round = 0; round < kRounds; ++round) {
        const Timing readOnly = ReadFolderOnly(big);
        read.push_back(readOnly.seconds);
        readCpu.push_back(readOnly.cpu);
        const ProcessRun longTable = RunCli({"scores", big.string()});
        scores.push_back(longTable.seconds);
        scoresCpu.push_back(longTable.cpu);
        peakBig.push_back(longTable.peakMiB);
        const ProcessRun wideTable = RunCli({"scores", "--wide", big.string()});
        wide.push_back(wideTable.seconds);
        wideCpu.push_back(wideTable.cpu);
        peakSmall.push_back(RunCli({"scores", small.string()}).peakMiB);
    }
    std::printf(
        "\nscores over a folder of 100,000 client files (median of %d, output to "
        "/dev/null):\n",
        kRounds);
    std::printf("  %-44s %8s %10s %9s %9s\n", "", "wall", "x read", "cpu", "x read");
    const auto row = [&](const char* what, const std::vector<double>& wall,
                         const std::vector<double>& cpu) {
        std::printf("  %-44s %6.0f ms %9.2f %6.0f ms %9.2f\n", what, Median(wall) * 1e3,
                    Median(wall) / Median(read), Median(cpu) * 1e3, Median(cpu) / Median(readCpu));
    };
    row("read only (list the folder, read each file)", read, readCpu);
    row("kivo-cli scores FOLDER", scores, scoresCpu);
    row("kivo-cli scores --wide FOLDER", wide, wideCpu);
    std::printf("  (target: at most 1.2 x read)\n");
    std::printf("peak resident memory of kivo-cli scores FOLDER:\n");
    std::printf("  10,000 files %.1f MiB, 100,000 files %.1f MiB: %.2f x for 10 x the files\n",
                Median(peakSmall), Median(peakBig), Median(peakBig) / Median(peakSmall));
    std::fflush(stdout);
    fs::remove_all(big);
    fs::remove_all(small);
}

void ReportsInOneProcess(const TempDir& scratch) {
    constexpr int kFiles = 100;
    const fs::path clients = scratch / "reports";
    fs::create_directories(clients);
    std::vector<std::string> files;
    for (int i = 0; i < kFiles; ++i) {
        const auto record = kivo::test::ClientBuilder()
                                .Name("Johnson", "Ann")
                                .ClientId(std::to_string(i))
                                .Comments("Reports more benefit in restaurants.")
                                .Form(i % 3)
                                .AnswerEach(0, [i](int item) { return "ABCDEFG"[(item + i) % 7]; })
                                .AnswerEach(1, [i](int item) { return "BCDE"[(item * i) % 4]; })
                                .Build();
        files.push_back((clients / ("client" + std::to_string(i) + ".KVO")).string());
        const auto image = kivo::ToImage(record);
        WriteBytes(files.back(), std::vector<unsigned char>(image.begin(), image.end()));
    }
    const std::string single = (scratch / "one.pdf").string();
    const std::string folder = (scratch / "pdfs").string() + "/";
    std::vector<double> batch, batchCpu, separate, separateCpu;
    for (int round = 0; round < kRounds; ++round) {
        const ProcessRun one = RunCli({"report", clients.string(), "-o", folder});
        batch.push_back(one.seconds);
        batchCpu.push_back(one.cpu);
        const auto start = Clock::now();
        double cpu = 0;
        for (const auto& file : files) cpu += RunCli({"report", file, "-o", single}).cpu;
        separate.push_back(Seconds(start));
        separateCpu.push_back(cpu);
    }
    std::printf("\nreport over 100 client files (median of %d):\n", kRounds);
    std::printf("  %-44s %8s %10s %9s %9s\n", "", "wall", "x faster", "cpu", "x less");
    std::printf("  %-44s %6.0f ms %9s %6.0f ms\n", "100 separate kivo-cli report runs",
                Median(separate) * 1e3, "", Median(separateCpu) * 1e3);
    std::printf("  %-44s %6.0f ms %9.1f %6.0f ms %9.1f\n", "one kivo-cli report FOLDER -o OUTDIR/",
                Median(batch) * 1e3, Median(separate) / Median(batch), Median(batchCpu) * 1e3,
                Median(separateCpu) / Median(batchCpu));
    std::printf("  (target: at least 5 x faster)\n");
}

}  // namespace

int main() {
    const TempDir scratch;
    ScoresAtClinicScale(scratch);
    ReportsInOneProcess(scratch);
    return 0;
}
