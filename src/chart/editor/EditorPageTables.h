// The property editor's pages as data: for each page the controls of its sub-pages, each bound to
// one property of the edited object by name (read and written through the object's property
// table). UI thread only.
#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace chart
{

enum class TcEditorFieldKind {
    Edit,      // integer, float or string by the property's kind
    Check,     // boolean
    Combo,     // enumeration: item index = value
    TextCombo, // string with suggestions; any typed text is taken
    NameCombo, // a name chosen among the chart's objects (see TcEditorNameList)
    Radio,     // enumeration: item index = value
    Color,     // colour
    Font,      // nested font, copied both ways
    // Commands, bound to no property: the form gives them their actions by control name.
    Button,   // a plain button
    OpenFile, // an open picker button ("Load")
    SaveFile, // a save picker button ("Save")
};

// The objects a name combo box offers, and the first and last items around them.
enum class TcEditorNameList {
    None,
    XAxes,     // "<None>", the X axes
    YAxes,     // "<None>", the Y axes
    GridXAxes, // "<None>", the X axes, "<All>"
    GridYAxes, // "<None>", the Y axes, "<All>"
    Channels,  // "<All>", the channels
    OtherAxes, // the axes of the other orientation than the page's, after "<None>"
    SameAxes,  // the axes of the page's orientation, after "<None>"
};

// The value converter page a picker beside an edit opens on.
enum class TcEditorConverter { None, Interval, DateTime };

struct TcEditorField {
    QString SubPage;  // "General"; an inner page follows after '|': "Labels|Cursor"
    QString Group;    // group box caption, empty for none
    QString Property; // the object's property name
    TcEditorFieldKind Kind = TcEditorFieldKind::Edit;
    QString Control; // the control's component name
    QString Caption; // check box or group caption, or the label beside the control
    QStringList Items;
    TcEditorNameList Names = TcEditorNameList::None;
    TcEditorConverter Converter = TcEditorConverter::None;
    bool UpDown = false;
    // A file picker: the filter ("desc|pattern|..."), the extension a bare name gets, and whether an
    // edit has an open picker "..." beside it that fills in the chosen file.
    QString Filter;
    QString DefaultExt;
    bool FilePicker = false;
    bool FileMustExist = false;
    // Shown and bound only on a strip chart, whose channels have these properties.
    bool StripOnly = false;
};

struct TcEditorPageTable {
    QString Prefix; // control name prefix: "Channel", "XAxis", ...
    std::vector<TcEditorField> Fields;
};

// The tables of the object pages and of the chart's own page ("Control" prefix, whose fields use
// the chart's property names).
const TcEditorPageTable& ChannelPageTable();
const TcEditorPageTable& XAxisPageTable();
const TcEditorPageTable& YAxisPageTable();
const TcEditorPageTable& LegendPageTable();
const TcEditorPageTable& ToolBarPageTable();
const TcEditorPageTable& DataViewPageTable();
const TcEditorPageTable& DataCursorPageTable();
const TcEditorPageTable& LimitPageTable();
const TcEditorPageTable& LabelPageTable();
const TcEditorPageTable& TablePageTable();
const TcEditorPageTable& ControlPageTable();

} // namespace chart
