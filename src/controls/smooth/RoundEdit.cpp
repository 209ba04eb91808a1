#include "controls/smooth/RoundEdit.h"

#include "controls/smooth/GDIPFill.h"

#include <QApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTextLayout>
#include <QToolTip>

namespace fx
{

using namespace fw;

// ---- button items ----

TRoundControl::TRoundControl(TRoundControls* collection) : FCollection(collection)
{
    for (TFxGDIPPicture* p : {&FPicture, &FPictureHover, &FPictureDown})
        p->OnChange = [this](TPictureBytes*) { Changed(); };
}

void TRoundControl::Changed()
{
    if (FCollection)
        FCollection->Update();
}

void TRoundControl::Assign(const TRoundControl& s)
{
    FHint = s.FHint;
    FImageIndex = s.FImageIndex;
    FImageIndexHover = s.FImageIndexHover;
    FImageIndexDown = s.FImageIndexDown;
    FPosition = s.FPosition;
    FDropDown = s.FDropDown;
    Changed();
}

void TRoundControl::SetImageIndex(int v)
{
    if (v == FImageIndex)
        return;
    FImageIndex = v;
    Changed();
}

void TRoundControl::SetDropDown(bool v)
{
    if (v == FDropDown)
        return;
    FDropDown = v;
    Changed();
}

void TRoundControl::SetPosition(TControlPosition v)
{
    if (v == FPosition)
        return;
    FPosition = v;
    Changed();
}

TRoundControl* TRoundControls::Add()
{
    FItems.push_back(std::make_unique<TRoundControl>(this));
    Update();
    return FItems.back().get();
}

TRoundControl* TRoundControls::Insert(int index)
{
    index = std::clamp(index, 0, Count());
    auto it = FItems.insert(FItems.begin() + index, std::make_unique<TRoundControl>(this));
    Update();
    return it->get();
}

void TRoundControls::Delete(int index)
{
    if (index < 0 || index >= Count())
        return;
    FItems.erase(FItems.begin() + index);
    Update();
}

void TRoundControls::Clear()
{
    FItems.clear();
    Update();
}

void TRoundControls::EndUpdate()
{
    if (FUpdateCount > 0)
        --FUpdateCount;
    Update();
}

void TRoundControls::Update()
{
    if (FUpdateCount == 0 && OnChange)
        OnChange();
}

void TRoundControls::Assign(const TRoundControls& s)
{
    if (&s == this)
        return;
    BeginUpdate();
    FItems.clear();
    for (const auto& item : s.FItems)
        Add()->Assign(*item);
    EndUpdate();
}

// ---- panel ----

TRoundPanel::TRoundPanel(QWidget* parent) : TControl(parent)
{
    SetColor(clWindow);
    SetBounds(Left(), Top(), 200, 100);
}

void TRoundPanel::SetRounding(int value)
{
    if (value == FRounding)
        return;
    FRounding = value;
    LayoutContent();
    update();
}

void TRoundPanel::SetBorderColor(TColor value)
{
    if (value == FBorderColor)
        return;
    FBorderColor = value;
    update();
}

void TRoundPanel::Paint(TCanvas& Canvas)
{
    TGDIPFill fill;
    const TColor c = ColorToRGB(Color());
    fill.SetBorderColor(FBorderColor);
    fill.SetRounding(FRounding);
    fill.SetRoundingType(rtBoth);
    fill.SetColor(c);
    fill.SetColorTo(c);
    fill.SetColorMirror(c);
    fill.SetColorMirrorTo(c);
    gp::TGPGraphics g(Canvas.Painter());
    g.SetSmoothingMode(gdip::SmoothingModeAntiAlias);
    fill.Fill(&g, {gp::REAL(FIndentLeft), 0, gp::REAL(Width() - FIndentRight - FIndentLeft - 1),
                   gp::REAL(Height() - 1)});
    if (FShadowColor != clNone) {
        gp::TGPPen pen(gp::OpaqueArgbFromColor(FShadowColor), 1);
        g.DrawLine(&pen, gp::REAL(FRounding + FIndentLeft), 1, gp::REAL(Width() - FRounding - FIndentRight),
                   1);
        if (FRounding > 0)
            g.DrawArc(&pen, gp::REAL(Width() - FRounding - FIndentRight - 3), 1, gp::REAL(FRounding),
                      gp::REAL(FRounding), -90, 90);
    }
}

// ---- panel with buttons ----

TRoundControlPanel::TRoundControlPanel(QWidget* parent) : TRoundPanel(parent)
{
    setMouseTracking(true);
    FRoundControls.OnChange = [this] { RealignControls(); };
}

QSize TRoundControlPanel::ControlSize(const TRoundControl& c) const
{
    auto& item = const_cast<TRoundControl&>(c);
    if (!item.Picture().Empty()) {
        item.Picture().GetImageSizes();
        return {item.Picture().Width() + 2 + (c.DropDown() ? 5 : 0), item.Picture().Height()};
    }
    return {FRoundControls.FImageListImageWidth + 2 + (c.DropDown() ? 5 : 0),
            FRoundControls.FImageListImageHeight};
}

void TRoundControlPanel::CalcSizes()
{
    FRoundControls.FLeftSize = 0;
    FRoundControls.FLeftControlSize = 0;
    FRoundControls.FRightSize = 0;
    FRoundControls.FRightControlSize = 2;
    for (int i = 0; i < FRoundControls.Count(); ++i) {
        const TRoundControl& c = *FRoundControls.Items(i);
        const int w = ControlSize(c).width();
        switch (c.Position()) {
        case cpLeftInControl:
            FRoundControls.FLeftControlSize += w;
            break;
        case cpRightInControl:
            FRoundControls.FRightControlSize += w;
            break;
        case cpLeft:
            FRoundControls.FLeftSize += w;
            break;
        case cpRight:
            FRoundControls.FRightSize += w;
            break;
        }
    }
}

void TRoundControlPanel::RealignControls()
{
    CalcSizes();
    FIndentLeft = FRoundControls.FLeftSize;
    FIndentRight = FRoundControls.FRightSize;
    LayoutContent();
    update();
}

void TRoundControlPanel::SetImages(TCustomImageList* value)
{
    if (FImagesGone)
        QObject::disconnect(FImagesGone);
    FImages = value;
    FRoundControls.FImageListImageWidth = value ? value->Width() : 0;
    FRoundControls.FImageListImageHeight = value ? value->Height() : 0;
    if (value)
        FImagesGone = connect(value, &QObject::destroyed, this, [this] { SetImages(nullptr); });
    RealignControls();
}

int TRoundControlPanel::LayoutControls(gp::TGPGraphics* g, int x, int* matchedLeft, TCanvas* canvas) const
{
    const TRoundControls& rc = FRoundControls;
    int pos[4] = {rc.FLeftSize + FRounding / 2,
                  Width() - rc.FRightSize - rc.FRightControlSize - FRounding / 2, 0,
                  Width() - rc.FRightSize + 2};
    int found = -1;
    for (int i = 0; i < rc.Count(); ++i) {
        TRoundControl& c = *rc.Items(i);
        const QSize size = ControlSize(c);
        const int top = (Height() - size.height()) / 2;
        int& start = pos[c.Position()];
        const int left = start;
        start += size.width();
        if (g) {
            int drawn = 0;
            if (c.Picture().Empty()) {
                int index = c.ImageIndex();
                if (c.State() == csHover && c.ImageIndexHover() >= 0)
                    index = c.ImageIndexHover();
                else if (c.State() == csDown && c.ImageIndexDown() >= 0)
                    index = c.ImageIndexDown();
                if (FImages && index >= 0 && canvas)
                    FImages->Draw(*canvas, left, top, index, true);
                drawn = rc.FImageListImageWidth;
            } else {
                TFxGDIPPicture* pic = &c.Picture();
                if (c.State() == csHover && !c.PictureHover().Empty())
                    pic = &c.PictureHover();
                else if (c.State() == csDown && !c.PictureDown().Empty())
                    pic = &c.PictureDown();
                pic->GetImageSizes();
                pic->GDIPDraw(*g, gp::TGPRectF{gp::REAL(left), gp::REAL(top), gp::REAL(pic->Width()),
                                               gp::REAL(pic->Height())});
                drawn = pic->Width();
            }
            if (c.DropDown()) {
                g->SetSmoothingMode(gdip::SmoothingModeHighQuality);
                gp::TGPSolidBrush black(gp::OpaqueArgb(0, 0, 0));
                const gp::TGPPointF tri[3] = {{gp::REAL(left + drawn), gp::REAL(top + 5)},
                                              {gp::REAL(left + drawn + 6), gp::REAL(top + 5)},
                                              {gp::REAL(left + drawn + 3), gp::REAL(top + 9)}};
                g->FillPolygon(&black, tri, 3);
            }
        } else if (left < x && x < left + size.width()) {
            found = i;
            if (matchedLeft)
                *matchedLeft = left;
        }
    }
    return found;
}

int TRoundControlPanel::ControlAt(int x, int* left) const
{
    return LayoutControls(nullptr, x, left);
}

void TRoundControlPanel::Paint(TCanvas& Canvas)
{
    TRoundPanel::Paint(Canvas);
    gp::TGPGraphics g(Canvas.Painter());
    LayoutControls(&g, 0, nullptr, &Canvas);
}

void TRoundControlPanel::ControlClicked(int Index)
{
    if (OnControlClick)
        OnControlClick(this, Index);
}

void TRoundControlPanel::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    QPointer<TRoundControlPanel> guard(this);
    if (RimFiresEvents())
        TControl::MouseDown(Button, Shift, X, Y);
    if (!guard)
        return;
    int left = 0;
    const int i = ControlAt(X, &left);
    FPressed = i;
    if (i < 0)
        return;
    TRoundControl& c = *FRoundControls.Items(i);
    c.SetState(csDown);
    update();
    if (c.DropDown() && c.PopupMenu())
        c.PopupMenu()->popup(mapToGlobal(QPoint(left, Height() - 3)));
}

void TRoundControlPanel::MouseMove(TShiftState Shift, int X, int Y)
{
    QPointer<TRoundControlPanel> guard(this);
    if (RimFiresEvents())
        TControl::MouseMove(Shift, X, Y);
    if (!guard)
        return;
    const int i = ControlAt(X);
    if (i < 0)
        return;
    bool changed = false;
    for (int k = 0; k < FRoundControls.Count(); ++k) {
        TRoundControl& c = *FRoundControls.Items(k);
        if (k != i && c.State() == csHover) {
            c.SetState(csNormal);
            changed = true;
        }
    }
    if (FRoundControls.Items(i)->State() == csNormal) {
        FRoundControls.Items(i)->SetState(csHover);
        changed = true;
    }
    if (changed)
        update();
}

void TRoundControlPanel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    QPointer<TRoundControlPanel> guard(this);
    if (RimFiresEvents())
        TControl::MouseUp(Button, Shift, X, Y);
    if (!guard)
        return;
    const int i = ControlAt(X);
    const int pressed = FPressed;
    FPressed = -1;
    // Every pressed button comes back up; only the one pressed and released on clicks.
    bool changed = false;
    for (int k = 0; k < FRoundControls.Count(); ++k)
        if (FRoundControls.Items(k)->State() == csDown) {
            FRoundControls.Items(k)->SetState(csNormal);
            changed = true;
        }
    if (changed)
        update();
    if (i >= 0 && i == pressed)
        ControlClicked(i);
}

void TRoundControlPanel::MouseEnter()
{
    if (RimFiresEvents())
        TControl::MouseEnter();
}

void TRoundControlPanel::MouseLeave()
{
    if (RimFiresEvents())
        TControl::MouseLeave();
    bool changed = false;
    for (int k = 0; k < FRoundControls.Count(); ++k)
        if (FRoundControls.Items(k)->State() == csHover) {
            FRoundControls.Items(k)->SetState(csNormal);
            changed = true;
        }
    if (changed)
        update();
}

void TRoundControlPanel::Click()
{
    if (RimFiresEvents())
        TControl::Click();
}

void TRoundControlPanel::DblClick()
{
    if (RimFiresEvents())
        TControl::DblClick();
}

bool TRoundControlPanel::event(QEvent* e)
{
    if (e->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(e);
        const int i = ControlAt(help->pos().x());
        if (i >= 0 && !FRoundControls.Items(i)->Hint().isEmpty()) {
            QToolTip::showText(help->globalPos(), FRoundControls.Items(i)->Hint(), this);
            return true;
        }
    }
    return TRoundPanel::event(e);
}

// ---- inner edit ----

TEmptyEdit::TEmptyEdit(TRoundEdit* owner) : QLineEdit(owner), FOwner(owner)
{
    setFrame(false);
    setFixedHeight(18);
    setFocusPolicy(Qt::ClickFocus);
    setMouseTracking(true);
    // Like the framework's edit, a changed text reports a change, also when set from code.
    connect(this, &QLineEdit::textChanged, this, [this](const QString&) { FOwner->TextChanged(); });
}

void TEmptyEdit::paintEvent(QPaintEvent* e)
{
    QLineEdit::paintEvent(e);
    if (text().isEmpty() && !FEmptyText.isEmpty()) {
        QPainter p(this);
        TFont defaults;
        p.setFont(defaults.ToQFont());
        p.setPen(ToQColor(0x808080));
        // Top of the line that typed text takes: this edit centres its line, the native one put it at 0.
        const int top = cursorRect().top();
        p.drawText(3, top + QFontMetrics(p.font()).ascent(), FEmptyText);
    }
}

void TEmptyEdit::keyPressEvent(QKeyEvent* e)
{
    QPointer<TEmptyEdit> guard(this);
    Word key = KeyFromQt(*e);
    if (key != 0 && FOwner->OnKeyDown) {
        FOwner->OnKeyDown(FOwner, key, ShiftFromQt(e->modifiers()));
        if (!guard)
            return;
        if (key == 0) {
            e->accept(); // the handler took the key
            return;
        }
    }
    QString text = e->text();
    if (!text.isEmpty() && FOwner->OnKeyPress) {
        QChar ch = text.front();
        FOwner->OnKeyPress(FOwner, ch);
        if (!guard)
            return;
        if (ch.isNull()) {
            e->accept();
            return;
        }
        if (ch != text.front()) {
            QKeyEvent changed(e->type(), e->key(), e->modifiers(), QString(ch));
            QLineEdit::keyPressEvent(&changed);
            e->accept();
            return;
        }
    }
    if (FOwner->FNumbersOnly && !text.isEmpty() && text.front().isPrint() && !text.front().isDigit()) {
        e->accept();
        return;
    }
    if (FOwner->FCharCase != ecNormal && !text.isEmpty() && text.front().isLetter()) {
        const QString cased = FOwner->FCharCase == ecUpperCase ? text.toUpper() : text.toLower();
        QKeyEvent changed(e->type(), e->key(), e->modifiers(), cased);
        QLineEdit::keyPressEvent(&changed);
        e->accept();
        return;
    }
    QLineEdit::keyPressEvent(e);
    // The edit keeps every key it was given (Enter, Escape and arrows included): an ignored key would
    // travel on to the TRoundEdit and reach OnKeyDown a second time.
    e->accept();
}

void TEmptyEdit::keyReleaseEvent(QKeyEvent* e)
{
    // A held key repeats its key-down only; the releases X11 pairs with the repeats are not passed on.
    if (e->isAutoRepeat()) {
        e->accept();
        return;
    }
    Word key = KeyFromQt(*e);
    if (key != 0 && FOwner->OnKeyUp) {
        QPointer<TEmptyEdit> guard(this);
        FOwner->OnKeyUp(FOwner, key, ShiftFromQt(e->modifiers()));
        if (!guard)
            return;
        if (key == 0) {
            e->accept();
            return;
        }
    }
    QLineEdit::keyReleaseEvent(e);
    e->accept();
}

void TEmptyEdit::mousePressEvent(QMouseEvent* e)
{
    QPointer<TEmptyEdit> guard(this);
    TMouseButton b;
    if (ButtonFromQt(e->button(), b)) {
        if (b == mbLeft)
            FClicked = true;
        if (FOwner->OnMouseDown) {
            const QPoint p = e->position().toPoint();
            FOwner->OnMouseDown(FOwner, b, ShiftFromQt(e->modifiers(), e->buttons()), p.x(), p.y());
            if (!guard)
                return;
        }
    }
    QLineEdit::mousePressEvent(e);
}

void TEmptyEdit::mouseReleaseEvent(QMouseEvent* e)
{
    QPointer<TEmptyEdit> guard(this);
    QLineEdit::mouseReleaseEvent(e);
    TMouseButton b;
    if (!ButtonFromQt(e->button(), b))
        return;
    const QPoint p = e->position().toPoint();
    if (b == mbLeft && FClicked) {
        FClicked = false;
        if (rect().contains(p) && FOwner->OnClick) {
            FOwner->OnClick(FOwner);
            if (!guard)
                return;
        }
    }
    if (FOwner->OnMouseUp)
        FOwner->OnMouseUp(FOwner, b, ShiftFromQt(e->modifiers(), e->buttons()), p.x(), p.y());
}

void TEmptyEdit::mouseMoveEvent(QMouseEvent* e)
{
    QPointer<TEmptyEdit> guard(this);
    if (FOwner->OnMouseMove) {
        const QPoint p = e->position().toPoint();
        FOwner->OnMouseMove(FOwner, ShiftFromQt(e->modifiers(), e->buttons()), p.x(), p.y());
        if (!guard)
            return;
    }
    QLineEdit::mouseMoveEvent(e);
}

void TEmptyEdit::mouseDoubleClickEvent(QMouseEvent* e)
{
    QPointer<TEmptyEdit> guard(this);
    if (FOwner->OnDblClick) {
        FOwner->OnDblClick(FOwner);
        if (!guard)
            return;
    }
    QLineEdit::mouseDoubleClickEvent(e);
}

void TEmptyEdit::enterEvent(QEnterEvent* e)
{
    QLineEdit::enterEvent(e);
    if (FOwner->OnMouseEnter)
        FOwner->OnMouseEnter(FOwner);
}

void TEmptyEdit::leaveEvent(QEvent* e)
{
    QLineEdit::leaveEvent(e);
    if (FOwner->OnMouseLeave)
        FOwner->OnMouseLeave(FOwner);
}

void TEmptyEdit::focusInEvent(QFocusEvent* e)
{
    QLineEdit::focusInEvent(e);
    if (FOwner->FAutoSelect && e->reason() != Qt::PopupFocusReason &&
        e->reason() != Qt::ActiveWindowFocusReason)
        selectAll();
    if (!FEmptyText.isEmpty() && text().isEmpty())
        update();
}

void TEmptyEdit::focusOutEvent(QFocusEvent* e)
{
    QLineEdit::focusOutEvent(e);
    if (!FEmptyText.isEmpty() && text().isEmpty())
        update();
}

// ---- rounded edit ----

TRoundEdit::TRoundEdit(QWidget* parent) : TRoundControlPanel(parent)
{
    TControl::SetBounds(Left(), Top(), 100, 24);
    // A layout always streams the collection once, which reserves the right inner size.
    RealignControls();
    FontChanged();
    ApplyColor();
    // A drag over the box makes the edit, which then takes the drop as it would have.
    setAcceptDrops(true);
}

TEmptyEdit* TRoundEdit::InnerEdit() const
{
    const_cast<TRoundEdit*>(this)->MakeEdit();
    return FEdit;
}

void TRoundEdit::MakeEdit()
{
    if (FEdit)
        return;
    auto* edit = new TEmptyEdit(this);
    {
        const QSignalBlocker quiet(edit);
        edit->setMaxLength(FMaxLength);
        edit->setText(FText);
        edit->setReadOnly(FReadOnly);
        edit->setEnabled(FEditEnabled);
    }
    FEdit = edit;
    FText.clear();
    SetAlignment(FAlignment);
    FontChanged();
    ApplyColor();
    LayoutContent();
    // The edit takes the box's place in the tab order.
    setFocusPolicy(Qt::TabFocus);
    QWidget::setTabOrder(this, edit);
    setFocusPolicy(Qt::NoFocus);
    edit->setFocusPolicy(FTabStop ? Qt::StrongFocus : Qt::ClickFocus);
    setAcceptDrops(false);
    edit->show();
}

void TRoundEdit::UpdateFocusPolicy()
{
    if (FEdit)
        FEdit->setFocusPolicy(FTabStop ? Qt::StrongFocus : Qt::ClickFocus);
    else
        setFocusPolicy(FTabStop && FEditEnabled ? Qt::TabFocus : Qt::NoFocus);
}

void TRoundEdit::TextChanged()
{
    QPointer<TRoundEdit> guard(this);
    if (OnChange)
        OnChange(this);
    if (guard && FEdit && FEdit->text().isEmpty() && !FEdit->EmptyText().isEmpty())
        FEdit->update();
}

void TRoundEdit::SetText(const QString& value)
{
    if (FEdit) {
        if (value != FEdit->text())
            FEdit->setText(value);
        return;
    }
    const QString text = value.left(FMaxLength);
    if (text == FText)
        return;
    FText = text;
    update();
    CheckDrawable();
    TextChanged();
}

void TRoundEdit::SetAlignment(TAlignment value)
{
    FAlignment = value;
    if (FEdit)
        FEdit->setAlignment(value == taCenter         ? Qt::AlignHCenter
                            : value == taRightJustify ? Qt::AlignRight
                                                      : Qt::AlignLeft);
    else
        update();
}

void TRoundEdit::SetReadOnly(bool value)
{
    FReadOnly = value;
    if (FEdit)
        FEdit->setReadOnly(value);
    else
        update();
}

void TRoundEdit::SetMaxLength(int value)
{
    FMaxLength = value <= 0 ? kNoMaxLength : value;
    if (FEdit)
        FEdit->setMaxLength(FMaxLength);
    else
        SetText(FText);
}

void TRoundEdit::SetEnabled(bool value)
{
    FEditEnabled = value;
    if (FEdit)
        FEdit->setEnabled(value);
    else
        update();
    UpdateFocusPolicy();
}

void TRoundEdit::SetTabStop(bool value)
{
    FTabStop = value;
    UpdateFocusPolicy();
}

void TRoundEdit::SetFocus()
{
    MakeEdit();
    FEdit->setFocus(Qt::OtherFocusReason);
}

void TRoundEdit::SetEmptyText(const QString& v)
{
    if (!v.isEmpty())
        MakeEdit();
    if (FEdit)
        FEdit->SetEmptyText(v);
}

void TRoundEdit::SetTextHint(const QString& v)
{
    if (!v.isEmpty())
        MakeEdit();
    if (FEdit)
        FEdit->setPlaceholderText(v);
}

void TRoundEdit::SetPasswordChar(QChar value)
{
    FPasswordChar = value;
    if (!value.isNull())
        MakeEdit();
    if (FEdit)
        FEdit->setEchoMode(value.isNull() ? QLineEdit::Normal : QLineEdit::Password);
}

void TRoundEdit::SetCharCase(TEditCharCase value)
{
    FCharCase = value;
    if (value == ecUpperCase)
        SetText(Text().toUpper());
    else if (value == ecLowerCase)
        SetText(Text().toLower());
}

void TRoundEdit::SetBounds(int ALeft, int ATop, int AWidth, int)
{
    TControl::SetBounds(ALeft, ATop, AWidth, 24);
    LayoutContent(); // a hidden widget gets its resize event only when shown
}

QFont TRoundEdit::EditFont() const
{
    return QFont(Font().ToQFont().resolve(font()), this);
}

QPalette TRoundEdit::EditPalette() const
{
    QPalette pal = FEdit ? FEdit->palette() : palette();
    pal.setColor(QPalette::Base, ToQColor(Color()));
    pal.setColor(QPalette::Window, ToQColor(Color()));
    // A disabled edit writes its text in the system's grey, whatever its font colour.
    pal.setColor(QPalette::Active, QPalette::Text, ToQColor(Font().Color()));
    pal.setColor(QPalette::Inactive, QPalette::Text, ToQColor(Font().Color()));
    pal.setColor(QPalette::Disabled, QPalette::Text, ToQColor(clGrayText));
    return pal;
}

void TRoundEdit::ApplyColor()
{
    update();
    if (FEdit)
        FEdit->setPalette(EditPalette());
}

void TRoundEdit::FontChanged()
{
    if (FEdit) {
        FEdit->setFont(Font().ToQFont());
        FEdit->setPalette(EditPalette());
    }
    update();
    CheckDrawable();
}

void TRoundEdit::LayoutContent()
{
    const TRoundControls& rc = Controls();
    const int left = rc.FLeftSize + FRounding + rc.FLeftControlSize;
    const int width =
        Width() - 2 * FRounding - rc.FRightSize - rc.FRightControlSize - rc.FLeftSize - rc.FLeftControlSize;
    FEditRect = QRect(left, 5, std::max(0, width), 18);
    if (FEdit)
        FEdit->setGeometry(FEditRect);
    else
        CheckDrawable();
}

void TRoundEdit::CheckDrawable()
{
    if (FEdit || FText.isEmpty())
        return;
    bool plain = !FText.isRightToLeft() && !style()->inherits("QStyleSheetStyle");
    for (const QChar c : FText)
        plain = plain && c.isPrint() && c.category() != QChar::Separator_Line &&
                c.category() != QChar::Separator_Paragraph;
    if (!plain)
        MakeEdit();
}

void TRoundEdit::DrawText()
{
    if (FEditRect.isEmpty())
        return;
    // As the inner edit paints itself: its panel, then the text on a line centred in its contents,
    // scrolled as the edit scrolls it with the caret at the end.
    QPainter p(this);
    p.setClipRect(FEditRect & rect());
    p.translate(FEditRect.topLeft());
    const QFont font = EditFont();
    p.setFont(font);
    const QFontMetrics fm(font);
    QStyleOptionFrame panel;
    panel.initFrom(this);
    panel.rect = QRect(QPoint(0, 0), FEditRect.size());
    panel.palette = EditPalette();
    if (!FEditEnabled) {
        panel.state &= ~QStyle::State_Enabled;
        panel.palette.setCurrentColorGroup(QPalette::Disabled);
    }
    panel.state &= ~(QStyle::State_HasFocus | QStyle::State_MouseOver);
    panel.fontMetrics = fm;
    panel.lineWidth = 0;
    panel.midLineWidth = 0;
    panel.state |= QStyle::State_Sunken;
    if (FReadOnly)
        panel.state |= QStyle::State_ReadOnly;
    panel.features = QStyleOptionFrame::None;
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &p, this);
    const QRect r = style()->subElementRect(QStyle::SE_LineEditContents, &panel, this);
    p.setClipRect(r, Qt::IntersectClip);

    QTextLayout layout(FText, font);
    QTextOption option = layout.textOption();
    option.setTextDirection(Qt::LeftToRight);
    option.setFlags(QTextOption::IncludeTrailingSpaces);
    layout.setTextOption(option);
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();

    constexpr int horizontalMargin = 2;
    const int lineHeight = std::max(fm.boundingRect(FText).height(), fm.height());
    const int top = r.y() + (r.height() - lineHeight + 1) / 2;
    const int width = r.width() - 2 * horizontalMargin;
    const int caret = qRound(line.cursorToX(int(FText.size())));
    const int used = qRound(line.naturalTextWidth()) + 1;
    int& scroll = FScroll;
    if (used <= width) {
        scroll = FAlignment == taRightJustify ? used - width + 1
                 : FAlignment == taCenter     ? (used - width) / 2
                                              : 0;
    } else if (caret - scroll >= width) {
        scroll = caret - width + 1;
    } else if (caret - scroll < 0 && scroll < used) {
        scroll = caret;
    } else if (used - scroll < width) {
        scroll = used - width + 1;
    } else {
        scroll = std::max(0, scroll);
    }
    if (FText.isEmpty())
        return;
    const QPoint topLeft(r.x() + horizontalMargin - scroll, top - (qRound(line.ascent()) - fm.ascent()));
    p.setPen(panel.palette.text().color());
    layout.draw(&p, topLeft, {}, r);
}

void TRoundEdit::paintEvent(QPaintEvent* e)
{
    TRoundControlPanel::paintEvent(e);
    if (!FEdit)
        DrawText();
}

void TRoundEdit::focusInEvent(QFocusEvent* e)
{
    if (FEdit) {
        TRoundControlPanel::focusInEvent(e);
        return;
    }
    // Tab reached the box before its edit was made: the edit takes the focus for the same reason.
    MakeEdit();
    FEdit->setFocus(e->reason());
}

bool TRoundEdit::event(QEvent* e)
{
    switch (e->type()) {
    case QEvent::Enter:
    case QEvent::DragEnter:
        MakeEdit();
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease: {
        // A press that made the edit on its way in (the box was picked before the edit existed) is the
        // edit's, with the moves and the release that follow it.
        auto* m = static_cast<QMouseEvent*>(e);
        const bool press = e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonDblClick;
        if (press && !FForwardMouse)
            MakeEdit();
        if (press && FEdit->isEnabled() && FEdit->isVisible() &&
            FEdit->geometry().contains(m->position().toPoint()))
            FForwardMouse = true;
        if (!FForwardMouse)
            break;
        if (e->type() == QEvent::MouseButtonRelease)
            FForwardMouse = false;
        // The focus a click gives, which the window system gave the box.
        if (press && e->spontaneous() && (FEdit->focusPolicy() & Qt::ClickFocus) == Qt::ClickFocus)
            FEdit->setFocus(Qt::MouseFocusReason);
        QMouseEvent moved(e->type(), m->position() - QPointF(FEdit->pos()), m->scenePosition(),
                          m->globalPosition(), m->button(), m->buttons(), m->modifiers(),
                          m->pointingDevice());
        QApplication::sendEvent(FEdit, &moved);
        e->setAccepted(moved.isAccepted());
        return true;
    }
    default:
        break;
    }
    return TRoundControlPanel::event(e);
}

} // namespace fx
