// Reading back what a print job carried: the spooled PDF's words against the paper's edges
// (tests/support/PdfPages.h reads the PDF) and the numbers among the job's IPP attributes.
#pragma once

#include <gtest/gtest.h>

#include <QSizeF>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/PdfPages.h"

namespace kivo::test {

// Every word lies on the paper inside a `margin` of points on each side (half a point of slack
// for the boxes' rounding): the printer's unprintable edge cut none of it.
inline void ExpectWordsInside(const std::vector<PdfWord>& words, QSizeF paper, double margin) {
    for (const PdfWord& w : words) {
        EXPECT_GE(w.box.left(), margin - 0.5) << w.text.toStdString();
        EXPECT_GE(w.box.top(), margin - 0.5) << w.text.toStdString();
        EXPECT_LE(w.box.right(), paper.width() - margin + 0.5) << w.text.toStdString();
        EXPECT_LE(w.box.bottom(), paper.height() - margin + 0.5) << w.text.toStdString();
    }
}

// The value of the integer attribute `name` in a job's stored IPP attributes (tag, name
// length, name, value length 4, big-endian value), or nullopt when the job has none.
inline std::optional<int> IppInteger(const std::string& control, const std::string& name) {
    for (std::size_t at = control.find(name); at != std::string::npos;
         at = control.find(name, at + 1)) {
        if (at < 3) continue;
        const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(control[i]); };
        const bool wholeName = byte(at - 2) * 256u + byte(at - 1) == name.size();
        const std::size_t value = at + name.size();
        if (!wholeName || value + 6 > control.size()) continue;
        if (byte(value) != 0 || byte(value + 1) != 4) continue;
        return static_cast<int>((byte(value + 2) << 24) | (byte(value + 3) << 16) |
                                (byte(value + 4) << 8) | byte(value + 5));
    }
    return std::nullopt;
}

}  // namespace kivo::test
