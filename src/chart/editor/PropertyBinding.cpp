#include "chart/editor/PropertyBinding.h"

#include "framework/Fonts.h"

namespace chart
{

const TPropertyInfo* FindPropertyByPath(TPersistent& Instance, const QString& Path, TPersistent*& Holder)
{
    const int dot = Path.indexOf(QLatin1Char('.'));
    const TPropertyInfo* p =
        Instance.PropertyTable().Find(QStringView(Path).left(dot < 0 ? Path.size() : dot));
    if (!p)
        return nullptr;
    if (dot < 0) {
        Holder = &Instance;
        return p;
    }
    if (p->Kind != TPropertyKind::Object)
        return nullptr;
    TPersistent* child = p->GetObject(Instance);
    return child ? FindPropertyByPath(*child, Path.mid(dot + 1), Holder) : nullptr;
}

QString GetPropertyText(TPersistent& Instance, const QString& Path)
{
    TPersistent* holder = nullptr;
    const TPropertyInfo* p = FindPropertyByPath(Instance, Path, holder);
    if (!p)
        return {};
    switch (p->Kind) {
    case TPropertyKind::Ordinal:
        return QString::number(p->GetOrdinal(*holder));
    case TPropertyKind::Float:
        return FloatToText(p->GetFloat(*holder));
    case TPropertyKind::String:
        return p->GetString(*holder);
    case TPropertyKind::Object:
        break;
    }
    return {};
}

void TcPropertyBindings::SetObject(TPersistent* Object)
{
    FObject = Object;
    Refresh();
}

void TcPropertyBindings::Add(QWidget* Control, const QString& Path, std::function<void()> Fill)
{
    FBindings.push_back({Control, Path, std::move(Fill)});
    FBindings.back().Fill();
}

void TcPropertyBindings::Refresh()
{
    for (const Binding& b : FBindings)
        if (b.Control)
            b.Fill();
}

bool TcPropertyBindings::Write(const QString& Path, const QString& Text)
{
    if (!FObject)
        return false;
    TPersistent* holder = nullptr;
    const TPropertyInfo* p = FindPropertyByPath(*FObject, Path, holder);
    QString error;
    bool ok = p && !p->ReadOnly();
    if (!ok)
        error = QStringLiteral("%1 cannot be changed").arg(Path);
    else
        ok = SetPropertyByPath(*holder, QString(), Text, p->Name, &error);
    if (ok) {
        if (OnApplied)
            OnApplied(Path);
    } else if (OnRefused) {
        OnRefused(Path, error);
    }
    // The control shows what the object holds now (a bounded or refused value).
    for (const Binding& b : FBindings)
        if (b.Control && b.Path.compare(Path, Qt::CaseInsensitive) == 0)
            b.Fill();
    return ok;
}

void TcPropertyBindings::Edit(TcComponentEditorEdit* Control, const QString& Path)
{
    Control->OnUpdate = [this, Path](TcComponentEditorEdit* e) { Write(Path, e->text().trimmed()); };
    Add(Control, Path, [this, Control, Path] {
        if (!FObject)
            return Control->Disable();
        Control->Enable();
        Control->SetAsString(GetPropertyText(*FObject, Path));
    });
}

void TcPropertyBindings::CheckBox(TcComponentEditorCheckBox* Control, const QString& Path)
{
    Control->OnClick = [this, Path](TcComponentEditorCheckBox* c) {
        Write(Path, c->AsBoolean() ? QStringLiteral("True") : QStringLiteral("False"));
    };
    Add(Control, Path, [this, Control, Path] {
        if (!FObject)
            return Control->Disable();
        Control->Enable();
        Control->SetAsBoolean(GetPropertyText(*FObject, Path) == QLatin1String("1"));
    });
}

void TcPropertyBindings::ComboBox(TcComponentEditorComboBox* Control, const QString& Path)
{
    auto isString = [this, Path] {
        TPersistent* holder = nullptr;
        const TPropertyInfo* p = FObject ? FindPropertyByPath(*FObject, Path, holder) : nullptr;
        return p && p->Kind == TPropertyKind::String;
    };
    Control->OnChange = [this, Path, isString](TcComponentEditorComboBox* c) {
        Write(Path, isString() ? c->AsString() : QString::number(c->AsInteger()));
    };
    Add(Control, Path, [this, Control, Path, isString] {
        if (!FObject)
            return Control->Disable();
        Control->Enable();
        const QString v = GetPropertyText(*FObject, Path);
        if (isString())
            Control->SetAsString(v);
        else
            Control->SetAsInteger(v.toInt());
    });
}

void TcPropertyBindings::RadioGroup(TcComponentEditorRadioGroup* Control, const QString& Path)
{
    Control->OnClick = [this, Path](TcComponentEditorRadioGroup* g) {
        Write(Path, QString::number(g->AsInteger()));
    };
    Add(Control, Path, [this, Control, Path] {
        if (!FObject)
            return Control->Disable();
        Control->Enable();
        Control->SetAsInteger(GetPropertyText(*FObject, Path).toInt());
    });
}

void TcPropertyBindings::ColorPicker(TcComponentEditorColorPicker* Control, const QString& Path)
{
    Control->OnChange = [this, Path](TcComponentEditorColorPicker* c) {
        Write(Path, QString::number(qint64(c->Color())));
    };
    Add(Control, Path, [this, Control, Path] {
        if (!FObject)
            return Control->Disable();
        Control->Enable();
        Control->SetColor(TColor(GetPropertyText(*FObject, Path).toLongLong()));
    });
}

void TcPropertyBindings::FontPicker(TcComponentEditorFontPicker* Control, const QString& Path)
{
    auto font = [this, Path]() -> fw::TFont* {
        TPersistent* holder = nullptr;
        const TPropertyInfo* p = FObject ? FindPropertyByPath(*FObject, Path, holder) : nullptr;
        return p && p->Kind == TPropertyKind::Object ? dynamic_cast<fw::TFont*>(p->GetObject(*holder))
                                                     : nullptr;
    };
    // Each of the font's properties goes through the tables, so that the owner hears of the change.
    Control->OnChange = [this, Path](TcComponentEditorFontPicker* f) {
        for (const TPropertyInfo* p : f->Font().PropertyTable().All())
            if (!p->ReadOnly() && p->Kind != TPropertyKind::Object)
                Write(Path + QLatin1Char('.') + p->Name, GetPropertyText(f->Font(), p->Name));
    };
    Add(Control, Path, [Control, font] {
        fw::TFont* f = font();
        Control->setEnabled(f != nullptr);
        if (f)
            Control->SetFont(*f);
    });
}

} // namespace chart
