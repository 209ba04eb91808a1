// The chart object kinds that the managers create: toolbar, legend, data view, data cursor, label,
// limit and annotation have their own classes; the table carries only the settings its manager
// gives a new object until its own class comes.
#pragma once

#include "chart/objects/PlotAnnotation.h"
#include "chart/objects/PlotDataCursor.h"
#include "chart/objects/PlotDataView.h"
#include "chart/objects/PlotLabel.h"
#include "chart/objects/PlotLegend.h"
#include "chart/objects/PlotLimit.h"
#include "chart/objects/PlotObject.h"
#include "chart/objects/PlotToolBar.h"

namespace chart
{

class TcPlotTable : public TcPlotLayoutObject
{
  public:
    using TcPlotLayoutObject::TcPlotLayoutObject;
    void NotificationSetFocus(TcPlotObject* AObject) override
    {
        if (AObject != this && AObject->UserSelected())
            SetUserSelected(false);
    }
};

} // namespace chart
