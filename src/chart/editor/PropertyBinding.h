// Binds editor controls to the published properties of one object, through the object's property
// table (dotted paths such as "Font.Color" reach nested objects). Refresh fills every bound control
// silently from the object; a user's change is written back through the table at once, and a value
// the table refuses is reported and the control shows the property's value again.
// UI thread; the bindings live as long as their owner (usually an editor page), the controls are
// owned by their Qt parent and dropped from the bindings when destroyed.
#pragma once

#include "chart/core/PropertyText.h"
#include "chart/editor/EditorControls.h"

#include <QPointer>
#include <vector>

namespace chart
{

// The entry at a dotted path (letter case ignored) and the object that holds it; nullptr when
// nothing matches.
const TPropertyInfo* FindPropertyByPath(TPersistent& Instance, const QString& Path, TPersistent*& Holder);
// The value's text as the property files write it (an ordinal as its number); empty when the path
// names no value.
QString GetPropertyText(TPersistent& Instance, const QString& Path);

class TcPropertyBindings
{
  public:
    TcPropertyBindings() = default;
    TcPropertyBindings(const TcPropertyBindings&) = delete;
    TcPropertyBindings& operator=(const TcPropertyBindings&) = delete;

    // The object every binding reads and writes (nullptr disables the bound controls); refreshes.
    void SetObject(TPersistent* Object);
    TPersistent* Object() const { return FObject; }

    // The edit shows the value's text (an ordinal as its number) and commits it on OnUpdate.
    void Edit(TcComponentEditorEdit* Control, const QString& Path);
    void CheckBox(TcComponentEditorCheckBox* Control, const QString& Path);
    // An ordinal's value is the item index; a string property's value is the item text.
    void ComboBox(TcComponentEditorComboBox* Control, const QString& Path);
    void RadioGroup(TcComponentEditorRadioGroup* Control, const QString& Path);
    void ColorPicker(TcComponentEditorColorPicker* Control, const QString& Path);
    // A font property (an object held by the path): the picker's choice is copied into it.
    void FontPicker(TcComponentEditorFontPicker* Control, const QString& Path);

    void Refresh();

    // After a value was written (for a repaint of the chart).
    std::function<void(const QString& Path)> OnApplied;
    // A value the table refused, with the reason; the control shows the property's value again.
    std::function<void(const QString& Path, const QString& Error)> OnRefused;

  private:
    struct Binding {
        QPointer<QWidget> Control;
        QString Path;
        std::function<void()> Fill;
    };
    void Add(QWidget* Control, const QString& Path, std::function<void()> Fill);
    // Writes Text through the table; true when stored.
    bool Write(const QString& Path, const QString& Text);
    TPersistent* FObject = nullptr;
    std::vector<Binding> FBindings;
};

} // namespace chart
