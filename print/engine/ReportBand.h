// A band of a report: a strip of the page with its elements, and the event that runs before
// it is laid out.
#pragma once

#include <QColor>
#include <functional>
#include <memory>
#include <vector>

#include "print/engine/ReportElements.h"

namespace kivo::report {

enum class BandKind { PageHeader, Detail, PageFooter };

// A band's height and width in tenths of a millimetre.
struct BandSize {
    double height = 0.0;
    double width = 0.0;
};

class ReportBand {
public:
    explicit ReportBand(BandKind kind) : Kind(kind) {}
    ReportBand(const ReportBand&) = delete;
    ReportBand& operator=(const ReportBand&) = delete;

    // Adds an element of kind T to the band; the band owns it.
    template <typename T>
    T& Add() {
        auto element = std::make_unique<T>(*this);
        T& ref = *element;
        elements_.push_back(std::move(element));
        return ref;
    }

    const std::vector<std::unique_ptr<ReportElement>>& Elements() const { return elements_; }

    // Runs before the band is laid out; clearing `printBand` skips the band.
    std::function<void(ReportBand& sender, bool& printBand)> BeforePrint;

    BandKind Kind;
    BandSize Size;
    QColor Color = Qt::white;
    bool TransparentBand = false;
    bool AlignToBottom = false;
    bool ForceNewPage = false;
    bool Enabled = true;

private:
    std::vector<std::unique_ptr<ReportElement>> elements_;
};

}  // namespace kivo::report
