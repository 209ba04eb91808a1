// The chart object kinds that the managers create and that this part of the library only needs
// to exist: toolbar, legend, table, data view, data cursor, limit, label and annotation. Each
// carries the settings its manager gives a new object; drawing and input come with their own
// classes later.
#pragma once

#include "chart/PlotObject.h"

namespace chart {

class TcPlotToolBar : public TcPlotLayoutObject {
public:
    using TcPlotLayoutObject::TcPlotLayoutObject;
    void NotificationSetFocus(TcPlotObject* AObject) override
    {
        if (AObject != this && AObject->UserSelected())
            SetUserSelected(false);
    }
};

class TcPlotLegend : public TcPlotLayoutObject {
public:
    using TcPlotLayoutObject::TcPlotLayoutObject;
    bool FCursorAllChannels = false;
};

class TcPlotTable : public TcPlotLayoutObject {
public:
    using TcPlotLayoutObject::TcPlotLayoutObject;
    void NotificationSetFocus(TcPlotObject* AObject) override
    {
        if (AObject != this && AObject->UserSelected())
            SetUserSelected(false);
    }
};

class TcPlotDataView : public TcPlotLayoutObject {
public:
    using TcPlotLayoutObject::TcPlotLayoutObject;
    const QString& GridXAxisName() const { return FGridXAxisName; }
    void SetGridXAxisName(const QString& v) { SetStringValue(v, FGridXAxisName, &TcPlotObject::DoChange); }
    const QString& GridYAxisName() const { return FGridYAxisName; }
    void SetGridYAxisName(const QString& v) { SetStringValue(v, FGridYAxisName, &TcPlotObject::DoChange); }
    void NotificationSetFocus(TcPlotObject* AObject) override
    {
        if (AObject != this && AObject->UserSelected())
            SetUserSelected(false);
    }

private:
    QString FGridXAxisName;
    QString FGridYAxisName;
};

class TcPlotLabel : public TcPlotLayoutObject {
public:
    using TcPlotLayoutObject::TcPlotLayoutObject;
    const QString& Caption() const { return FCaption; }
    void SetCaption(const QString& v) { SetStringValue(v, FCaption, &TcPlotObject::DoLayoutChange); }

private:
    QString FCaption;
};

class TcPlotDataCursor : public TcPlotManagerObject {
public:
    using TcPlotManagerObject::TcPlotManagerObject;
    const QString& ChannelName() const { return FChannelName; }
    void SetChannelName(const QString& v) { SetStringValue(v, FChannelName, &TcPlotObject::DoChange); }
    TcPlotDataView* DataView() const { return FDataView; }
    void SetDataView(TcPlotDataView* v) { FDataView = v; }
    void NotificationRemove(TcPlotObject* AObject) override
    {
        if (AObject == FDataView)
            FDataView = nullptr;
    }

private:
    QString FChannelName;
    TcPlotDataView* FDataView = nullptr;
};

class TcPlotLimit : public TcPlotManagerObject {
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

class TcPlotAnnotation : public TcPlotManagerObject {
public:
    using TcPlotManagerObject::TcPlotManagerObject;
};

} // namespace chart
