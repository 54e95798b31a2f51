#pragma once

#include <QWidget>
#include <memory>

namespace kivo {

namespace print {
class ScoreReport;
}

// The printed score report's form: it holds the report and opens its preview. The form
// itself is never shown.
class TfmKIVOQPrint : public QWidget {
    Q_OBJECT
public:
    explicit TfmKIVOQPrint(QWidget* owner);
    ~TfmKIVOQPrint() override;

    print::ScoreReport& ScoreReport() { return *scoreReport_; }

    // Opens the preview of the score report for the open client; returns when it closes.
    void Preview();

private:
    std::unique_ptr<print::ScoreReport> scoreReport_;
};

extern TfmKIVOQPrint* fmKIVOQPrint;

}  // namespace kivo
