// Runs a fuzz target without libFuzzer, for the regular build: every file of the corpus
// folders given, then mutations of them (bit flips, byte changes, cuts, inserts, splices)
// until the time is up.
//   fuzz_replay_X [--seconds N] [--seed S] CORPUS_DIR...
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void RunOne(const Bytes& input) {
    LLVMFuzzerTestOneInput(input.data(), input.size());
}

Bytes Mutate(const std::vector<Bytes>& corpus, std::mt19937& random) {
    Bytes b = corpus[random() % corpus.size()];
    const int steps = 1 + static_cast<int>(random() % 4);
    for (int s = 0; s < steps; ++s) {
        const std::size_t at = b.empty() ? 0 : random() % b.size();
        switch (random() % 6) {
            case 0:  // flip a bit
                if (!b.empty()) b[at] = static_cast<std::uint8_t>(b[at] ^ (1u << (random() % 8)));
                break;
            case 1:  // a new byte, often one of the edges
                if (!b.empty()) {
                    const std::uint8_t edges[] = {0x00, 0x01, 0x7F, 0x80, 0xFF, 'F', 'G', 'a'};
                    b[at] =
                        random() % 2 ? edges[random() % 8] : static_cast<std::uint8_t>(random());
                }
                break;
            case 2:  // cut the end
                b.resize(at);
                break;
            case 3:  // insert bytes
                b.insert(b.begin() + static_cast<std::ptrdiff_t>(at), 1 + random() % 8,
                         static_cast<std::uint8_t>(random()));
                break;
            case 4: {  // splice in a piece of another input
                const Bytes& other = corpus[random() % corpus.size()];
                if (other.empty()) break;
                const std::size_t from = random() % other.size();
                const std::size_t n = std::min<std::size_t>(other.size() - from, 1 + random() % 64);
                b.insert(b.begin() + static_cast<std::ptrdiff_t>(at),
                         other.begin() + static_cast<std::ptrdiff_t>(from),
                         other.begin() + static_cast<std::ptrdiff_t>(from + n));
                break;
            }
            default:  // a 32-bit edge value
                if (b.size() >= 4 && at <= b.size() - 4) {
                    const std::uint32_t values[] = {0xFFFFFFFFu, 0x80000000u, 0x7FFFFFFFu, 3u, 4u};
                    const std::uint32_t v = values[random() % 5];
                    for (int k = 0; k < 4; ++k)
                        b[at + static_cast<std::size_t>(k)] =
                            static_cast<std::uint8_t>(v >> (8 * k));
                }
                break;
        }
    }
    return b;
}

}  // namespace

int main(int argc, char** argv) {
    double seconds = 2.0;
    unsigned seed = 1;
    std::vector<Bytes> corpus;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--seconds" && i + 1 < argc) {
            seconds = std::atof(argv[++i]);
        } else if (arg == "--seed" && i + 1 < argc) {
            seed = static_cast<unsigned>(std::strtoul(argv[++i], nullptr, 10));
        } else if (std::filesystem::is_directory(arg)) {
            for (const auto& entry : std::filesystem::directory_iterator(arg)) {
                if (entry.is_regular_file()) corpus.push_back(ReadFile(entry.path()));
            }
        } else {
            corpus.push_back(ReadFile(arg));
        }
    }
    if (corpus.empty()) {
        std::cerr << "no corpus files\n";
        return 2;
    }
    for (const Bytes& input : corpus) RunOne(input);
    std::mt19937 random(seed);
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    long runs = 0;
    while (std::chrono::steady_clock::now() < end) {
        RunOne(Mutate(corpus, random));
        ++runs;
    }
    std::cout << corpus.size() << " corpus inputs and " << runs << " mutations ran\n";
    return 0;
}
