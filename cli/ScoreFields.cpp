// Fixed six-decimal scores without printf's cost per number, and integers, for kivo-cli's
// score tables, and the checked output they go out through.
#include "cli/ScoreFields.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace kivo::cli {

// A float times 10^6 is exact in a double (24 + 20 bits), so rounding it to an integer (ties
// to even, as printf does) gives the correctly rounded digits directly.
char* WriteFixed6(char* p, float value) {
    const double scaled = static_cast<double>(value) * 1e6;
    if (!std::isfinite(scaled) || std::fabs(scaled) >= 9e15) {
        return p + std::snprintf(p, kFixed6Max, "%.6f", static_cast<double>(value));
    }
    const auto micro = static_cast<long long>(std::nearbyint(scaled));
    if (std::signbit(value)) *p++ = '-';
    const auto magnitude = static_cast<unsigned long long>(micro < 0 ? -micro : micro);
    p = std::to_chars(p, p + 24, magnitude / 1000000u).ptr;
    *p++ = '.';
    auto fraction = static_cast<unsigned>(magnitude % 1000000u);
    for (int i = 5; i >= 0; --i) {
        p[i] = static_cast<char>('0' + fraction % 10);
        fraction /= 10;
    }
    return p + 6;
}

void AppendFixed6(std::string& out, float value) {
    char buf[kFixed6Max];
    out.append(buf, WriteFixed6(buf, value));
}

void AppendInt(std::string& out, long long value) {
    char buf[24];
    const auto res = std::to_chars(buf, buf + sizeof buf, value);
    out.append(buf, res.ptr);
}

std::string FlushFailure(std::ostream& out) {
    // The stream keeps no reason of its own: the system's error of the failed write is the
    // last one made.
    errno = 0;
    if (out.flush()) return {};
    return errno != 0 ? std::strerror(errno) : "write error";
}

void TableOutput::WriteAll() {
    if (failure_.empty()) {
        errno = 0;
        if (!out_.write(text.data(), static_cast<std::streamsize>(text.size()))) {
            failure_ = errno != 0 ? std::strerror(errno) : "write error";
        }
    }
    text.clear();
}

void TableOutput::Finish() {
    WriteAll();
    if (failure_.empty()) failure_ = FlushFailure(out_);
}

}  // namespace kivo::cli
