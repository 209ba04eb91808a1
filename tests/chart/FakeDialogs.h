// A dialog service for tests: answers the colour, font and file dialogs with what the test put in
// and records what they were asked. Installed for its lifetime.
#pragma once

#include "chart/editor/EditorDialogs.h"

#include <vector>

namespace charttest
{

using chart::TcDialogService;
using chart::TcFileDialogAnswer;
using chart::TcFileDialogRequest;
using chart::TColor;

// Answers the dialogs with what the test put in; records what they were asked.
class FakeDialogs : public TcDialogService
{
  public:
    FakeDialogs() { chart::SetDialogService(this); }
    ~FakeDialogs() override { chart::SetDialogService(nullptr); }
    bool PickColor(QWidget*, TColor& Color) override
    {
        ++Shown;
        if (Confirm)
            Color = NextColor;
        return Confirm;
    }
    bool PickFont(QWidget*, fw::TFont& Font) override
    {
        ++Shown;
        if (Confirm)
            Font.SetName(QStringLiteral("Chosen Face"));
        return Confirm;
    }
    bool PickOpenFile(QWidget*, const TcFileDialogRequest& r, TcFileDialogAnswer& a) override
    {
        ++Shown;
        Requests.push_back(r);
        a.Files = Files;
        return Confirm;
    }
    bool PickSaveFile(QWidget*, const TcFileDialogRequest& r, TcFileDialogAnswer& a) override
    {
        ++Shown;
        Requests.push_back(r);
        a.Files = Files;
        a.FilterIndex = FilterIndex;
        return Confirm;
    }
    bool Confirm = true;
    TColor NextColor = fw::clBlue;
    QStringList Files;
    int FilterIndex = 1;
    int Shown = 0;
    std::vector<TcFileDialogRequest> Requests;
};

} // namespace charttest
