#include "graph/LMyFFTDrawPhase.h"

namespace graph
{

TParamLines LMyFFTDrawPhase::ParamLinesFor(int typeIndex, bool curveDisplay) const
{
    return ParamLinesPhase(typeIndex, curveDisplay);
}

} // namespace graph
