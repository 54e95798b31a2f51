#pragma once

#include <QWidget>

namespace kivo {

// The printed score report's form.
class TfmKIVOQPrint : public QWidget {
    Q_OBJECT
public:
    explicit TfmKIVOQPrint(QWidget* owner);
    ~TfmKIVOQPrint() override;
};

extern TfmKIVOQPrint* fmKIVOQPrint;

}  // namespace kivo
