#include "scripted_dialogs.h"

#include <gtest/gtest.h>

std::vector<std::string> ScriptedDialogs::Messages() const
{
    std::vector<std::string> texts;
    for (const Event& e : events_)
        if (e.kind == Kind::Information || e.kind == Kind::Error || e.kind == Kind::YesNo
            || e.kind == Kind::ConfirmOk || e.kind == Kind::ConfirmDefaultNo)
            texts.push_back(e.text);
    return texts;
}

int ScriptedDialogs::Beeps() const
{
    int n = 0;
    for (const Event& e : events_)
        n += e.kind == Kind::Beep;
    return n;
}

std::vector<std::string> ScriptedDialogs::Log() const
{
    std::vector<std::string> lines;
    for (const Event& e : events_) {
        switch (e.kind) {
        case Kind::Beep: lines.push_back("beep"); break;
        case Kind::Information: lines.push_back("info:" + e.text); break;
        case Kind::Error: lines.push_back("error:" + e.text); break;
        case Kind::YesNo: lines.push_back("yesno:" + e.text); break;
        case Kind::ConfirmOk: lines.push_back("confirm:" + e.text); break;
        case Kind::ConfirmDefaultNo: lines.push_back("confirm-no-first:" + e.text); break;
        case Kind::OpenFile: lines.push_back("open:" + e.text); break;
        case Kind::SaveFile: lines.push_back("save:" + e.text); break;
        }
    }
    return lines;
}

void ScriptedDialogs::Beep() { events_.push_back({Kind::Beep, {}}); }
void ScriptedDialogs::Information(const std::string& text) { events_.push_back({Kind::Information, text}); }
void ScriptedDialogs::Error(const std::string& text) { events_.push_back({Kind::Error, text}); }

Answer ScriptedDialogs::AskYesNo(const std::string& text)
{
    events_.push_back({Kind::YesNo, text});
    if (yesNo_.empty()) {
        ADD_FAILURE() << "unexpected Yes/No question: " << text;
        return Answer::No;
    }
    Answer a = yesNo_.front();
    yesNo_.pop_front();
    return a;
}

bool ScriptedDialogs::ConfirmOkDefaultNo(const std::string& text) { return Confirm(Kind::ConfirmDefaultNo, text); }
bool ScriptedDialogs::ConfirmOk(const std::string& text) { return Confirm(Kind::ConfirmOk, text); }

bool ScriptedDialogs::Confirm(Kind kind, const std::string& text)
{
    events_.push_back({kind, text});
    if (confirm_.empty()) {
        ADD_FAILURE() << "unexpected confirmation: " << text;
        return false;
    }
    bool ok = confirm_.front();
    confirm_.pop_front();
    return ok;
}

std::optional<std::string> ScriptedDialogs::OpenFileName(const FileDialogRequest& request)
{
    events_.push_back({Kind::OpenFile, request.Filter});
    requests_.push_back(request);
    if (open_.empty()) {
        ADD_FAILURE() << "unexpected open dialog: " << request.Filter;
        return std::nullopt;
    }
    auto path = open_.front();
    open_.pop_front();
    return path;
}

std::optional<std::string> ScriptedDialogs::SaveFileName(const FileDialogRequest& request)
{
    events_.push_back({Kind::SaveFile, request.Filter});
    requests_.push_back(request);
    if (save_.empty()) {
        ADD_FAILURE() << "unexpected save dialog: " << request.Filter;
        return std::nullopt;
    }
    auto path = save_.front();
    save_.pop_front();
    return path;
}
