// A page of the main window: the handlers of its controls and their state. The window composes the
// pages; each page finds its controls once, right after they are built, into typed per-channel
// structs, and reaches the window's own state (model, refresh flag, graphs) through the window.
#pragma once

#include "framework/Control.h"

#include <QString>

namespace app
{

class TfmMain;

// Resolves controls by name. The first name that is missing (or of another type) is kept: the
// window stops its creation there and reports that name.
class TControlBinder
{
  public:
    explicit TControlBinder(fw::TForm& form) : FForm(form) {}

    template <class T> void Bind(T*& slot, const QString& name)
    {
        slot = FForm.Find<T>(name);
        if (!slot && FMissing.isEmpty())
            FMissing = name;
    }
    bool Complete() const { return FMissing.isEmpty(); }
    const QString& Missing() const { return FMissing; }

  private:
    fw::TForm& FForm;
    QString FMissing;
};

class TPage
{
  public:
    explicit TPage(TfmMain& main) : FMain(main) {}
    virtual ~TPage() = default;
    TPage(const TPage&) = delete;
    TPage& operator=(const TPage&) = delete;

    // Finds the page's controls (after the controls are built, before any handler is wired).
    virtual void Bind(TControlBinder& b) = 0;
    // Wires the handlers to the bound controls.
    virtual void Connect() = 0;

  protected:
    TfmMain& FMain;
};

} // namespace app
