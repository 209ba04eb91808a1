// The device dialogs the main window holds: presets, channel link and copy, panel lock, channel names.
// Created once with the window's handlers; owned by TfmMain. UI thread only.
#pragma once

#include "app/dialogs/LinkDialogs.h"
#include "app/dialogs/LockDialogs.h"
#include "app/dialogs/NameDialogs.h"
#include "app/dialogs/PresetDialogs.h"

#include <memory>

namespace app
{

struct TDeviceDialogs {
    // `linkSel`: the link dialog when it was built before the others (the main window's link state).
    explicit TDeviceDialogs(TfmMain* main, std::shared_ptr<TfmLinkSel> linkSel = nullptr)
        : fmStoreName(std::make_unique<TfmStoreName>(main)),
          fmStorePreset(std::make_unique<TfmPresetList>(main, false, fmStoreName.get())),
          fmRecallPreset(std::make_unique<TfmPresetList>(main, true, fmStoreName.get())),
          fmLinkSel(linkSel ? std::move(linkSel) : std::make_shared<TfmLinkSel>(main)),
          fmCopy(std::make_unique<TfmCopy>(main)), fmLockPassWord(std::make_unique<TfmLockPassWord>(main)),
          fmLockSetup(std::make_unique<TfmLockSetup>(main)),
          fmChNameList(std::make_unique<TfmChNameList>(main)),
          fmChannelName(std::make_unique<TfmChannelName>(main))
    {
        fmStoreName->SetLists(fmStorePreset.get(), fmRecallPreset.get());
    }
    std::unique_ptr<TfmStoreName> fmStoreName;
    std::unique_ptr<TfmPresetList> fmStorePreset;
    std::unique_ptr<TfmPresetList> fmRecallPreset;
    std::shared_ptr<TfmLinkSel> fmLinkSel;
    std::unique_ptr<TfmCopy> fmCopy;
    std::unique_ptr<TfmLockPassWord> fmLockPassWord;
    std::unique_ptr<TfmLockSetup> fmLockSetup;
    std::unique_ptr<TfmChNameList> fmChNameList;
    std::unique_ptr<TfmChannelName> fmChannelName;
};

} // namespace app
