// The window tests' one seam: the frames a window's link session is handed (recorded whether a link
// is open or not), the dialogs shown modally (recorded instead of run), and one window for the test
// program, made by the first suite that asks and deleted after the last test.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <vector>

#include "app/dialogs/SmallDialogs.h"
#include "app/main/TfmMain.h"
#include "proto/LCmd.h"
#include "session/LLinkSession.h"
#include "support/TestApp.h"

namespace testapp
{

// A command as the session was handed it.
struct SentFrame {
    int code;
    std::vector<uint8_t> payload;
    bool noCoalesce = false;
    bool operator==(const SentFrame&) const = default;
};

inline std::ostream& operator<<(std::ostream& os, const SentFrame& s)
{
    os << "{" << s.code << ", [";
    for (uint8_t b : s.payload)
        os << int(b) << " ";
    return os << "], " << (s.noCoalesce ? "appended" : "coalesced") << "}";
}

// Every command handed to the window's session goes into `into` as well.
inline void RecordFrames(app::TfmMain& window, std::vector<SentFrame>& into)
{
    window.Session().OnSend = [&into](const LCmd& c, bool noCoalesce) {
        into.push_back({c.GetCode(), c.GetPayload(), noCoalesce});
    };
}

// Dialogs shown modally go into `into` instead of running a loop; the runner goes with the scope.
class ModalRecorder
{
  public:
    explicit ModalRecorder(std::vector<app::TDialogForm*>& into)
    {
        app::TDialogForm::ModalRunner = [&into](app::TDialogForm* d) { into.push_back(d); };
    }
    ~ModalRecorder() { app::TDialogForm::ModalRunner = nullptr; }
    ModalRecorder(const ModalRecorder&) = delete;
    ModalRecorder& operator=(const ModalRecorder&) = delete;
};

// The fixture of the window suites: one window for the program with its dialogs, its frames in
// `sent` and its modal dialogs in `modal`. A suite that needs something before the window exists
// (a fake clock) sets it up before calling SetUpTestSuite.
class WindowFixture : public ::testing::Test
{
  protected:
    static void SetUpTestSuite()
    {
        if (w)
            return;
        EnsureApp();
        modalRunner = new ModalRecorder(modal);
        w = new app::TfmMain();
        w->CreateDialogs();
        RecordFrames(*w, sent);
        ::testing::AddGlobalTestEnvironment(new Ending);
    }
    static void TearDownTestSuite() {}

    static inline app::TfmMain* w = nullptr;
    static inline std::vector<SentFrame> sent;
    static inline std::vector<app::TDialogForm*> modal;

  private:
    // After the last test: the window goes while the application still runs.
    class Ending : public ::testing::Environment
    {
      public:
        void TearDown() override
        {
            if (w) {
                w->Session().OnSend = nullptr;
                w->SetExitConfirmed(true);
                delete w;
                w = nullptr;
            }
            delete modalRunner;
            modalRunner = nullptr;
        }
    };
    static inline ModalRecorder* modalRunner = nullptr;
};

} // namespace testapp
