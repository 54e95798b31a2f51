// Score tables, norms and lookups on recorded canvas calls, shared by the drawing tests so each
// states only the coordinates it checks.
#pragma once

#include <algorithm>
#include <vector>

#include "canvas/RecordingCanvas.h"
#include "model/Scoring.h"

namespace kivo::drawing::testing {

using canvas::CanvasCall;
using canvas::CanvasOp;
using canvas::Point;

// Both conditions valid with the given scores in scoring order.
inline SubscaleScoreTable ValidScores(std::array<float, kSubscaleCount> c1,
                                      std::array<float, kSubscaleCount> c2) {
    SubscaleScoreTable table{};
    for (std::size_t s = 0; s < kSubscaleCount; ++s) {
        table[0][s] = {c1[s], 0, 1};
        table[1][s] = {c2[s], 0, 1};
    }
    return table;
}

// Norms that sit exactly on whole scale points: bar 2..6, box 3..5.
inline NormTableType WholeNorms() {
    NormTableType norms{};
    norms.fill({2.0f, 3.0f, 5.0f, 6.0f});
    return norms;
}

// The first points of every recorded call of one kind.
inline std::vector<std::vector<Point>> PointsOf(const canvas::RecordingCanvas& canvas,
                                                CanvasOp op) {
    std::vector<std::vector<Point>> result;
    for (const CanvasCall& call : canvas.CallsOf(op)) result.push_back(call.Points);
    return result;
}

// The top-left of the TextOut that wrote `text`, or {-1, -1}.
inline Point TextAt(const canvas::RecordingCanvas& canvas, const std::string& text) {
    for (const CanvasCall& call : canvas.CallsOf(CanvasOp::TextOut)) {
        if (call.Text == text) return call.Points.front();
    }
    return {-1, -1};
}

// All TextOut positions of one text, in drawing order.
inline std::vector<Point> AllTextAt(const canvas::RecordingCanvas& canvas,
                                    const std::string& text) {
    std::vector<Point> result;
    for (const CanvasCall& call : canvas.CallsOf(CanvasOp::TextOut)) {
        if (call.Text == text) result.push_back(call.Points.front());
    }
    return result;
}

}  // namespace kivo::drawing::testing
