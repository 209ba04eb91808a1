#include "app/dialogs/NameDialogs.h"

#include "app/main/MainLayout.h"
#include "app/main/TfmMain.h"
#include "app/pages/MatrixPage.h"
#include "base/CodePage.h"
#include "controls/panels/SkBmpButton.h"
#include "controls/panels/SkLabel.h"
#include "controls/smooth/RoundEdit.h"
#include "model/LUnitControl.h"
#include "pages/PageRules.h"

namespace app
{

namespace
{

fx::TRoundEdit* NameEdit(QWidget* parent, const QString& name, int x, int y, int w)
{
    auto* e = new fx::TRoundEdit(parent);
    e->SetName(name);
    e->SetBounds(x, y, w, 26);
    e->SetMaxLength(kChannelNameBytes);
    e->Font().SetName(QStringLiteral("Tahoma"));
    e->Font().SetHeight(-13);
    return e;
}

std::string FieldBytes(const NameBytes& f)
{
    std::string s;
    for (uint8_t b : f) {
        if (b == 0)
            break;
        s.push_back(char(b));
    }
    return s;
}

QString FieldText(const NameBytes& f)
{
    return QString::fromStdString(FieldToUtf8(f, CurrentCodePage()));
}

} // namespace

NameBytes ChannelNameBytes(const QString& text)
{
    return ChannelNameField(text, CurrentCodePage());
}

QString ModelChannelName(const TfmMain& main, int ch)
{
    NameBytes f{};
    const auto name = main.Unit()->GetChannelName(ch);
    std::copy(name.begin(), name.end(), f.begin());
    return FieldText(f);
}

void SetChannelName(TfmMain& main, int ch, const NameBytes& name)
{
    main.Matrix().SetChannelName(ch, name);
}

TfmChNameList::TfmChNameList(TfmMain* main) : TDialogForm(main, 360, 246)
{
    Background();
    for (int ch = 0; ch < kChannelCount; ++ch) {
        const bool input = ch < kInputCount;
        const int row = input ? ch : ch - kInputCount;
        const int x = input ? 14 : 184, y = 16 + 30 * row;
        auto* l = Label(QStringLiteral("lbChName") + ChannelTitle(ch), x, y, 46, 26);
        l->SetAutoSize(false);
        l->SetBounds(x, y, 46, 26);
        l->SetAlignment(sk::taLeftJustify);
        l->SetCaption(ChannelTitle(ch));
        Edits[std::size_t(ch)] =
            NameEdit(this, QStringLiteral("edMatrixChName") + ChannelTitle(ch), x + 48, y, 110);
    }
    btnOK = Button(QStringLiteral("btnOK"), 76, 200);
    btnCancel = Button(QStringLiteral("btnCancel"), 198, 200);
    btnOK->OnClick = [this](fw::TControl*) { btnOKClick(); };
    btnCancel->OnClick = [this](fw::TControl*) { Close(); };
    SetKeyButtons(btnOK, btnCancel);
}

void TfmChNameList::FormShow()
{
    for (int ch = 0; ch < kChannelCount; ++ch)
        Edits[std::size_t(ch)]->SetText(ModelChannelName(*FMain, ch));
    setWindowTitle(Text("SID_CH_NAME_LIST"));
    btnOK->SetCaption(Text("SID_SET"));
    btnCancel->SetCaption(Text("SID_EXIT"));
}

void TfmChNameList::btnOKClick()
{
    for (int ch = 0; ch < kChannelCount; ++ch) {
        fx::TRoundEdit* e = Edits[std::size_t(ch)];
        const auto model = FMain->Unit()->GetChannelName(ch);
        NameBytes current{};
        std::copy(model.begin(), model.end(), current.begin());
        if (Utf8ToCodePage(e->Text().toStdString(), CurrentCodePage()) == FieldBytes(current))
            continue;
        // Still the text the model's name shows as: a name the code page cannot show ('?') keeps its
        // bytes rather than going back as the '?'s.
        if (e->Text() == FieldText(current))
            continue;
        const NameBytes name = ChannelNameBytes(e->Text());
        e->SetText(FieldText(name));
        SetChannelName(*FMain, ch, name);
    }
    Close();
}

TfmChannelName::TfmChannelName(TfmMain* main) : TDialogForm(main, 320, 160)
{
    Background();
    lbChannelName = Label(QStringLiteral("lbChannelName"), 16, 12, 288, 24);
    lbChannelName->SetAutoSize(false);
    lbChannelName->SetBounds(16, 12, 288, 24);
    lbChannelName->Font().SetStyle(fw::fsBold);
    lbChannel = Label(QStringLiteral("lbChannel"), 30, 56, 70, 26);
    lbChannel->SetAutoSize(false);
    lbChannel->SetBounds(30, 56, 70, 26);
    lbChannel->SetAlignment(sk::taRightJustify);
    edName = NameEdit(this, QStringLiteral("edName"), 106, 56, 150);
    btnOK = Button(QStringLiteral("btnOK"), 56, 112);
    bnCancel = Button(QStringLiteral("bnCancel"), 178, 112);
    btnOK->OnClick = [this](fw::TControl*) { btnOKClick(); };
    bnCancel->OnClick = [this](fw::TControl*) { Close(); };
    SetKeyButtons(btnOK, bnCancel);
}

void TfmChannelName::FormShow()
{
    setWindowTitle(Text("SID_CH_NAME"));
    lbChannelName->SetCaption(Text("SID_CH_NAME"));
    btnOK->SetCaption(Text("SID_EXIT_OK"));
    bnCancel->SetCaption(Text("SID_EXIT_CANCEL"));
    edName->SetEnabled(true);
    edName->SetFocus();
    edName->InnerEdit()->selectAll();
}

void TfmChannelName::SetChannel(int ch)
{
    FChannel = ch;
    lbChannel->SetCaption(ChannelTitle(ch) + QStringLiteral(" :"));
}

void TfmChannelName::SetNameText(const QString& name)
{
    QString text = name;
    if (text.size() > kChannelNameBytes) {
        text.truncate(kChannelNameBytes + 1);
        while (!text.isEmpty() && (text.back() == u' ' || text.back() == u'\r'))
            text.chop(1);
    }
    edName->SetText(text);
}

void TfmChannelName::btnOKClick()
{
    const NameBytes name = ChannelNameBytes(edName->Text());
    edName->SetText(FieldText(name));
    Close();
    SetChannelName(*FMain, FChannel, name);
}

} // namespace app
