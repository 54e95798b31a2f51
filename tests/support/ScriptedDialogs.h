// Dialogs answered from a script instead of a user, so GUI tests never block on a modal window
// and can check every question the program asked.
#pragma once

#include <gtest/gtest.h>

#include <QDialog>
#include <QPrinter>
#include <deque>
#include <memory>
#include <optional>
#include <vector>

#include "shell/DialogSeam.h"

namespace kivo::test {

// One question the program asked.
struct Asked {
    enum Kind { Message, OpenFile, SaveFile, Print, Modal, Input } kind = Message;
    MessageRequest message;   // Message
    FileRequest file;         // OpenFile, SaveFile
    QString modalTitle;       // Modal: the window's title
    QPoint modalPos;          // Modal: where the window was placed
    PrintRequest print = {};  // Print
    InputRequest input = {};  // Input
};

// The answers a test scripts and the questions the program asked, in order. A question
// without a scripted answer fails the test and is answered with Cancel.
struct DialogScript {
    std::deque<DialogButton> buttons;
    std::deque<std::optional<QString>> files;  // nullopt: the dialog is cancelled
    // The filter left chosen in each save dialog that asks for one (SaveFile), in order; when
    // none is scripted the user keeps the filter the dialog showed first.
    std::deque<QString> saveFilters;
    std::deque<int> printCopies;                // 0: the print dialog is cancelled
    std::deque<std::optional<QString>> inputs;  // nullopt: the input box is cancelled
    std::vector<Asked> asked;

    std::vector<QString> MessageTexts() const {
        std::vector<QString> texts;
        for (const Asked& a : asked) {
            if (a.kind == Asked::Message) texts.push_back(a.message.text);
        }
        return texts;
    }
};

class ScriptedDialogs final : public DialogSeam {
public:
    explicit ScriptedDialogs(std::shared_ptr<DialogScript> script) : script_(std::move(script)) {}

    DialogButton Message(const MessageRequest& request) override {
        script_->asked.push_back({Asked::Message, request, {}, {}, {}});
        if (script_->buttons.empty()) {
            ADD_FAILURE() << "unscripted message: " << request.text.toStdString();
            return DialogButton::Cancel;
        }
        const DialogButton answer = script_->buttons.front();
        script_->buttons.pop_front();
        return answer;
    }
    std::optional<QString> OpenFileName(const FileRequest& request) override {
        return File(Asked::OpenFile, request);
    }
    std::optional<QString> SaveFileName(const FileRequest& request) override {
        return File(Asked::SaveFile, request);
    }
    std::optional<FileChoice> SaveFile(const FileRequest& request) override {
        QString filter = FirstFilterShown(request);
        if (!script_->saveFilters.empty()) {
            filter = script_->saveFilters.front();
            script_->saveFilters.pop_front();
        }
        const auto path = File(Asked::SaveFile, request);
        if (!path) return std::nullopt;
        return FileChoice{*path, filter};
    }
    bool Print(const PrintRequest& request, QPrinter& printer) override {
        Asked a;
        a.kind = Asked::Print;
        a.print = request;
        script_->asked.push_back(a);
        if (script_->printCopies.empty()) {
            ADD_FAILURE() << "unscripted print dialog";
            return false;
        }
        const int copies = script_->printCopies.front();
        script_->printCopies.pop_front();
        if (copies > 0) printer.setCopyCount(copies);
        return copies > 0;
    }
    std::optional<QString> InputText(const InputRequest& request) override {
        Asked a;
        a.kind = Asked::Input;
        a.input = request;
        script_->asked.push_back(a);
        if (script_->inputs.empty()) {
            ADD_FAILURE() << "unscripted input box: " << request.title.toStdString();
            return std::nullopt;
        }
        auto answer = script_->inputs.front();
        script_->inputs.pop_front();
        return answer;
    }
    int RunModal(QDialog& dialog) override {
        script_->asked.push_back({Asked::Modal, {}, {}, dialog.windowTitle(), dialog.pos()});
        return QDialog::Accepted;
    }

private:
    std::optional<QString> File(Asked::Kind kind, const FileRequest& request) {
        script_->asked.push_back({kind, {}, request, {}, {}});
        if (script_->files.empty()) {
            ADD_FAILURE() << "unscripted file dialog: " << request.title.toStdString();
            return std::nullopt;
        }
        auto answer = script_->files.front();
        script_->files.pop_front();
        return answer;
    }

    std::shared_ptr<DialogScript> script_;
};

}  // namespace kivo::test
