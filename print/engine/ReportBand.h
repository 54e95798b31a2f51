#pragma once

#include <QColor>
#include <functional>
#include <memory>
#include <vector>

#include "ReportElements.h"

namespace kivo::report {

enum class TBandType { rbPageHeader, rbDetail, rbPageFooter };

// Size.Values of a band: height and width in tenths of a millimetre.
struct BandSize {
    double height = 0.0;
    double width = 0.0;
};

class TReportBand {
public:
    explicit TReportBand(TBandType type) : BandType(type) {}
    TReportBand(const TReportBand&) = delete;
    TReportBand& operator=(const TReportBand&) = delete;

    // Adds an element of kind T to the band; the band owns it.
    template <typename T>
    T& Add() {
        auto element = std::make_unique<T>(*this);
        T& ref = *element;
        elements_.push_back(std::move(element));
        return ref;
    }

    const std::vector<std::unique_ptr<TReportPrintable>>& Elements() const { return elements_; }

    // Runs before the band is laid out; clearing `printBand` skips the band.
    std::function<void(TReportBand& sender, bool& printBand)> BeforePrint;

    TBandType BandType;
    BandSize Size;
    QColor Color = Qt::white;
    bool TransparentBand = false;
    bool AlignToBottom = false;
    bool ForceNewPage = false;
    bool Enabled = true;

private:
    std::vector<std::unique_ptr<TReportPrintable>> elements_;
};

}  // namespace kivo::report
