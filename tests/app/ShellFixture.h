// The real main window started in a fresh folder with scripted dialogs: the base of every test
// that drives the program as a user does.
#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QRect>
#include <QString>
#include <QWidget>
#include <memory>
#include <string>

#include "app/FileNames.h"
#include "app/MainWindow.h"
#include "app/Windows.h"
#include "model/ClientFile.h"
#include "model/Session.h"
#include "shell/ErrorBox.h"
#include "shell/FileModified.h"
#include "tests/support/ClientBuilder.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempDir.h"

namespace kivo::test {

// The real main window with every page, started in a fresh folder (its start-up folder)
// with scripted dialogs.
class ShellTest : public ::testing::Test {
protected:
    void SetUp() override {
        previousFolder_ = QDir::currentPath();
        QDir::setCurrent(QString::fromStdString(folder_.path().string()));
        // The user's configuration folder (where KIVO.INI goes when the start-up folder
        // holds none) is the test's own.
        qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(config_.path().string()));
        InstallDialogs(std::make_unique<ScriptedDialogs>(script_));
        ClearFileModified();
    }

    void TearDown() override {
        main_.reset();
        InstallDialogs(nullptr);
        QDir::setCurrent(previousFolder_);
        qputenv("XDG_CONFIG_HOME", previousConfig_);
        if (previousConfig_.isEmpty()) qunsetenv("XDG_CONFIG_HOME");
    }

    // Creates the windows and shows the main window (its first show runs). The offscreen
    // screen is 800 x 600, smaller than the window; unless a test gives a screen of its own,
    // the window stands on a large one, where it keeps its designed size.
    MainWindow& Start(const QString& commandLine = {}, QRect available = kLargeScreen) {
        main_ = CreateWindows(commandLine);
        main_->FitToScreen(available, available);
        main_->show();
        return *main_;
    }

    static constexpr QRect kLargeScreen{0, 0, 1920, 1080};

    QString Path(const std::string& name) const {
        return QString::fromStdString((folder_.path() / name).string());
    }
    QString Folder() const { return QString::fromStdString(folder_.path().string()) + "/"; }
    // KIVO.INI in the user's configuration folder.
    QString UserSettings() const {
        return QString::fromStdString((config_.path() / "kivo" / "KIVO.INI").string());
    }

    // Delivers posted events (ModifiedNotice among them).
    static void Flush() { QCoreApplication::processEvents(); }

    // Marks the client modified as a page would, and lets the notice arrive.
    static void Modify() {
        RaiseFileModified();
        Flush();
    }

    // The pages of the running window.
    const WindowPages& Pages() const { return main_->Pages(); }

    template <typename T>
    T* Find(const char* name) const {
        return main_->findChild<T*>(QString::fromLatin1(name));
    }

    TempDir folder_;
    TempDir config_;
    const QByteArray previousConfig_ = qgetenv("XDG_CONFIG_HOME");
    std::shared_ptr<DialogScript> script_ = std::make_shared<DialogScript>();
    std::unique_ptr<MainWindow> main_;

private:
    QString previousFolder_;
};

// The unsaved-changes question New, Load, Open Recent, a drop, a hand-over and closing ask.
inline const QString kUnsaved =
    "You have unsaved changes in the current file.  Would you like to save before continuing?";

// The last name of the open client.
inline std::string LastName() {
    return ReadTextField(gClientRecord.LastName);
}

// Writes a client file whose last name is `lastName`.
inline void WriteClient(const QString& path, const char* lastName) {
    WriteClientFile(ToFsPath(path), ClientBuilder().Name(lastName).Build());
}

}  // namespace kivo::test
