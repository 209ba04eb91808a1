// The message of the chart error a call raises, or "<no error>".
#pragma once

#include "chart/core/ChartError.h"

namespace charttest
{

template <class F> QString ErrorOf(F f)
{
    try {
        f();
    } catch (const chart::EChartError& e) {
        return e.Message();
    }
    return QStringLiteral("<no error>");
}

} // namespace charttest
