// The chart object kinds that the managers create: toolbar, legend, table, data view, data cursor
// and label have their own classes; limit and annotation carry only the settings their managers give
// a new object until their own classes come.
#pragma once

#include "chart/objects/PlotDataCursor.h"
#include "chart/objects/PlotDataView.h"
#include "chart/objects/PlotLabel.h"
#include "chart/objects/PlotLegend.h"
#include "chart/objects/PlotObject.h"
#include "chart/objects/PlotTable.h"
#include "chart/objects/PlotToolBar.h"

namespace chart
{

class TcPlotLimit : public TcPlotManagerObject
{
  public:
    using TcPlotManagerObject::TcPlotManagerObject;
    const QString& XAxisName() const { return FXAxisName; }
    void SetXAxisName(const QString& v) { SetStringValue(v, FXAxisName, &TcPlotObject::DoChange); }
    const QString& YAxisName() const { return FYAxisName; }
    void SetYAxisName(const QString& v) { SetStringValue(v, FYAxisName, &TcPlotObject::DoChange); }

  private:
    QString FXAxisName;
    QString FYAxisName;
};

class TcPlotAnnotation : public TcPlotManagerObject
{
  public:
    using TcPlotManagerObject::TcPlotManagerObject;
};

} // namespace chart
