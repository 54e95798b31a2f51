#pragma once

#include <QObject>
#include <QString>
#include <memory>

namespace kivo {

class TfmWinMain;

// The program's data module: a container that holds nothing yet.
class TDataModule1 : public QObject {
    Q_OBJECT
public:
    explicit TDataModule1(QObject* owner) : QObject(owner) {
        setObjectName(QStringLiteral("DataModule1"));
    }
};

// Creates every window of the program once, in this order: fmWinMain, fmAboutScreen,
// fmDemographicsScreen, fmConfigureScreen, DataModule1, fmReportScreen, fmQEntry1,
// fmViewScores, fmKIVOQPrint, fmQPrint. The main window owns the others; none is visible.
std::unique_ptr<TfmWinMain> CreateForms(const QString& commandLineArgument);

}  // namespace kivo
