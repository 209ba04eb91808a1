#include "app/dialogs/SmallDialogs.h"
#include "proto/Commands.h"

#include "app/main/LinkController.h"
#include "app/main/StdControls.h"
#include "app/main/TfmMain.h"
#include "app/pages/GeqPage.h"
#include "app/pages/PeqPage.h"
#include "controls/panels/SkBmpButton.h"
#include "controls/panels/SkButton.h"
#include "controls/panels/SkComboBox.h"
#include "controls/panels/SkLabel.h"
#include "controls/panels/SkinButtons.h"
#include "controls/smooth/ProgressBar.h"
#include "controls/smooth/RTFLabel.h"
#include "model/LUnitControl.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QWindow>
#include <span>

namespace app
{

using namespace sk;

std::function<void(TDialogForm*)> TDialogForm::ModalRunner;

TDialogForm::TDialogForm(TfmMain* main, int w, int h) : TForm(nullptr), FMain(main)
{
    setWindowFlag(Qt::Dialog);
    SetColor(0x303030);
    resize(w, h);
    for (QKeySequence key : {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)})
        QObject::connect(new QShortcut(key, this), &QShortcut::activated, this, [this] { ReturnPressed(); });
    QObject::connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
                     [this] { EscapePressed(); });
}

void TDialogForm::SetKeyButtons(TSkBmpButton* defaultButton, TSkBmpButton* cancelButton)
{
    FDefault = defaultButton;
    FCancel = cancelButton;
}

// Keys that reach the dialog itself (no control has the focus).
void TDialogForm::keyPressEvent(QKeyEvent* e)
{
    switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        ReturnPressed();
        e->accept();
        return;
    case Qt::Key_Escape:
        EscapePressed();
        e->accept();
        return;
    default:
        TForm::keyPressEvent(e);
    }
}

// Return and Escape on a control of the dialog (a drawn control takes every key it is sent).
bool TDialogForm::eventFilter(QObject* o, QEvent* e)
{
    if (e->type() == QEvent::KeyPress && !qobject_cast<QPlainTextEdit*>(o)) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
            keyPressEvent(static_cast<QKeyEvent*>(e));
            return true;
        }
    }
    return TForm::eventFilter(o, e);
}

void TDialogForm::ReturnPressed()
{
    if (FDefault && FDefault->isVisible() && FDefault->isEnabled())
        FDefault->Click();
}

void TDialogForm::EscapePressed()
{
    if (!FCancel)
        Close();
    else if (FCancel->isVisible() && FCancel->isEnabled())
        FCancel->Click();
}

// The opener is the modal dialog or the active dialog this one is opened from, else the main window;
// the window system keeps a transient window in front of the one it is transient for, and a modal
// opener does not block it.
void TDialogForm::AttachToOpener()
{
    QWidget* opener = QApplication::activeModalWidget();
    if (!opener || opener == this || !opener->isVisible()) {
        QWidget* active = QApplication::activeWindow();
        opener = active && active != this && active->isVisible() && dynamic_cast<TDialogForm*>(active)
                     ? active
                     : static_cast<QWidget*>(FMain);
    }
    FOpener = opener;
    for (QWidget* w : findChildren<QWidget*>())
        w->installEventFilter(this);
    winId();
    QWindow* parent = opener ? opener->window()->windowHandle() : nullptr;
    if (QWindow* w = windowHandle(); w && parent != w)
        w->setTransientParent(parent);
}

QString TDialogForm::Text(const char* key) const
{
    return FMain->LookupText(QString::fromLatin1(key));
}

void TDialogForm::Show()
{
    FShown = true;
    FModal = false;
    FormShow();
    AttachToOpener();
    if (const QScreen* s = QGuiApplication::primaryScreen())
        move(s->geometry().center() - rect().center());
    show();
}

void TDialogForm::ShowModal()
{
    FShown = true;
    FModal = true;
    FormShow();
    AttachToOpener();
    if (ModalRunner) {
        ModalRunner(this);
        return;
    }
    ShowModalWindow();
    QEventLoop loop;
    FLoop = &loop;
    loop.exec();
    FLoop = nullptr;
}

void TDialogForm::ShowModalWindow()
{
    if (isVisible() && windowModality() != Qt::ApplicationModal)
        hide(); // the modality takes effect on show
    setWindowModality(Qt::ApplicationModal);
    show();
}

void TDialogForm::Close()
{
    FShown = false;
    hide();
    if (FLoop)
        FLoop->quit();
}

void TDialogForm::closeEvent(QCloseEvent* e)
{
    FShown = false;
    if (FLoop)
        FLoop->quit();
    TForm::closeEvent(e);
}

TSkBmpButton* TDialogForm::Button(const QString& name, int x, int y, int w)
{
    auto* b = new TSkBmpButton(this);
    b->SetName(name);
    b->SetBounds(x, y, w, 28);
    b->Bitmaps().SetTransparentColor(fw::clTeal);
    b->Bitmaps().SetUp(SkinButtonFace(w, 28, TSkinState::Up));
    b->Bitmaps().SetDown(SkinButtonFace(w, 28, TSkinState::Down));
    b->Bitmaps().SetHot(SkinButtonFace(w, 28, TSkinState::Hot));
    b->Bitmaps().SetStayDown(SkinButtonFace(w, 28, TSkinState::StayDown));
    b->SetButtonSize(bszStretchToButton);
    b->Font().SetName(QStringLiteral("Tahoma"));
    b->Font().SetHeight(-12);
    b->Font().SetColor(fw::clWhite);
    b->Font().SetStyle(fw::fsBold);
    return b;
}

TSkLabel* TDialogForm::Label(const QString& name, int x, int y, int w, int h)
{
    auto* l = new TSkLabel(this);
    l->SetName(name);
    l->SetAutoSize(false);
    l->SetBounds(x, y, w, h);
    l->SetTransparent(true);
    l->SetAlignment(taCenter);
    l->SetLayout(tlCenter);
    l->SetWordWrap(true);
    l->Font().SetName(QStringLiteral("Tahoma"));
    l->Font().SetHeight(-13);
    l->Font().SetColor(fw::clWhite);
    return l;
}

// imBase: the dialogs' background, a dark plate with a lit top edge.
void TDialogForm::Background()
{
    if (!FBase) {
        FBase = new TImage(this);
        FBase->SetName(QStringLiteral("imBase"));
    }
    TImage* im = FBase;
    im->SetBounds(0, 0, width(), height());
    // Every row is one colour: a narrow plate stretched across the dialog shows the same.
    constexpr int narrow = 16;
    QImage plate(narrow, height(), QImage::Format_RGB32);
    QPainter p(&plate);
    QLinearGradient g(0, 0, 0, height());
    g.setColorAt(0, QColor(70, 72, 78));
    g.setColorAt(0.12, QColor(44, 45, 49));
    g.setColorAt(1, QColor(28, 29, 31));
    p.fillRect(plate.rect(), g);
    p.setPen(QColor(100, 140, 190));
    p.drawLine(0, 0, plate.width(), 0);
    p.end();
    im->Stretch = true;
    im->SetPicture(plate);
    im->lower();
}

void TDialogForm::Paint(fw::TCanvas& Canvas)
{
    Canvas.Brush.Color = Color();
    Canvas.FillRect(ClientRect());
}

TfmInformation::TfmInformation(TfmMain* main) : TDialogForm(main, 320, 150)
{
    Background();
    lbMessage = Label(QStringLiteral("lbMessage"), 16, 18, 288, 60);
    btnOK = Button(QStringLiteral("btnOK"), 117, 100);
    btnOK->OnClick = [this](fw::TControl*) { Close(); };
    SetKeyButtons(btnOK, btnOK);
}

void TfmInformation::FormShow()
{
    setWindowTitle(Text("SID_INFO_TITLE"));
    btnOK->SetCaption(Text("SID_EXIT_OK"));
}

TfmExit::TfmExit(TfmMain* main) : TDialogForm(main, 320, 150)
{
    Background();
    lbExit = Label(QStringLiteral("lbExit"), 16, 18, 288, 60);
    btnOK = Button(QStringLiteral("btnOK"), 56, 100);
    btnCancel = Button(QStringLiteral("btnCancel"), 178, 100);
    btnOK->OnClick = [this](fw::TControl*) { btnOKClick(); };
    btnCancel->OnClick = [this](fw::TControl*) { btnCancelClick(); };
    SetKeyButtons(btnOK, btnCancel);
}

void TfmExit::FormShow()
{
    setWindowTitle(Text("SID_INFO_TITLE"));
    lbExit->SetCaption(Text("SID_EXIT_QUIT"));
    btnOK->SetCaption(Text("SID_EXIT_OK"));
    btnCancel->SetCaption(Text("SID_EXIT_CANCEL"));
}

void TfmExit::btnOKClick()
{
    FMain->Link().DisconnectForExit([this] {
        btnOK->SetEnabled(false);
        btnCancel->SetEnabled(false);
        lbExit->SetCaption(Text("SID_EXIT_SENDING"));
    });
    FMain->SetExitConfirmed(true);
    Close();
    FMain->close();
}

void TfmExit::btnCancelClick()
{
    Close();
    FMain->SetExitConfirmed(false);
}

TfmPeqRst::TfmPeqRst(TfmMain* main) : TDialogForm(main, 320, 150)
{
    Background();
    lbReset = Label(QStringLiteral("lbReset"), 16, 18, 288, 60);
    btnOK = Button(QStringLiteral("btnOK"), 56, 100);
    btnCancel = Button(QStringLiteral("btnCancel"), 178, 100);
    btnOK->OnClick = [this](fw::TControl*) { btnOKClick(); };
    btnCancel->OnClick = [this](fw::TControl*) { Close(); };
    SetKeyButtons(btnOK, btnCancel);
}

void TfmPeqRst::FormShow()
{
    setWindowTitle(Text("SID_PEQRST"));
    lbReset->SetCaption(Text("SID_PEQRST_RESET"));
    btnOK->SetCaption(Text("SID_PEQRST_OK"));
    btnCancel->SetCaption(Text("SID_PEQRST_CANCEL"));
}

void TfmPeqRst::btnOKClick()
{
    hide();
    if (FTarget > 8)
        FMain->Geq().ResetGeqBands(FTarget);
    else
        FMain->Peq().ResetPeqBands(FTarget);
    Close();
}

TfmFactory::TfmFactory(TfmMain* main) : TDialogForm(main, 320, 150)
{
    Background();
    lbMessage = Label(QStringLiteral("lbMessage"), 16, 18, 288, 60);
    btnOK = Button(QStringLiteral("btnOK"), 56, 100);
    bnCancel = Button(QStringLiteral("bnCancel"), 178, 100);
    btnOK->OnClick = [this](fw::TControl*) {
        FMain->FactoryReset();
        Close();
    };
    bnCancel->OnClick = [this](fw::TControl*) { Close(); };
    SetKeyButtons(btnOK, bnCancel);
}

void TfmFactory::FormShow()
{
    setWindowTitle(Text("SID_INFO_TITLE"));
    lbMessage->SetCaption(Text("SID_FACTORY_DEFAULT"));
    btnOK->SetCaption(Text("SID_EXIT_OK"));
    bnCancel->SetCaption(Text("SID_EXIT_CANCEL"));
}

TfmProcess::TfmProcess(TfmMain* main) : TDialogForm(main, 360, 96)
{
    setWindowFlag(Qt::WindowStaysOnTopHint);
    ProgressBar = new fx::TFxProgressBar(this);
    ProgressBar->SetName(QStringLiteral("ProgressBar"));
    ProgressBar->SetBounds(14, 16, 332, 30);
    StatusBar = Label(QStringLiteral("StatusBar"), 0, 70, 360, 26);
    StatusBar->SetAlignment(taLeftJustify);
    StatusBar->SetTextMargin(8);
    StatusBar->SetTransparent(false);
    StatusBar->SetColor(0x202020);
    StatusBar->Font().SetHeight(-12);
    StatusBar->SetCaption(QStringLiteral("download now"));
}

void TfmProcess::FormShow()
{
    setWindowTitle(Text("SID_PROCESS"));
}

TfmTest::TfmTest(TfmMain* main) : TDialogForm(main, 300, 230)
{
    Background();
    auto radio = [this](const char* name, int tag, int y) {
        auto* r = new TRadioButton(this);
        r->SetName(QString::fromLatin1(name));
        r->SetTag(tag);
        r->SetBounds(30, y, 150, 24);
        r->Font().SetName(QStringLiteral("Tahoma"));
        r->Font().SetHeight(-13);
        r->Font().SetColor(fw::clWhite);
        r->OnClick = [this](fw::TControl* s) { RadioClick(s); };
        return r;
    };
    rbAnalogIn = radio("rbAnalogIn", 0, 20);
    rbPinkNoise = radio("rbPinkNoise", 1, 52);
    rbWhiteNoise = radio("rbWhiteNoise", 2, 84);
    rbSineWave = radio("rbSineWave", 3, 116);
    cbSineFreq = new TSkComboBox(this);
    cbSineFreq->SetName(QStringLiteral("cbSineFreq"));
    cbSineFreq->SetBounds(180, 116, 96, 24);
    for (const char* s : {"20Hz",  "25Hz",   "31.5Hz",  "40Hz",   "50Hz",    "63Hz",   "80Hz",    "100Hz",
                          "125Hz", "160Hz",  "200Hz",   "250Hz",  "315Hz",   "400Hz",  "500Hz",   "630Hz",
                          "800Hz", "1KHz",   "1.25KHz", "1.6KHz", "2KHz",    "2.5KHz", "3.15KHz", "4KHz",
                          "5KHz",  "6.3KHz", "8KHz",    "10KHz",  "12.5KHz", "16KHz",  "20KHz"})
        cbSineFreq->Add(QString::fromLatin1(s));
    cbSineFreq->SetItemIndex(0);
    cbSineFreq->OnChange = [this](fw::TControl*) { SineFreqChange(); };
    bnExit = Button(QStringLiteral("bnExit"), 107, 182);
    bnExit->OnClick = [this](fw::TControl*) { Close(); };
    SetKeyButtons(bnExit, bnExit);
    // Ticked at start without a click.
    const auto handler = rbAnalogIn->OnClick;
    rbAnalogIn->OnClick = nullptr;
    rbAnalogIn->SetChecked(true);
    rbAnalogIn->OnClick = handler;
}

void TfmTest::FormShow()
{
    setWindowTitle(Text("SID_TEST_TITLE"));
    bnExit->SetCaption(Text("SID_EXIT"));
    rbAnalogIn->SetCaption(Text("SID_ANALOG_IN"));
    rbWhiteNoise->SetCaption(Text("SID_WHITE_IN"));
    rbPinkNoise->SetCaption(Text("SID_PINK_IN"));
    rbSineWave->SetCaption(Text("SID_SINE_IN"));
}

void TfmTest::RadioClick(fw::TControl* Sender)
{
    if (FMain->UpdatingFlag())
        return;
    FMain->Unit()->SetTestSignal(int(Sender->Tag()), cbSineFreq->ItemIndex());
}

void TfmTest::SineFreqChange()
{
    if (FMain->UpdatingFlag())
        return;
    rbSineWave->SetChecked(true);
    FMain->Unit()->SetTestSignal(3, cbSineFreq->ItemIndex());
}

TfmMemo::TfmMemo(TfmMain* main) : TDialogForm(main, 420, 320)
{
    setWindowTitle(QStringLiteral("Message List"));
    Memo = new QPlainTextEdit(this);
    Memo->setObjectName(QStringLiteral("Memo"));
    Memo->setGeometry(8, 8, 404, 262);
    Memo->setPlainText(QStringLiteral("Memo"));
    bnClearMemo = new TSkButton(this);
    bnClearMemo->SetName(QStringLiteral("bnClearMemo"));
    bnClearMemo->SetCaption(QStringLiteral("Clear"));
    bnClearMemo->SetBounds(166, 280, 88, 28);
    bnClearMemo->OnClick = [this](fw::TControl*) { Memo->clear(); };
}

TfmAbout::TfmAbout(TfmMain* main) : TDialogForm(main, 340, 190)
{
    Background();
    auto* title = Label(QStringLiteral("lbTitle"), 10, 20, 320, 30);
    title->Font().SetHeight(-17);
    title->Font().SetStyle(fw::fsBold);
    title->Font().SetColor(0x40D0FF);
    title->SetCaption(QStringLiteral("Tolvane Morvex Processor Editor"));
    auto* version = Label(QStringLiteral("lbVersion"), 10, 60, 320, 24);
    version->SetCaption(QStringLiteral("Version : V1.04"));
    btnOK = Button(QStringLiteral("btnOK"), 127, 140);
    btnOK->SetCaption(QStringLiteral("OK"));
    btnOK->OnClick = [this](fw::TControl*) { Close(); };
    SetKeyButtons(btnOK, btnOK);
}

void TfmAbout::FormShow()
{
    setWindowTitle(Text("SID_ABOUT"));
}

namespace
{

// The Chinese name and payload of a command of the table.
struct Chinese {
    int code;
    const char* name;
    const char* payload;
};

template <std::size_t N> constexpr bool SameCodes(const Chinese (&rows)[N])
{
    if (N != std::size(proto::kCommands))
        return false;
    for (std::size_t i = 0; i < N; ++i)
        if (rows[i].code != proto::kCommands[i].code)
            return false;
    return true;
}

} // namespace

QByteArray SerialCommandReference(bool english)
{
    // Every command the device takes, in code order, from the command table. Channels: 0..2 inputs
    // A..C, 3..8 outputs 1..6; int16 values go low byte first.
    static constexpr Chinese kChinese[] = {
        {4, "重启设备", "无"},
        {16, "连接", "无"},
        {17, "断开连接", "无"},
        {18, "读取结束／保持连接", "无"},
        {19, "读取机型", "无"},
        {20, "读取当前预设编号", "无"},
        {21, "延时单位", "单位（0 毫秒，1 米，2 英尺）"},
        {25, "读取存储器", "地址 int16，字节数"},
        {26, "写入存储器", "地址 int16，字节数，数据"},
        {32, "调用预设", "预设编号"},
        {33, "存储预设", "预设编号"},
        {34, "读取全部参数", "无"},
        {35, "恢复出厂设置", "无"},
        {36, "选择已存预设", "预设编号"},
        {37, "预设数据块", "块号，位置，数据"},
        {38, "预设名称", "名称 14 字节"},
        {39, "读取参数块", "块号"},
        {40, "读取已存预设参数块", "块号"},
        {41, "读取预设名称", "预设编号"},
        {42, "复制通道", "源通道，目标通道"},
        {44, "读取状态", "无"},
        {45, "解锁", "0，密码 4 字节"},
        {47, "设置锁定密码", "密码 4 字节"},
        {48, "压缩器", "输出，比率，启动，释放，拐点，门限+180"},
        {49, "低通", "通道，频率 int16，斜率"},
        {50, "高通", "通道，频率 int16，斜率"},
        {51, "参量均衡段", "通道，段，增益，频率，Q，类型，旁通"},
        {52, "增益", "通道，位置 int16"},
        {53, "静音", "通道，状态"},
        {54, "极性", "通道，0 或 1"},
        {56, "延时", "通道，采样数 int16"},
        {57, "测试信号", "模式，正弦频率序号"},
        {58, "路由", "输出，输入掩码"},
        {59, "通道联动", "通道，联动字"},
        {60, "参量均衡旁通", "通道，0 或 1"},
        {61, "通道名称", "通道，名称 8 字节"},
        {62, "噪声门", "输入，启动，释放，保持，门限+180"},
        {63, "限幅器", "输出，启动，释放，拐点，门限+180"},
        {64, "读取电平", "无"},
        {65, "矩阵混音", "输出，输入，电平 int16"},
        {72, "图示均衡段", "通道，段，电平 int16"},
        {73, "图示均衡旁通", "通道，0 或 1"},
    };
    static_assert(SameCodes(kChinese), "a Chinese row for every command of the table, in its order");
    const auto utf8 = [](std::string_view v) { return QString::fromUtf8(v.data(), qsizetype(v.size())); };
    // Fonts: 0 the text, 1 the fixed-pitch table, 2 the Chinese names; colours: 1 headings, 2 codes.
    QByteArray rtf =
        english ? "{\\rtf1\\ansi\\ansicpg1252\\deff0"
                  "{\\fonttbl{\\f0\\fswiss\\fcharset0 Tahoma;}{\\f1\\fmodern\\fcharset0 Courier New;}"
                  "{\\f2\\fnil\\fcharset134 SimSun;}}"
                : "{\\rtf1\\ansi\\ansicpg936\\deff0"
                  "{\\fonttbl{\\f0\\fnil\\fcharset134 SimSun;}{\\f1\\fmodern\\fcharset0 Courier New;}"
                  "{\\f2\\fnil\\fcharset134 SimSun;}}";
    rtf += "{\\colortbl;\\red0\\green51\\blue153;\\red153\\green0\\blue0;}\\uc1\n";
    const auto text = [&rtf](const QString& t) { rtf += fx::RtfEscape(t); };
    const auto para = [&rtf](const char* format) {
        rtf += "\\pard\\plain";
        rtf += format;
        rtf += ' ';
    };
    para("\\qc\\f0\\fs32\\b\\cf1");
    text(english ? QStringLiteral("RS232 command reference") : QString::fromUtf8("232 通讯协议控制代码"));
    rtf += "\\par\n\\pard\\plain\\f0\\fs20\\par\n";
    struct Line {
        const char* label;
        const char* text;
    };
    static constexpr Line kEnglish[] = {
        {"Port: ", "115200 baud, 8 data bits, no parity, 1 stop bit."},
        {"Frame: ", "10 02 00 id len code payload 10 03 check"},
        {"", "len = payload length + 1; check = XOR of every byte before it."},
        {"Channels: ", "0-2 inputs A-C, 3-8 outputs 1-6; int16 low byte first."},
    };
    static constexpr Line kChineseLines[] = {
        {"串口：", "115200 波特，8 位数据，无校验，1 位停止位。"},
        {"帧格式：", "10 02 00 id len code payload 10 03 check"},
        {"", "len = 数据长度 + 1；check = 之前所有字节的异或。"},
        {"通道：", "0-2 为输入 A-C，3-8 为输出 1-6；int16 低字节在前。"},
    };
    for (const Line& l : english ? std::span<const Line>(kEnglish) : std::span<const Line>(kChineseLines)) {
        para("\\f0\\fs20");
        if (*l.label) {
            rtf += "{\\b ";
            text(QString::fromUtf8(l.label));
            rtf += '}';
        }
        text(QString::fromUtf8(l.text));
        rtf += "\\par\n";
    }
    rtf += "\\pard\\plain\\f0\\fs20\\par\n";
    // Names padded to one width: spaces in English; ideographic spaces in Chinese, whose names are all
    // ideographs in one font, so the payload column lines up whatever the fonts' widths.
    const auto padded = [english](const QString& name) {
        return english ? name.leftJustified(27) : name.leftJustified(10, QChar(0x3000)) + u' ';
    };
    const char* nameFont = english ? "{\\f1 " : "{\\f2 ";
    para("\\f1\\fs20\\b\\cf1");
    text(english ? QStringLiteral("Code  ") : QString::fromUtf8("代码   "));
    rtf += nameFont;
    text(padded(english ? QStringLiteral("Command") : QString::fromUtf8("命令")));
    rtf += '}';
    text(english ? QStringLiteral("Payload") : QString::fromUtf8("数据"));
    rtf += "\\par\n";
    for (std::size_t i = 0; i < std::size(proto::kCommands); ++i) {
        const proto::CommandInfo& c = proto::kCommands[i];
        const QString name = english ? utf8(c.name) : QString::fromUtf8(kChinese[i].name);
        const QString payload = english ? utf8(c.payload) : QString::fromUtf8(kChinese[i].payload);
        para("\\f1\\fs20");
        rtf += "{\\cf2 ";
        text(QStringLiteral("%1").arg(int(c.code), 3));
        rtf += "}   ";
        rtf += nameFont;
        text(padded(name));
        rtf += '}';
        text(payload);
        rtf += "\\par\n";
    }
    rtf += '}';
    return rtf;
}

TfmRs232Code::TfmRs232Code(TfmMain* main, bool english)
    : TDialogForm(main, english ? 754 : 745, english ? 662 : 671)
{
    setWindowTitle(english ? QStringLiteral("RS232 Protocal Code")
                           : QString::fromUtf8("232通讯协议控制代码"));
    FScroll = new QScrollArea(this);
    FScroll->setGeometry(rect());
    FContent = new QWidget;
    FContent->resize(760, 1100);
    FContent->setAutoFillBackground(true);
    FContent->setPalette(QPalette(Qt::black, Qt::white)); // a page of paper
    auto* label = new fx::TRTFLabel(FContent);
    label->SetName(QStringLiteral("RTFLabel"));
    label->SetBounds(50, 20, 650, 1060);
    label->SetTransparent(true);
    label->SetWordWrap(true);
    label->SetRichText(SerialCommandReference(english));
    for (int i = 1; i <= 10; ++i) {
        auto* im = new TImage(FContent);
        im->SetName(QStringLiteral("FxOfficeImage%1").arg(i));
        im->SetBounds(50, 400 + 60 * i, 1, 1);
    }
    FScroll->setWidget(FContent);
}

void TfmRs232Code::resizeEvent(QResizeEvent* e)
{
    TDialogForm::resizeEvent(e);
    FScroll->setGeometry(rect());
    const int x = ContentLeft(width() + 1);
    for (auto* w : FContent->findChildren<QWidget*>()) {
        auto* c = dynamic_cast<fw::TControl*>(w);
        if (!c)
            continue;
        const QString n = c->Name();
        if (n == u"RTFLabel" || (n.startsWith(u"FxOfficeImage") && n.mid(13).toInt() <= 8))
            c->SetLeft(x);
    }
}

void TfmRs232Code::keyPressEvent(QKeyEvent* e)
{
    QScrollBar* v = FScroll->verticalScrollBar();
    QScrollBar* h = FScroll->horizontalScrollBar();
    switch (e->key()) {
    case Qt::Key_PageUp:
        v->setValue(v->value() - height());
        break;
    case Qt::Key_PageDown:
        v->setValue(v->value() + height());
        break;
    case Qt::Key_Up:
        v->setValue(v->value() - 30);
        break;
    case Qt::Key_Down:
        v->setValue(v->value() + 30);
        break;
    case Qt::Key_Left:
        h->setValue(h->value() - 30);
        break;
    case Qt::Key_Right:
        h->setValue(h->value() + 30);
        break;
    default:
        break;
    }
}

void TfmRs232Code::wheelEvent(QWheelEvent* e)
{
    QScrollBar* v = FScroll->verticalScrollBar();
    v->setValue(v->value() + (e->angleDelta().y() > 0 ? -30 : 30));
}

void TfmRs232Code::closeEvent(QCloseEvent* e)
{
    TDialogForm::closeEvent(e);
    resize(755 - 1, 666 - 1);
}

TDialogs::TDialogs(TfmMain* main) : FMain(main)
{
    fmPeqRst = std::make_unique<TfmPeqRst>(main);
    fmAbout = std::make_unique<TfmAbout>(main);
    fmProcess = std::make_unique<TfmProcess>(main);
    fmInformation = std::make_unique<TfmInformation>(main);
    fmExit = std::make_unique<TfmExit>(main);
    fmFactory = std::make_unique<TfmFactory>(main);
    fmTest = std::make_unique<TfmTest>(main);
}

TDialogs::~TDialogs() = default;

namespace
{
template <class Dialog, class... Args>
Dialog& BuiltOnce(std::unique_ptr<Dialog>& d, TfmMain* main, Args... args)
{
    if (!d)
        d = std::make_unique<Dialog>(main, args...);
    return *d;
}
} // namespace

TfmRs232Code& TDialogs::Rs232Code(bool english)
{
    return BuiltOnce(FRs232Code[english ? 1 : 0], FMain, english);
}

TfmMemo& TDialogs::Memo()
{
    return BuiltOnce(FMemo, FMain);
}

} // namespace app
