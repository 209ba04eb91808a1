// LMyFFTDrawPhase: the second response-graph class. It is the response graph in every respect but
// one: which parameter-text lines a type index gets. UI thread only.
#pragma once

#include "graph/LMyFFTDrawHpLp6dB.h"

namespace graph
{

class LMyFFTDrawPhase : public LMyFFTDrawHpLp6dB
{
  public:
    using LMyFFTDrawHpLp6dB::LMyFFTDrawHpLp6dB;

  protected:
    TParamLines ParamLinesFor(int typeIndex, bool curveDisplay) const override;
};

} // namespace graph
