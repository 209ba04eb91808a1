// Records every TCanvas drawing call made on this thread while it lives, for tests that check geometry,
// texts and colours without reading pixels.
#pragma once

#include "framework/Canvas.h"

#include <QString>
#include <cstring>
#include <vector>

namespace testsupport
{

class RecordingCanvas : public fw::TCanvasRecorder
{
  public:
    RecordingCanvas() : FScope(*this) {}

    void Record(const fw::TCanvasOp& op) override { Ops.push_back(op); }

    std::vector<fw::TCanvasOp> Named(const char* name) const
    {
        std::vector<fw::TCanvasOp> out;
        for (const auto& op : Ops)
            if (std::strcmp(op.Name, name) == 0)
                out.push_back(op);
        return out;
    }

    // The texts drawn by TextOut and DrawText, in drawing order.
    std::vector<QString> Texts() const
    {
        std::vector<QString> out;
        for (const auto& op : Ops)
            if (std::strcmp(op.Name, "TextOut") == 0 || std::strcmp(op.Name, "DrawText") == 0)
                out.push_back(op.Text);
        return out;
    }

    void Clear() { Ops.clear(); }

    std::vector<fw::TCanvasOp> Ops;

  private:
    fw::TCanvasRecordScope FScope;
};

} // namespace testsupport
