// Gallery pages of the chart editor's controls (edits with up-downs, a held up-down, check box,
// radio group, combo box, the owner-drawn list with colour boxes, colour pickers, the picker
// buttons, a group box and a paint box, each enabled and disabled) and of the value converter on
// each of its pages, also for a value beyond the calendar.
#include "Gallery.h"

#include "chart/editor/EditorControls.h"
#include "chart/editor/ValueConverter.h"

#include <QPalette>

using namespace chart;

namespace
{

std::unique_ptr<QWidget> EditorPage(int w, int h)
{
    auto page = std::make_unique<TcCustomEditorForm>();
    page->resize(w, h);
    QPalette pal = page->palette();
    pal.setColor(QPalette::Window, fw::ToQColor(fw::clBtnFace));
    page->setPalette(pal);
    page->setAutoFillBackground(true);
    return page;
}

TcUpDown* EditWithUpDown(QWidget* p, int x, int y, int value, int max)
{
    auto* e = new TcComponentEditorEdit(p);
    e->setGeometry(x, y, 60, 21);
    e->SetAsInteger(value);
    auto* ud = new TcUpDown(p);
    ud->SetMax(std::int16_t(max));
    ud->SetAssociate(e);
    return ud;
}

const gallery::GalleryPage controls(
    QStringLiteral("chart-editor-controls"),
    [] {
        auto page = EditorPage(560, 400);
        QWidget* p = page.get();
        gallery::Caption(p, 10, 4, QStringLiteral("edit + up-down / up pressed / disabled"));
        EditWithUpDown(p, 10, 20, 12, 23);
        EditWithUpDown(p, 100, 20, 5, 23)->setObjectName(QStringLiteral("held"));
        EditWithUpDown(p, 190, 20, 7, 23)->Disable();
        gallery::Caption(p, 10, 50, QStringLiteral("check boxes, radio group"));
        auto* box = new TcComponentEditorCheckBox(p);
        box->SetBounds(10, 66, 110, 17);
        box->SetCaption(QStringLiteral("Visible"));
        box->SetAsBoolean(true);
        auto* boxOff = new TcComponentEditorCheckBox(p);
        boxOff->SetBounds(10, 88, 110, 17);
        boxOff->SetCaption(QStringLiteral("Disabled"));
        boxOff->Disable();
        auto* group = new TcComponentEditorRadioGroup(p);
        group->SetBounds(130, 62, 120, 60);
        group->SetCaption(QStringLiteral("Style"));
        group->SetItems({QStringLiteral("Line"), QStringLiteral("Bar")});
        group->SetAsInteger(1);
        gallery::Caption(p, 270, 50, QStringLiteral("combo box / disabled"));
        auto* combo = new TcComponentEditorComboBox(p);
        combo->move(270, 66);
        combo->SetItems({QStringLiteral("Solid"), QStringLiteral("Dash"), QStringLiteral("Dot")});
        combo->SetAsInteger(1);
        auto* comboOff = new TcComponentEditorComboBox(p);
        comboOff->move(270, 92);
        comboOff->SetItems({QStringLiteral("Solid")});
        comboOff->Disable();
        gallery::Caption(p, 10, 120, QStringLiteral("list box: row 1 selected,\nrow 2 without a box"));
        auto* list = new TcComponentEditorListBox(p);
        list->setGeometry(10, 146, 170, 96);
        for (const char* t : {"Channel 1", "Channel 2", "Channel 3", "Channel 4"})
            list->AddObject(QString::fromLatin1(t), nullptr);
        list->OnGetData = [](TcComponentEditorListBox*, int i, bool& boxOn, TColor& c, QString&) {
            const TColor colours[] = {fw::clRed, fw::clBlue, fw::clLime, fw::clYellow};
            c = colours[i % 4];
            boxOn = i != 2;
        };
        list->SetItemIndex(1);
        gallery::Caption(p, 200, 130, QStringLiteral("colour pickers / disabled"));
        auto* colour = new TcComponentEditorColorPicker(p);
        colour->SetBounds(200, 146, 60, 21);
        colour->SetColor(fw::clNavy);
        auto* colourOff = new TcComponentEditorColorPicker(p);
        colourOff->SetBounds(270, 146, 60, 21);
        colourOff->Disable();
        gallery::Caption(p, 200, 176, QStringLiteral("font, open, save pickers; converter"));
        auto* font = new TcComponentEditorFontPicker(p);
        font->move(200, 192);
        auto* open = new TcComponentEditorOpenPicker(p);
        open->move(280, 192);
        auto* save = new TcComponentEditorSavePicker(p);
        save->move(360, 192);
        auto* value = new TcComponentEditorEdit(p);
        value->setGeometry(200, 224, 100, 21);
        value->SetAsFloat(45000.75);
        auto* vc = new TcComponentEditorValueConverterPicker(p);
        vc->move(300, 224);
        vc->SetAssociate(value);
        auto* groupBox = new TcComponentEditorGroupBox(p);
        groupBox->setTitle(QStringLiteral("Group box"));
        groupBox->setGeometry(10, 256, 250, 120);
        auto* paint = new TcPaintBox(groupBox);
        paint->SetBounds(10, 22, 230, 88);
        paint->OnPaint = [](TcPaintBox* b, fw::TCanvas& c) {
            c.Brush.Color = fw::clWhite;
            c.FillRect(b->ClientRect());
            c.Pen.Color = fw::clTeal;
            c.MoveTo(0, b->Height() - 1);
            c.LineTo(b->Width(), 0);
            c.Brush.Style = fw::bsClear;
            c.TextOut(6, 6, QStringLiteral("paint box"));
        };
        gallery::Caption(p, 280, 256, QStringLiteral("page control"));
        auto* pages = new TcComponentEditorPageControl(p);
        pages->setGeometry(280, 272, 260, 104);
        pages->AddPage(QStringLiteral("General"));
        pages->AddPage(QStringLiteral("Axes"));
        pages->AddPage(QStringLiteral("Legend"));
        return page;
    },
    [](QWidget* page) {
        // Hold the middle up-down's up button.
        gallery::PressAt(page->findChild<TcUpDown*>(QStringLiteral("held")), 7, 3);
    });

void ConverterPage(const char* name, TcValueConverterPageType tab, double value)
{
    gallery::RegisterGalleryPage(QString::fromLatin1(name), [tab, value] {
        auto form = std::make_unique<TcValueConverterEditForm>();
        form->SetValue(value);
        form->SelectPage(tab);
        return std::unique_ptr<QWidget>(std::move(form));
    });
}

const bool converterPages = [] {
    ConverterPage("chart-value-converter-interval", ivcptInterval, 45000.75);
    ConverterPage("chart-value-converter-datetime", ivcptDateTime, 45000.75);
    ConverterPage("chart-value-converter-price", ivcptPrice32nd, 100.515625);
    ConverterPage("chart-value-converter-beyond-calendar", ivcptDateTime, 1e20);
    return true;
}();

} // namespace
