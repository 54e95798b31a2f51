// The damaged client files of the hardening sweep, generated from one good client the same way
// every run, so a failure names a file that can be made again.
#include "tests/hardening/DamagedClients.h"

#include <climits>
#include <cstdint>
#include <cstring>
#include <random>
#include <span>
#include <string>

#include "model/ClientRecord.h"
#include "model/Questionnaire.h"
#include "tests/support/ClientBuilder.h"

namespace kivo::test {
namespace {

using Bytes = std::vector<unsigned char>;

// A well-formed long-form client with both conditions answered, every text field filled.
ClientRecord BaseClient() {
    std::string codes;
    for (int i = 0; i < 2 * kMaxItems; ++i) codes.push_back("ABCDEFG"[i % 7]);
    return ClientBuilder()
        .Name("Base", "Client")
        .ClientId("ID-1")
        .Gender("M")
        .BirthDate("01/01/1950")
        .Fitting1({"Aid one", "Left", "Dome", "01/02/2024", 1})
        .Fitting2({"Aid two", "Both", "Mould", "01/03/2024", 2})
        .Comments("Comment")
        .Form(kLongForm)
        .Responses(codes)
        .Build();
}

Bytes Image(const ClientRecord& r) {
    const ClientImage image = ToImage(r);
    return {image.begin(), image.end()};
}

void PutInt(Bytes& bytes, std::size_t offset, std::int32_t value) {
    std::memcpy(bytes.data() + offset, &value, sizeof value);
}

struct TextField {
    const char* name;
    std::size_t offset;
    std::size_t width;
};

constexpr TextField kTextFields[] = {
    {"LastName", 20, 18},   {"FirstName", 38, 18},  {"MiddleInitial", 56, 2}, {"ClientId", 58, 14},
    {"Gender", 76, 2},      {"BirthDate", 78, 11},  {"HearingAid1", 89, 30},  {"Ear1", 119, 6},
    {"Coupling1", 125, 12}, {"TestDate1", 137, 11}, {"HearingAid2", 152, 30}, {"Ear2", 182, 6},
    {"Coupling2", 188, 12}, {"TestDate2", 200, 11}, {"Comments", 216, 256},
};

constexpr std::int32_t kOddValues[] = {-1, 0, 1, 2, 3, 4, 5, 100, -100, 65536, INT_MAX, INT_MIN};
constexpr std::size_t kTestForm = 72;
constexpr std::size_t kExperience1 = 148;
constexpr std::size_t kExperience2 = 212;
constexpr std::size_t kResponses = 472;

class Generator {
public:
    std::vector<DamagedClient> files;

    void Add(std::string name, Bytes bytes, bool refused = false) {
        files.push_back(
            {std::to_string(files.size()) + "-" + name + ".KVO", std::move(bytes), refused});
    }

    void ShortAndLong(const Bytes& base) {
        for (std::size_t n = 0; n < kClientRecordSize; n += (n < 16 ? 1 : 7)) {
            Add("short" + std::to_string(n), Bytes(base.begin(), base.begin() + long(n)), true);
        }
        Add("short551", Bytes(base.begin(), base.end() - 1), true);
        for (std::size_t extra : {1u, 48u, 552u, 70000u}) {
            Bytes b = base;
            b.resize(base.size() + extra, 0xEE);
            Add("long" + std::to_string(extra), b);
        }
    }

    void Signatures(const Bytes& base) {
        const char* signatures[] = {"KIVO2", "kivo1", "KIVO1X", "", "\xFF\xFF\xFF\xFF\xFF\xFF"};
        for (const char* s : signatures) {
            Bytes b = base;
            std::memset(b.data(), 0, 6);
            std::memcpy(b.data(), s, std::min<std::size_t>(std::strlen(s), 6));
            Add("signature", b, true);
        }
        Add("zeros", Bytes(kClientRecordSize, 0), true);
        Add("ones", Bytes(kClientRecordSize, 0xFF), true);
        // A good signature whose trailing bytes in the field are not NULs is still a client.
        Bytes b = base;
        std::memset(b.data() + 6, 'x', 14);
        Add("signature-tail", b);
    }

    void Numbers(const Bytes& base) {
        for (std::int32_t form : kOddValues) {
            for (std::int32_t e1 : kOddValues) {
                Bytes b = base;
                PutInt(b, kTestForm, form);
                PutInt(b, kExperience1, e1);
                PutInt(b, kExperience2, kOddValues[(static_cast<std::size_t>(e1) + 3u) % 12u]);
                Add("form" + std::to_string(form) + "-exp" + std::to_string(e1), b);
            }
        }
    }

    void Texts(const Bytes& base) {
        const unsigned char fills[] = {'A', 0x80, 0x81, 0x8D, 0x9D, 0xA0, 0xFF};
        for (const TextField& f : kTextFields) {
            for (unsigned char fill : fills) {
                Bytes b = base;
                std::memset(b.data() + f.offset, fill, f.width);  // no NUL at all
                Add(std::string(f.name) + "-nonul", b);
                b[f.offset + f.width - 1] = 0;  // full but ended
                Add(std::string(f.name) + "-full", b);
            }
        }
        Bytes all = base;
        for (const TextField& f : kTextFields) std::memset(all.data() + f.offset, 0xE9, f.width);
        Add("every-text-nonul", all);
    }

    void Answers(const Bytes& base) {
        const unsigned char codes[] = {'a',  'd',  'g',  'h', 'H', 'Z', '0', '9',  0,
                                       0x7F, 0x80, 0xFF, ' ', 'F', 'G', 'A', '\t', '\n'};
        for (std::int32_t form : {kShortFormA, kShortFormB, kLongForm, -1, 3}) {
            for (unsigned char code : codes) {
                Bytes b = base;
                PutInt(b, kTestForm, form);
                std::memset(b.data() + kResponses, code, 2 * kMaxItems);
                Add("form" + std::to_string(form) + "-answers" + std::to_string(code), b);
            }
            // Use items answered with the rated letters beyond their three choices.
            for (unsigned char code : {'D', 'E', 'F', 'G'}) {
                Bytes b = base;
                PutInt(b, kTestForm, form);
                if (IsKnownForm(form)) {
                    for (int item = 1; item <= ItemCount(form); ++item) {
                        if (!IsUseItem(form, item)) continue;
                        b[kResponses + static_cast<std::size_t>(ResponseIndex(0, item))] = code;
                        b[kResponses + static_cast<std::size_t>(ResponseIndex(1, item))] = code;
                    }
                }
                Add("form" + std::to_string(form) + "-use" + std::string(1, char(code)), b);
            }
        }
    }

    // Random damage after a good signature: a few bytes, a run, or the whole record.
    void Random(const Bytes& base, int count) {
        std::mt19937 random(20240611u);
        std::uniform_int_distribution<std::size_t> offset(6, kClientRecordSize - 1);
        std::uniform_int_distribution<int> byte(0, 255);
        for (int i = 0; i < count; ++i) {
            Bytes b = base;
            const int kind = i % 3;
            if (kind == 0) {
                for (int k = 0; k < 8; ++k)
                    b[offset(random)] = static_cast<unsigned char>(byte(random));
            } else if (kind == 1) {
                const std::size_t start = offset(random);
                const std::size_t end =
                    std::min(kClientRecordSize, start + 1 + offset(random) % 64);
                for (std::size_t k = start; k < end; ++k)
                    b[k] = static_cast<unsigned char>(byte(random));
            } else {
                for (std::size_t k = 6; k < kClientRecordSize; ++k)
                    b[k] = static_cast<unsigned char>(byte(random));
            }
            Add("random", b);
        }
    }
};

}  // namespace

std::vector<DamagedClient> DamagedClients() {
    const Bytes base = Image(BaseClient());
    Generator g;
    g.ShortAndLong(base);
    g.Signatures(base);
    g.Numbers(base);
    g.Texts(base);
    g.Answers(base);
    g.Random(base, 2500);
    return std::move(g.files);
}

}  // namespace kivo::test
