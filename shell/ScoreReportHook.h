// The Print Scores hook, so that the score pages can open the report's preview without
// depending on the printing library.
#pragma once

#include <functional>

namespace kivo {

// The preview of the printed score report, set by the printing side at start-up so that the
// pages need not depend on it. Empty until then.
inline std::function<void()>& ScoreReportPreviewHook() {
    static std::function<void()> hook;
    return hook;
}

// Opens the score report's preview through the hook; does nothing while the hook is empty.
inline void PreviewScoreReport() {
    if (const auto& hook = ScoreReportPreviewHook()) hook();
}

}  // namespace kivo
