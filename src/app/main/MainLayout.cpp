// The main window's layout tables. Values that the resize rules fix at the design size are used as
// they stand (page boxes 1112 x 284 at 0 and parameter boxes at 20, 292; graphs 1070 x 255 and 530 x 255;
// delay rows, meter panels and their scales, matrix rows and columns); the rest sits on one grid:
// 8-pixel margins, 22-pixel rows, faders 30 x 150 with their value edit below.
#include "app/main/MainLayout.h"

namespace app
{

QString ChannelSuffix(int ch)
{
    return ch < 3 ? QString(QChar(u'A' + ch)) : QString::number(ch - 2);
}

QString ChannelTitle(int ch)
{
    return (ch < 3 ? QStringLiteral("In") : QStringLiteral("Out")) + ChannelSuffix(ch);
}

QString PageSuffix(int page)
{
    static const char* const functions[] = {"Comp", "Delay", "Gain", "Matrix", "Gate", "Limit", "Geq"};
    return page < 9 ? ChannelTitle(page) : QString::fromLatin1(functions[page - 9]);
}

namespace
{

// Rows are added through one small writer so that the tables read as lists.
struct Table {
    std::vector<Item> items;
    Item& Add(Kind kind, const QString& name, const QString& parent, int x, int y, int w, int h,
              const QString& caption = {}, Look look = Look::Default)
    {
        items.push_back(Item{kind, name, parent, x, y, w, h, caption});
        items.back().look = look;
        return items.back();
    }
    Item& Fader(const QString& name, const QString& parent, int x, int y, int h, int min, int max, int pos,
                int tag)
    {
        Item& i = Add(Kind::Fader, name, parent, x, y, 30, h);
        i.min = min;
        i.max = max;
        i.position = pos;
        i.tag = tag;
        return i;
    }
};

const QString kMain = QStringLiteral("rzgMain");

// A scale of nine labels beside a meter: Tops base(k), one row each.
void Scale(Table& t, const QString& parent, const char* const prefixes[9], const int base[9],
           const QString& group, int x)
{
    for (int k = 0; k < 9; ++k)
        t.Add(Kind::Label, QString::fromLatin1(prefixes[k]) + group, parent, x, base[k], 34, 14,
              QString::fromLatin1(prefixes[k] + 2).replace(u'N', u'-'), Look::Scale);
}

const char* const kCompScale[9] = {"lbLimit", "lbClip", "lb12",  "lb5",  "lb0",
                                   "lbN5",    "lbN15",  "lbN30", "lbN60"};
const char* const kGateScale[9] = {"lbClip", "lb12",  "lb5",   "lb0",  "lbN5",
                                   "lbN15",  "lbN20", "lbN30", "lbN60"};
const int kPageScaleBase[9] = {22, 45, 68, 91, 115, 138, 161, 184, 208};
const int kOutScaleBase[9] = {35, 58, 81, 105, 128, 151, 175, 198, 222};
const int kGateScaleBase[9] = {36, 59, 82, 105, 129, 152, 175, 198, 222};

// The two boxes of a page.
void PageBoxes(Table& t, const QString& suffix, bool shown)
{
    Item& g =
        t.Add(Kind::GroupBox, QStringLiteral("rzgFft") + suffix, kMain, 0, 0, 1112, 284, {}, Look::GraphBox);
    g.visible = shown;
    Item& p = t.Add(Kind::GroupBox, QStringLiteral("rzgParam") + suffix, kMain, 20, 292, 1072, 258, {},
                    Look::PageBox);
    p.visible = shown;
}

// Fader, its caption above and its value edit below; a column 52 wide.
void FaderColumn(Table& t, const QString& parent, const QString& label, const QString& fader,
                 const QString& edit, int x, int y, int h, int min, int max, int pos, int tag,
                 const QString& text, int w = 52)
{
    t.Add(Kind::Label, label, parent, x, y, w, 16, {}, Look::Caption).tag = tag;
    t.Fader(fader, parent, x + (w - 30) / 2, y + 18, h, min, max, pos, tag);
    Item& e = t.Add(Kind::Edit, edit, parent, x, y + 20 + h, w, 20, text);
    e.tag = tag;
}

void CutColumns(Table& t, const QString& param, int ch);
void GainStrip(Table& t, const QString& param, int ch);

void ChannelPage(Table& t, int ch)
{
    const QString s = ChannelTitle(ch);
    const bool input = ch < 3;
    PageBoxes(t, s, false);
    const QString fft = QStringLiteral("rzgFft") + s, param = QStringLiteral("rzgParam") + s;

    // Graph box: title strip, then the graph.
    t.Add(Kind::Label, QStringLiteral("lbFftChannel") + s, fft, 21, 4, 60, 18, s, Look::Head);
    Item& gain =
        t.Add(Kind::Radio, QStringLiteral("rbShowGain") + s, fft, 90, 4, 70, 18, QStringLiteral("Gain"));
    gain.tag = ch;
    gain.position = 1; // the graphs start in the magnitude view
    t.Add(Kind::Radio, QStringLiteral("rbShowPhase") + s, fft, 166, 4, 70, 18, QStringLiteral("Phase")).tag =
        ch;
    const QString show = QStringLiteral("rzgFftShowCh") + s;
    const int others = input ? 2 : 5;
    t.Add(Kind::Panel, show, fft, input ? 500 : 460, 2, others * 60 + 4, 20);
    for (int k = 0, m = input ? 0 : 3; m < (input ? 3 : 9); ++m) {
        if (m == ch)
            continue;
        Item& b = t.Add(Kind::PowerButton, QStringLiteral("vrbShow") + ChannelSuffix(m) + s, show,
                        2 + 60 * k++, 1, 58, 18, ChannelTitle(m));
        b.tag = m;
    }
    t.Add(Kind::DemoButton, QStringLiteral("vrbEqBypass") + s, fft, 776, 2, 79, 20).tag = ch;
    t.Add(Kind::DemoButton, QStringLiteral("vrbEqReset") + s, fft, 857, 2, 75, 20).tag = ch;
    t.Add(Kind::PowerButton, QStringLiteral("vrbEqShowAll") + s, fft, 934, 2, 130, 20).tag = ch;
    t.Add(Kind::Graph, QStringLiteral("fftDraw") + s, fft, 21, 25, 1070, 255).tag = ch;

    // Parameter box: band table, panel faders, cuts, gain strip.
    t.Add(Kind::Label, QStringLiteral("lbEq") + s, param, 8, 4, 470, 16, {}, Look::Small);
    t.Add(Kind::BandEditor, QStringLiteral("peqPeq") + s, param, 8, 20, 470, 214).tag = ch;
    t.Add(Kind::Label, QStringLiteral("lbFftParam") + s, param, 8, 238, 470, 16, {}, Look::Small);

    t.Add(Kind::Label, QStringLiteral("lbEqParam") + s, param, 490, 4, 188, 16, {}, Look::Title);
    const int bands = input ? 8 : 9;
    for (int b = 0; b < bands; ++b) {
        Item& i = t.Add(Kind::BmpButton, QStringLiteral("rzbEq%1").arg(b + 1) + s, param, 490 + 21 * b, 22,
                        20, 20, QString::number(b + 1));
        i.tag = b;
        i.group = ch + 1;
    }
    FaderColumn(t, param, QStringLiteral("lbEqFreq") + s, QStringLiteral("isEqFreq") + s,
                QStringLiteral("cvdEqFreq") + s, 490, 48, 144, 0, 300, 170, ch, QStringLiteral("1.00KHz"),
                64);
    FaderColumn(t, param, QStringLiteral("lbEqBw") + s, QStringLiteral("isEqBw") + s,
                QStringLiteral("cvdEqBw") + s, 556, 48, 144, 0, 100, 10, ch, QStringLiteral("0.71"), 64);
    FaderColumn(t, param, QStringLiteral("lbEqGain") + s, QStringLiteral("isEqGain") + s,
                QStringLiteral("cvdEqGain") + s, 622, 48, 144, 0, 240, 120, ch, QStringLiteral("0.0dB"), 64);

    CutColumns(t, param, ch);
    GainStrip(t, param, ch);
}

// The high-pass and low-pass columns: fader, edit, slope and bypass.
void CutColumns(Table& t, const QString& param, int ch)
{
    const QString s = ChannelTitle(ch);
    const char* cuts[2] = {"LowCut", "HighCut"};
    for (int c = 0; c < 2; ++c) {
        const int x = 690 + 92 * c;
        const QString n = QString::fromLatin1(cuts[c]);
        t.Add(Kind::Label, QStringLiteral("lb") + n + QStringLiteral("Freq") + s, param, x, 4, 86, 16, {},
              Look::Title);
        t.Fader(QStringLiteral("is") + n + QStringLiteral("Freq") + s, param, x + 28, 22, 138, 0, 300,
                c ? 300 : 0, ch);
        t.Add(Kind::Edit, QStringLiteral("cvd") + n + QStringLiteral("Freq") + s, param, x, 164, 86, 20).tag =
            ch;
        t.Add(Kind::Label, QStringLiteral("lb") + n + QStringLiteral("Slop") + s, param, x, 188, 86, 14, {},
              Look::Caption);
        t.Add(Kind::Combo, QStringLiteral("rzc") + n + QStringLiteral("Slop") + s, param, x, 204, 86, 22)
            .tag = ch;
        Item& by = t.Add(Kind::BmpButton, QStringLiteral("rzb") + n + QStringLiteral("Bypass") + s, param, x,
                         232, 86, 22);
        by.tag = ch;
        by.group = 10 + c;
        by.allowAllUp = true;
    }
}

// The channel's gain strip: fader, meter, limit lamp, gain edit, polarity and mute.
void GainStrip(Table& t, const QString& param, int ch)
{
    const QString s = ChannelTitle(ch);
    const bool input = ch < 3;
    const QString strip = QStringLiteral("rzgGain") + s;
    t.Add(Kind::GroupBox, strip, param, 878, 4, 186, 250, {}, Look::Column);
    t.Add(Kind::Label, QStringLiteral("lbGainName") + s, strip, 8, 4, 80, 18, s, Look::Head);
    t.Add(Kind::Label, QStringLiteral("lbGain") + s, strip, 8, 24, 60, 16, {}, Look::Caption);
    t.Fader(QStringLiteral("isGain") + s, strip, 18, 42, 170, -280, 120, 0, ch);
    t.Add(input ? Kind::Meter : Kind::OutMeter, QStringLiteral("pbLevel") + s, strip, 56, 50, 14, 154).tag =
        ch;
    if (!input)
        t.Add(Kind::Lamp, QStringLiteral("pbLimit") + s, strip, 56, 30, 14, 14).tag = ch;
    t.Add(Kind::Edit, QStringLiteral("cvdGain") + s, strip, 8, 218, 72, 20, QStringLiteral("+0.0dB")).tag =
        ch;
    Item& ph = t.Add(Kind::BmpButton, QStringLiteral("rzbPhase") + s, strip, 90, 50, 86, 26);
    ph.tag = ch;
    ph.group = 1;
    ph.allowAllUp = true;
    Item& mu = t.Add(Kind::BmpButton, QStringLiteral("rzbMute") + s, strip, 90, 84, 86, 26);
    mu.tag = ch;
    mu.group = 2;
    mu.allowAllUp = true;
}

void GainPage(Table& t)
{
    PageBoxes(t, QStringLiteral("Gain"), true);
    const QString fft = QStringLiteral("rzgFftGain"), param = QStringLiteral("rzgParamGain");
    t.Add(Kind::Label, QStringLiteral("lbFftGainIn"), fft, 14, 4, 200, 18, {}, Look::Head);
    t.Add(Kind::Panel, QStringLiteral("rzgFftShowChIn"), fft, 260, 2, 184, 20);
    for (int m = 0; m < 3; ++m)
        t.Add(Kind::PowerButton, QStringLiteral("vrbShow") + ChannelSuffix(m) + QStringLiteral("Gain"),
              QStringLiteral("rzgFftShowChIn"), 2 + 60 * m, 1, 58, 18, ChannelTitle(m))
            .tag = m;
    t.Add(Kind::Graph, QStringLiteral("fftDrawGainIn"), fft, 14, 25, 530, 255).tag = 9;
    t.Add(Kind::Label, QStringLiteral("lbFftGainOut"), fft, 600, 4, 110, 18, {}, Look::Head);
    t.Add(Kind::Panel, QStringLiteral("rzgFftShowChOut"), fft, 720, 2, 364, 20);
    for (int m = 3; m < 9; ++m)
        t.Add(Kind::PowerButton, QStringLiteral("vrbShow") + ChannelSuffix(m) + QStringLiteral("Gain"),
              QStringLiteral("rzgFftShowChOut"), 2 + 60 * (m - 3), 1, 58, 18, ChannelTitle(m))
            .tag = m;
    t.Add(Kind::Graph, QStringLiteral("fftDrawGainOut"), fft, 550, 25, 530, 255).tag = 10;

    t.Add(Kind::Label, QStringLiteral("lbGainInput"), param, 8, 2, 200, 16, {}, Look::Title);
    t.Add(Kind::Label, QStringLiteral("lbGainOutput"), param, 364, 2, 200, 16, {}, Look::Title);
    for (int ch = 0; ch < 9; ++ch) {
        const QString s = ChannelTitle(ch);
        const QString box = QStringLiteral("rzgGainBackup") + s;
        const int x = ch < 3 ? 8 + 116 * ch : 364 + 116 * (ch - 3);
        t.Add(Kind::GroupBox, box, param, x, 20, 110, 234, {}, Look::Column);
        t.Add(Kind::Label, QStringLiteral("lbGainBackupName") + s, box, 6, 3, 98, 18, s, Look::Head);
        // fader, meter and a button column wide enough for "Inverse" in its bold face
        t.Fader(QStringLiteral("isGainBackup") + s, box, 4, 24, 170, -280, 120, 0, ch);
        t.Add(ch < 3 ? Kind::Meter : Kind::OutMeter, QStringLiteral("pbLevelBackup") + s, box, 36, 44, 14,
              146)
            .tag = ch;
        if (ch >= 3)
            t.Add(Kind::Lamp, QStringLiteral("pbLimitBackup") + s, box, 36, 26, 14, 14).tag = ch;
        Item& ph = t.Add(Kind::BmpButton, QStringLiteral("rzbPhaseBackup") + s, box, 53, 44, 54, 24);
        ph.tag = ch;
        ph.group = 3;
        ph.allowAllUp = true;
        Item& mu = t.Add(Kind::BmpButton, QStringLiteral("rzbMuteBackup") + s, box, 53, 74, 54, 24);
        mu.tag = ch;
        mu.group = 2;
        mu.allowAllUp = true;
        t.Add(Kind::Edit, QStringLiteral("cvdGainBackup") + s, box, 6, 202, 98, 20, QStringLiteral("+0.0dB"))
            .tag = ch;
    }
}

void DelayPage(Table& t)
{
    PageBoxes(t, QStringLiteral("Delay"), false);
    const QString fft = QStringLiteral("rzgFftDelay"), param = QStringLiteral("rzgParamDelay");
    t.Add(Kind::Label, QStringLiteral("lbFftDelayIn"), fft, 20, 4, 520, 18, {}, Look::Head);
    t.Add(Kind::Panel, QStringLiteral("plFftDelayIn"), fft, 20, 26, 520, 234);
    t.Add(Kind::Label, QStringLiteral("lbFftDelayOut"), fft, 560, 4, 520, 18, {}, Look::Head);
    t.Add(Kind::Panel, QStringLiteral("plFftDelayOut"), fft, 560, 26, 520, 234);
    for (int ch = 0; ch < 9; ++ch) {
        const QString s = ChannelTitle(ch);
        const bool in = ch < 3;
        const QString pl = in ? QStringLiteral("plFftDelayIn") : QStringLiteral("plFftDelayOut");
        const int row = in ? 64 * ch : 36 * (ch - 3);
        t.Add(Kind::Label, QStringLiteral("lbDelayShow") + s, pl, 4, row + (in ? 44 : 14), 36, 16, s,
              Look::Caption);
        Item& line = t.Add(Kind::Label, QStringLiteral("lbDelayLine") + s, pl, in ? 40 : 46,
                           row + (in ? 28 : 8), in ? 475 : 470, in ? 49 : 29, {}, Look::DelayLine);
        line.tag = ch;
        t.Add(Kind::Image, QStringLiteral("imDelay") + s, pl, 40, row + (in ? 38 : 8), 30, in ? 30 : 29).tag =
            ch;
        t.Add(Kind::Label, QStringLiteral("lbFftDelayTime") + s, pl, 70, row + (in ? 45 : 15), 80, 14,
              QStringLiteral("0.00ms"), Look::Value);
    }
    t.Add(Kind::Label, QStringLiteral("lbDelayInput"), param, 8, 2, 200, 16, {}, Look::Title);
    t.Add(Kind::Label, QStringLiteral("lbDelayOutput"), param, 320, 2, 200, 16, {}, Look::Title);
    for (int ch = 0; ch < 9; ++ch) {
        const QString s = ChannelTitle(ch);
        const int x = ch < 3 ? 8 + 100 * ch : 320 + 100 * (ch - 3);
        t.Add(Kind::Label, QStringLiteral("lbDelayCol") + s, param, x, 22, 92, 18, s, Look::Head);
        t.Fader(QStringLiteral("isDelay") + s, param, x + 31, 42, 176, 0, 65280, 0, ch);
        t.Add(Kind::Edit, QStringLiteral("cvdDelay") + s, param, x, 224, 92, 22, QStringLiteral("0.00ms"))
            .tag = ch;
    }
    t.Add(Kind::Label, QStringLiteral("lbDelayUnit"), param, 932, 2, 132, 16, {}, Look::Title);
    t.Add(Kind::GroupBox, QStringLiteral("rzgUint"), param, 932, 22, 132, 110, {}, Look::Column);
    for (int u = 0; u < 3; ++u) {
        Item& b = t.Add(Kind::BmpButton, QStringLiteral("rzbUnit%1").arg(u), QStringLiteral("rzgUint"), 10,
                        8 + 33 * u, 112, 28);
        b.tag = u;
        b.group = 1;
    }
}

void MatrixPage(Table& t)
{
    PageBoxes(t, QStringLiteral("Matrix"), false);
    const QString fft = QStringLiteral("rzgFftMatrix"), param = QStringLiteral("rzgParamMatrix");
    t.Add(Kind::Label, QStringLiteral("lbMatrixInputs"), fft, 48, 8, 200, 18, QStringLiteral("Input"),
          Look::Head);
    t.Add(Kind::Label, QStringLiteral("lbMatrixOutputs"), fft, 561, 8, 200, 18, QStringLiteral("Output"),
          Look::Head);
    const char* inBlocks[6] = {"Gain", "Gate", "Geq", "Peq", "HpLp", "Delay"};
    const char* inTexts[6] = {"GAIN", "GATE", "GEQ", "PEQ", "HP/LP", "DELAY"};
    const int inLeft[6] = {77, 134, 191, 248, 305, 362};
    for (int i = 0; i < 3; ++i) {
        const QString s = ChannelSuffix(i), row = QStringLiteral("plMatrixIn") + s;
        t.Add(Kind::Panel, row, fft, 48, 75 * i + 50, 415, 50).tag = i;
        t.Add(Kind::Shape, QStringLiteral("spMatrixNameIn") + s, row, 0, 4, 58, 42);
        t.Add(Kind::Label, QStringLiteral("lbMatrixNameIn") + s, row, 0, 6, 70, 16, ChannelTitle(i),
              Look::Caption)
            .tag = i;
        t.Add(Kind::Label, QStringLiteral("lbMatrixChNameIn") + s, row, 0, 24, 70, 20, {}, Look::ChName).tag =
            i;
        for (int j = 0; j < 6; ++j) {
            const QString n = QString::fromLatin1(inBlocks[j]);
            t.Add(Kind::Shape, QStringLiteral("spMatrix") + n + QStringLiteral("In") + s, row, inLeft[j], 9,
                  50, 32);
            t.Add(Kind::Label, QStringLiteral("lbMatrix") + n + QStringLiteral("In") + s, row, inLeft[j], 17,
                  50, 16, QString::fromLatin1(inTexts[j]), Look::Caption)
                .tag = i;
        }
    }
    t.Add(Kind::PaintBox, QStringLiteral("pbMatrix"), fft, 465, 42, 97, 206);
    const char* outBlocks[7] = {"Xover", "Peq", "Gain", "Comp", "Phase", "Delay", "Mute"};
    const char* outTexts[7] = {"XOVER", "PEQ", "GAIN", "COMP", "LIMIT", "DELAY", "MUTE"};
    const int outLeft[7] = {2, 61, 121, 180, 240, 298, 359};
    for (int n = 1; n <= 6; ++n) {
        const QString s = QString::number(n), row = QStringLiteral("plMatrixOut") + s;
        t.Add(Kind::Panel, row, fft, 561, 40 * (n - 1) + 30, 510, 36).tag = n + 2;
        for (int j = 0; j < 7; ++j) {
            const QString b = QString::fromLatin1(outBlocks[j]);
            t.Add(Kind::Shape, QStringLiteral("spMatrix") + b + QStringLiteral("Out") + s, row, outLeft[j], 3,
                  50, 30);
            t.Add(Kind::Label, QStringLiteral("lbMatrix") + b + QStringLiteral("Out") + s, row, outLeft[j],
                  10, 50, 16, QString::fromLatin1(outTexts[j]), Look::Caption)
                .tag = n + 2;
        }
        t.Add(Kind::Shape, QStringLiteral("spMatrixNameOut") + s, row, 416, 1, 58, 34);
        t.Add(Kind::Label, QStringLiteral("lbMatrixNameOut") + s, row, 418, 2, 80, 14,
              QStringLiteral("Out") + s, Look::Small)
            .tag = n + 2;
        t.Add(Kind::Label, QStringLiteral("lbMatrixChNameOut") + s, row, 419, 15, 80, 20, {}, Look::ChName)
            .tag = n + 2;
    }
    for (int n = 1; n <= 6; ++n) {
        const QString s = QString::number(n), box = QStringLiteral("rzgMatrixOut") + s;
        t.Add(Kind::GroupBox, box, param, 8 + 176 * (n - 1), 4, 170, 248, {}, Look::Column);
        t.Add(Kind::Label, QStringLiteral("lbMatrixHeadOut") + s, box, 8, 4, 154, 18,
              QStringLiteral("Out") + s, Look::Head);
        for (int i = 0; i < 3; ++i) {
            const QString x = ChannelSuffix(i);
            const int y = 32 + 72 * i;
            Item& r = t.Add(Kind::BmpButton, QStringLiteral("rzb") + x + QStringLiteral("MatrixOut") + s, box,
                            8, y, 58, 26, ChannelTitle(i));
            r.tag = i;
            r.group = i + 1;
            r.allowAllUp = true;
            t.Add(Kind::Edit, QStringLiteral("cvd") + x + QStringLiteral("MatrixOut") + s, box, 72, y + 2, 70,
                  22, QStringLiteral("+0.0dB"))
                .tag = i;
            Item& u = t.Add(Kind::UpDown, QStringLiteral("udMixGain") + x + QStringLiteral("Out") + s, box,
                            144, y + 1, 18, 24);
            u.min = -280;
            u.max = 0;
            u.tag = i;
        }
    }
}

// Compressor and limiter pages share their shape.
void DynamicsPage(Table& t, bool comp)
{
    const QString k = comp ? QStringLiteral("Comp") : QStringLiteral("Limit");
    PageBoxes(t, k, false);
    const QString fft = QStringLiteral("rzgFft") + k, param = QStringLiteral("rzgParam") + k;
    t.Add(Kind::Label, QStringLiteral("lb") + k + QStringLiteral("Name"), fft, 8, 4, comp ? 538 : 620, 18, {},
          Look::Head);
    t.Add(Kind::Chart, QStringLiteral("ip") + k, fft, 8, 26, 620, 230).tag = comp ? 0 : 1;
    const QString group = k + QStringLiteral("Out");
    const QString page = QStringLiteral("plLevel") + group;
    t.Add(Kind::Panel, page, fft, 634, 4, 60, 247);
    t.Add(Kind::Lamp, QStringLiteral("pbLimit") + group, page, 6, 18, 14, 22);
    t.Add(Kind::OutMeter, QStringLiteral("pbLevel") + group, page, 6, 43, 14, 185);
    Scale(t, page, kCompScale, kPageScaleBase, group, 24);
    for (int n = 1; n <= 6; ++n) {
        const QString g = group + QString::number(n), pl = QStringLiteral("plLevel") + g;
        t.Add(Kind::Panel, pl, fft, 700 + 64 * (n - 1), 4, 60, 247).tag = n + 2;
        t.Add(Kind::Label, QStringLiteral("lbMeter") + g, pl, 4, 4, 52, 16, QStringLiteral("Out%1").arg(n),
              Look::Caption);
        t.Add(Kind::Lamp, QStringLiteral("pbLimit") + g, pl, 6, 30, 14, 22).tag = n + 2;
        t.Add(Kind::OutMeter, QStringLiteral("pbLevel") + g, pl, 6, 55, 14, 185).tag = n + 2;
        Scale(t, pl, kCompScale, kOutScaleBase, g, 24);
    }
    t.Add(Kind::Label, QStringLiteral("lbHead") + group, fft, 636, 252, 60, 18, QStringLiteral("Out1"),
          Look::Head);

    for (int n = 1; n <= 6; ++n) {
        const QString s = QString::number(n), o = QStringLiteral("Out") + s;
        const QString box = QStringLiteral("rzg") + k + o;
        t.Add(Kind::GroupBox, box, param, 8 + 176 * (n - 1), 4, 172, 248, {}, Look::Column).tag = n + 2;
        t.Add(Kind::Label, QStringLiteral("lb") + k + o, box, 6, 3, 158, 18, o, Look::Head).tag = n + 2;
        const QString p = QStringLiteral("lb") + k, f = QStringLiteral("is") + k,
                      e = QStringLiteral("cvd") + k;
        FaderColumn(t, box, p + QStringLiteral("Threshold") + o, f + QStringLiteral("Threshold") + o,
                    e + QStringLiteral("Threshold") + o, 2, 22, 128, -180, 40, 40, n + 2,
                    QStringLiteral("+20.0dB"), 56);
        FaderColumn(t, box, p + QStringLiteral("Attack") + o, f + QStringLiteral("Attack") + o,
                    e + QStringLiteral("Attack") + o, 58, 22, 128, 0, 998, 49, n + 2, QStringLiteral(" 50ms"),
                    56);
        FaderColumn(t, box, p + QStringLiteral("Release") + o, f + QStringLiteral("Release") + o,
                    e + QStringLiteral("Release") + o, 114, 22, 128, 9, 2999, 499, n + 2,
                    QStringLiteral("500ms"), 56);
        int y = 196;
        if (comp) {
            t.Add(Kind::Label, QStringLiteral("lbCompRatio") + o, box, 6, y + 3, 52, 16, {}, Look::Caption);
            t.Add(Kind::Edit, QStringLiteral("cvdCompRatio") + o, box, 59, y, 82, 20, QStringLiteral("1:1.0"))
                .tag = n + 2;
            Item& u = t.Add(Kind::UpDown, QStringLiteral("udCompRatio") + o, box, 144, y - 1, 18, 22);
            u.max = 15;
            u.tag = n + 2;
            y += 24;
        }
        t.Add(Kind::Label, p + QStringLiteral("Knee") + o, box, 6, y + 3, 52, 16, {}, Look::Caption);
        t.Add(Kind::Edit, e + QStringLiteral("Knee") + o, box, 59, y, 82, 20, QStringLiteral("0dB")).tag =
            n + 2;
        Item& u = t.Add(Kind::UpDown, QStringLiteral("ud") + k + QStringLiteral("Knee") + o, box, 144, y - 1,
                        18, 22);
        u.max = 12;
        u.tag = n + 2;
    }
}

void GatePage(Table& t)
{
    PageBoxes(t, QStringLiteral("Gate"), false);
    const QString fft = QStringLiteral("rzgFftGate"), param = QStringLiteral("rzgParamGate");
    t.Add(Kind::Label, QStringLiteral("lbGateName"), fft, 8, 4, 800, 18, {}, Look::Head);
    t.Add(Kind::Chart, QStringLiteral("ipGate"), fft, 8, 26, 855, 230).tag = 2;
    const QString group = QStringLiteral("GateIn");
    t.Add(Kind::Panel, QStringLiteral("plLevelGateIn"), fft, 868, 4, 52, 247);
    t.Add(Kind::Meter, QStringLiteral("pbLevelGateIn"), QStringLiteral("plLevelGateIn"), 4, 32, 14, 208);
    Scale(t, QStringLiteral("plLevelGateIn"), kGateScale, kGateScaleBase, group, 20);
    for (int i = 0; i < 3; ++i) {
        const QString g = group + ChannelSuffix(i), pl = QStringLiteral("plLevel") + g;
        t.Add(Kind::Panel, pl, fft, 926 + 53 * i, 4, 50, 247).tag = i;
        t.Add(Kind::Label, QStringLiteral("lbMeter") + g, pl, 2, 4, 46, 16, ChannelTitle(i), Look::Caption);
        t.Add(Kind::Meter, QStringLiteral("pbLevel") + g, pl, 4, 32, 14, 208).tag = i;
        Scale(t, pl, kGateScale, kGateScaleBase, g, 20);
    }
    t.Add(Kind::Label, QStringLiteral("lbHeadGateIn"), fft, 870, 252, 50, 18, QStringLiteral("InA"),
          Look::Head);
    for (int i = 0; i < 3; ++i) {
        const QString o = QStringLiteral("In") + ChannelSuffix(i), box = QStringLiteral("rzgGate") + o;
        t.Add(Kind::GroupBox, box, param, 8 + 264 * i, 4, 256, 248, {}, Look::Column).tag = i;
        t.Add(Kind::Label, QStringLiteral("lbGate") + o, box, 6, 3, 244, 18, o, Look::Head).tag = i;
        const char* params[4] = {"Threshold", "Attack", "Release", "Hold"};
        const int mins[4] = {-180, 0, 9, 9}, maxs[4] = {0, 998, 2999, 998}, pos[4] = {-180, 0, 99, 99};
        const char* texts[4] = {"-90.0dB", "1ms", "100ms", "100ms"};
        for (int j = 0; j < 4; ++j) {
            const QString n = QString::fromLatin1(params[j]);
            FaderColumn(t, box, QStringLiteral("lbGate") + n + o, QStringLiteral("isGate") + n + o,
                        QStringLiteral("cvdGate") + n + o, 6 + 62 * j, 26, 172, mins[j], maxs[j], pos[j], i,
                        QString::fromLatin1(texts[j]), 60);
        }
    }
}

void GeqPage(Table& t)
{
    PageBoxes(t, QStringLiteral("Geq"), false);
    const QString fft = QStringLiteral("rzgFftGeq"), param = QStringLiteral("rzgParamGeq");
    static const char* const freqs[31] = {"20",  "25",   "31",   "40",   "50",  "63",   "80",   "100",
                                          "125", "160",  "200",  "250",  "315", "400",  "500",  "630",
                                          "800", "1K",   "1.2K", "1.6K", "2K",  "2.5K", "3.1K", "4K",
                                          "5K",  "6.3K", "8K",   "10K",  "12K", "16K",  "20K"};
    for (int i = 0; i < 3; ++i) {
        const QString s = QStringLiteral("In") + ChannelSuffix(i);
        const QString g = QStringLiteral("rzgFftGeq") + s;
        t.Add(Kind::GroupBox, g, fft, 0, 0, 1112, 284, {}, Look::GraphBox).visible = i == 0;
        t.Add(Kind::Label, QStringLiteral("lbFftChGeq") + s, g, 21, 4, 60, 18, s, Look::Head);
        t.Add(Kind::DemoButton, QStringLiteral("vrbEqBypassGeq") + s, g, 776, 2, 79, 20).tag = i;
        t.Add(Kind::DemoButton, QStringLiteral("vrbEqResetGeq") + s, g, 857, 2, 75, 20).tag = i;
        t.Add(Kind::Graph, QStringLiteral("fftDrawGeq") + s, g, 21, 25, 1070, 255).tag = 11 + i;
    }
    for (int i = 0; i < 3; ++i) {
        Item& b = t.Add(Kind::BmpButton, QStringLiteral("rzbGeqSelIn") + ChannelSuffix(i), param, 8 + 62 * i,
                        4, 58, 22, ChannelTitle(i));
        b.tag = i;
        b.group = 1;
    }
    for (int i = 0; i < 3; ++i) {
        const QString s = QStringLiteral("In") + ChannelSuffix(i), g = QStringLiteral("rzgGeq") + s;
        t.Add(Kind::GroupBox, g, param, 0, 30, 1072, 228, {}, Look::Column).visible = i == 0;
        t.Add(Kind::Label, i == 0 ? QStringLiteral("lbGeqinA") : QStringLiteral("lbGeq") + s, g, 8, 2, 60, 16,
              s, Look::Head);
        for (int b = 0; b < 31; ++b) {
            const QString nn = QStringLiteral("%1").arg(b + 1, 2, 10, QChar(u'0'));
            const int x = 22 + 33 * b;
            t.Fader(QStringLiteral("isGeqCh") + nn + s, g, x, 20, 156, 0, 240, 120, b);
            t.Add(Kind::Label, QStringLiteral("lbGeqGainCh") + nn + s, g, x - 2, 178, 34, 14,
                  QStringLiteral("+0.0"), Look::Value);
            t.Add(Kind::Label, QStringLiteral("lbGeqFreqCh") + nn + s, g, x - 2, 194, 34, 14,
                  QString::fromLatin1(freqs[b]), Look::Small);
        }
    }
}

} // namespace

std::vector<Item> FrameTable()
{
    Table t;
    const int W = kDesignWidth - kFrameWidth;
    const int H = kDesignHeight - kFrameHeight;
    t.Add(Kind::Image, QStringLiteral("imLeftUpBase"), {}, 0, 0, 1082, 256);
    t.Add(Kind::Image, QStringLiteral("imRightUpBase"), {}, 1077, 0, W - 1077, 256);
    t.Add(Kind::Image, QStringLiteral("imLeftDownBase"), {}, 0, 256, 1082, H - 256);
    t.Add(Kind::Image, QStringLiteral("imRightDownBase"), {}, 1077, 256, W - 1077, H - 256);

    const QString bar = QStringLiteral("rzgFunction");
    t.Add(Kind::GroupBox, bar, {}, 1, kMenuHeight + 1, 1115, 38, {}, Look::Column);
    // Page buttons: overview pages, inputs with their blocks, outputs with theirs.
    const int order[16] = {kPageGain, kPageMatrix, kPageDelay, 0, 1, 2, kPageGeq,  kPageGate,
                           3,         4,           5,          6, 7, 8, kPageComp, kPageLimit};
    static const char* const captions[16] = {"InA",    "InB",  "InC",   "Out1", "Out2",  "Out3",
                                             "Out4",   "Out5", "Out6",  "Comp", "Delay", "Gain",
                                             "Matrix", "Gate", "Limit", "GEQ"};
    static const char* const names[16] = {"rzbMenuInA",    "rzbMenuInB",  "rzbMenuInC",   "rzbMenuOut1",
                                          "rzbMenuOut2",   "rzbMenuOut3", "rzbMenuOut4",  "rzbMenuOut5",
                                          "rzbMenuOut6",   "rzbMenuComp", "rzbMenuDelay", "rzbMenuGain",
                                          "rzbMenuMatrix", "rzbMenuGate", "rzbMenuLimit", "rzbMenuGeq"};
    int x = 6;
    for (int k = 0; k < 16; ++k) {
        const int page = order[k];
        if (k == 3 || k == 8)
            x += 12;
        Item& b = t.Add(Kind::BmpButton, QString::fromLatin1(names[page]), bar, x, 5, 56, 28,
                        QString::fromLatin1(captions[page]));
        b.tag = page;
        b.group = 1;
        x += 58;
    }
    t.Add(Kind::Label, QStringLiteral("lbDeviceId"), bar, 966, 10, 66, 18, QStringLiteral("ID : 1"),
          Look::Head);
    t.Add(Kind::BmpButton, QStringLiteral("rzbMenuLink"), bar, 1040, 5, 70, 28);

    t.Add(Kind::GroupBox, kMain, {}, 2, kMenuHeight + 41, 1112, 629, {}, Look::Default);

    const QString preset = QStringLiteral("rzgPreset");
    const int presetH = H - 626 - 3;
    const int py = (presetH - 26) / 2; // one row, centred in the bar
    t.Add(Kind::GroupBox, preset, {}, 10, 626, W - 20, presetH, {}, Look::Column);
    t.Add(Kind::Label, QStringLiteral("lPreset"), preset, 12, py + 4, 70, 18, {}, Look::Title);
    t.Add(Kind::Label, QStringLiteral("lbPstNum"), preset, 86, py, 52, 26, QStringLiteral("F00"),
          Look::ChName);
    t.Add(Kind::Label, QStringLiteral("lbPstName"), preset, 142, py, 180, 26, {}, Look::ChName);
    t.Add(Kind::BmpButton, QStringLiteral("bStore"), preset, 340, py, 86, 26);
    t.Add(Kind::BmpButton, QStringLiteral("bRecall"), preset, 432, py, 86, 26);
    t.Add(Kind::Label, QStringLiteral("lbStatus"), preset, 560, py, 120, 26, {}, Look::Title);
    t.Add(Kind::Label, QStringLiteral("lbShowIp"), preset, 690, py + 4, 180, 18, {}, Look::Title);
    t.Add(Kind::Label, QStringLiteral("lAddress"), preset, 880, py + 4, 80, 18, {}, Look::Title);
    t.Add(Kind::Label, QStringLiteral("lbInterface"), preset, 964, py, 110, 26, QStringLiteral("----"),
          Look::ChName);
    return t.items;
}

std::vector<Item> PageTable(int page)
{
    Table t;
    if (page < 9)
        ChannelPage(t, page);
    else if (page == kPageGain)
        GainPage(t);
    else if (page == kPageDelay)
        DelayPage(t);
    else if (page == kPageMatrix)
        MatrixPage(t);
    else if (page == kPageComp || page == kPageLimit)
        DynamicsPage(t, page == kPageComp);
    else if (page == kPageGate)
        GatePage(t);
    else if (page == kPageGeq)
        GeqPage(t);
    return t.items;
}

} // namespace app
