// The damaged client files of the hardening sweep: every kind of damage a client file can
// carry, made in memory so the sweep needs no stored corpus.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace kivo::test {

// One damaged client file: a name saying what was done to it and its bytes.
struct DamagedClient {
    std::string name;
    std::vector<unsigned char> bytes;
    // True when the reader must refuse it (shorter than a record or without the signature).
    bool refused = false;
};

// A few thousand client files with every kind of damage, the same every run: short, long,
// no signature, forms and experiences outside their range, text fields without a NUL or
// with bytes above 0x7F, odd answer codes, use items answered 'F' and 'G', and seeded random
// byte damage after a good signature.
std::vector<DamagedClient> DamagedClients();

}  // namespace kivo::test
