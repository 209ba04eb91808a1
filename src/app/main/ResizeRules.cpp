#include "app/main/ResizeRules.h"

#include "app/main/MainLayout.h"

namespace app
{

namespace
{

struct Out {
    std::vector<Placement>& v;
    void operator()(const QString& name, Prop p, int value) { v.push_back({name, p, value}); }
};

const char* const kPageBoxes[7] = {"Gain", "Delay", "Comp", "Limit", "Gate", "Geq", "Matrix"};
const char* const kCompScale[9] = {"lbLimit", "lbClip", "lb12",  "lb5",  "lb0",
                                   "lbN5",    "lbN15",  "lbN30", "lbN60"};
const char* const kGateScale[9] = {"lbClip", "lb12",  "lb5",   "lb0",  "lbN5",
                                   "lbN15",  "lbN20", "lbN30", "lbN60"};
const int kPageBase[9] = {22, 45, 68, 91, 115, 138, 161, 184, 208};
const int kOutBase[9] = {35, 58, 81, 105, 128, 151, 175, 198, 222};
const int kGateBase[9] = {36, 59, 82, 105, 129, 152, 175, 198, 222};

QString S(const char* s)
{
    return QString::fromLatin1(s);
}

void Scale(Out& o, const char* const prefixes[9], const int base[9], const QString& group, int dh)
{
    for (int k = 1; k <= 9; ++k)
        o(S(prefixes[k - 1]) + group, Prop::Top, k * dh / 9 + base[k - 1]);
}

void HeightPass(Out& o, int dh)
{
    o(S("rzgMain"), Prop::Height, dh + 629);
    for (const char* p : kPageBoxes)
        o(S("rzgFft") + S(p), Prop::Height, dh + 284);
    for (const char* p : kPageBoxes)
        o(S("rzgParam") + S(p), Prop::Top, dh + 292);
    o(S("fftDrawGainIn"), Prop::Height, dh + 255);
    o(S("fftDrawGainOut"), Prop::Height, dh + 255);
    o(S("plFftDelayIn"), Prop::Height, dh + 234);
    o(S("plFftDelayOut"), Prop::Height, dh + 234);
    for (const char* c : {"ipComp", "ipLimit", "ipGate"})
        o(S(c), Prop::Height, dh + 230);
    for (const char* c : {"plLevelCompOut", "plLevelLimitOut", "plLevelGateIn"})
        o(S(c), Prop::Height, dh + 247);
    for (const char* c : {"pbLevelCompOut", "pbLevelLimitOut"}) {
        o(S(c), Prop::Height, 8 * dh / 9 + 185);
        o(S(c), Prop::Top, dh / 9 + 43);
    }
    o(S("pbLevelGateIn"), Prop::Height, 8 * dh / 9 + 208);
    o(S("pbLevelGateIn"), Prop::Top, dh / 9 + 32);
    o(S("pbLimitCompOut"), Prop::Height, dh / 9 + 22);
    o(S("pbLimitLimitOut"), Prop::Height, dh / 9 + 22);
    // The meter heads under the meters follow the meters' growth.
    for (const char* c : {"lbHeadCompOut", "lbHeadLimitOut", "lbHeadGateIn"})
        o(S(c), Prop::Top, dh + 252);
    o(S("pbMatrix"), Prop::Top, dh / 9 + 42);
    o(S("pbMatrix"), Prop::Height, dh + 206);
    Scale(o, kCompScale, kPageBase, S("CompOut"), dh);
    Scale(o, kCompScale, kPageBase, S("LimitOut"), dh);
    Scale(o, kGateScale, kGateBase, S("GateIn"), dh);

    for (int i = 0; i < 3; ++i) {
        const QString x = ChannelSuffix(i);
        o(S("rzgFftGeqIn") + x, Prop::Height, dh + 284);
        o(S("rzgFftIn") + x, Prop::Height, dh + 284);
        o(S("fftDrawGeqIn") + x, Prop::Height, dh + 255);
        o(S("fftDrawIn") + x, Prop::Height, dh + 255);
        o(S("rzgParamIn") + x, Prop::Top, dh + 292);
        const int q = (dh / 4) * (i + 1);
        o(S("imDelayIn") + x, Prop::Top, q + 64 * i + 38);
        o(S("lbDelayLineIn") + x, Prop::Top, q + 64 * i + 28);
        o(S("lbDelayShowIn") + x, Prop::Top, q + 64 * i + 44);
        o(S("plMatrixIn") + x, Prop::Top, q + 75 * i + 50);
        o(S("plLevelGateIn") + x, Prop::Height, dh + 247);
        o(S("pbLevelGateIn") + x, Prop::Height, 8 * dh / 9 + 208);
        o(S("pbLevelGateIn") + x, Prop::Top, dh / 9 + 32);
        Scale(o, kGateScale, kGateBase, S("GateIn") + x, dh);
    }
    for (int n = 1; n <= 6; ++n) {
        const QString x = QString::number(n);
        o(S("rzgFftOut") + x, Prop::Height, dh + 284);
        o(S("fftDrawOut") + x, Prop::Height, dh + 255);
        o(S("rzgParamOut") + x, Prop::Top, dh + 292);
        const int row = (dh / 7) * n + 36 * (n - 1);
        o(S("imDelayOut") + x, Prop::Top, row + 8);
        o(S("lbDelayLineOut") + x, Prop::Top, row + 8);
        o(S("lbDelayShowOut") + x, Prop::Top, row + 14);
        for (const char* k : {"Comp", "Limit"}) {
            const QString g = S(k) + S("Out") + x;
            o(S("plLevel") + g, Prop::Height, dh + 247);
            o(S("pbLevel") + g, Prop::Height, 8 * dh / 9 + 185);
            o(S("pbLevel") + g, Prop::Top, dh / 9 + 55);
            o(S("pbLimit") + g, Prop::Height, dh / 9 + 22);
            Scale(o, kCompScale, kOutBase, g, dh);
        }
        o(S("plMatrixOut") + x, Prop::Top, (dh / 7) * n + 40 * (n - 1) + 30);
    }
    o(S("imLeftUpBase"), Prop::Height, dh + 256);
    o(S("imRightUpBase"), Prop::Height, dh + 256);
    o(S("imLeftDownBase"), Prop::Top, dh + 256);
    o(S("imRightDownBase"), Prop::Top, dh + 256);
    o(S("rzgPreset"), Prop::Top, dh + 626);
}

void WidthInputs(Out& o, int dw);
void WidthOutputs(Out& o, int dw);

void WidthPass(Out& o, int dw)
{
    const int a = dw / 3;
    o(S("rzbMenuLink"), Prop::Left, dw + 1040);
    o(S("rzgFunction"), Prop::Width, dw + 1115);
    o(S("rzgMain"), Prop::Width, dw + 1112);
    for (const char* p : kPageBoxes)
        o(S("rzgFft") + S(p), Prop::Width, dw + 1112);
    for (const char* p : kPageBoxes)
        o(S("rzgParam") + S(p), Prop::Left, dw / 2 + 20);
    o(S("fftDrawGainIn"), Prop::Width, dw / 2 + 530);
    o(S("fftDrawGainOut"), Prop::Width, dw / 2 + 530);
    o(S("fftDrawGainOut"), Prop::Left, dw / 2 + 550);
    o(S("rzgFftShowChIn"), Prop::Left, dw / 2 + 260);
    o(S("rzgFftShowChOut"), Prop::Left, dw + 720);
    o(S("lbFftGainOut"), Prop::Left, dw / 2 + 600);
    o(S("plFftDelayIn"), Prop::Width, dw / 2 + 520);
    o(S("lbFftDelayIn"), Prop::Width, dw / 2 + 520);
    for (const char* c : {"plFftDelayOut", "lbFftDelayOut"}) {
        o(S(c), Prop::Width, dw / 2 + 520);
        o(S(c), Prop::Left, dw / 2 + 560);
    }
    o(S("ipComp"), Prop::Width, dw + 620);
    o(S("lbCompName"), Prop::Width, dw + 538);
    o(S("ipLimit"), Prop::Width, dw + 620);
    o(S("lbLimitName"), Prop::Width, dw + 620);
    o(S("ipGate"), Prop::Width, dw + 855);
    o(S("lbGateName"), Prop::Width, dw + 800);
    // The selected channel's meter and the heads stay beside the transfer charts, which grow by dw.
    o(S("plLevelCompOut"), Prop::Left, dw + 634);
    o(S("plLevelLimitOut"), Prop::Left, dw + 634);
    o(S("lbHeadCompOut"), Prop::Left, dw + 636);
    o(S("lbHeadLimitOut"), Prop::Left, dw + 636);
    o(S("plLevelGateIn"), Prop::Left, dw + 868);
    o(S("lbHeadGateIn"), Prop::Left, dw + 870);
    o(S("lbMatrixOutputs"), Prop::Left, 2 * dw / 3 + 561);
    o(S("pbMatrix"), Prop::Left, a + 465);
    o(S("pbMatrix"), Prop::Width, a + 97);
    WidthInputs(o, dw);
    WidthOutputs(o, dw);
    o(S("imRightUpBase"), Prop::Left, dw + 1077);
    o(S("imRightDownBase"), Prop::Left, dw + 1077);
    o(S("imLeftUpBase"), Prop::Width, dw + 1082);
    o(S("imLeftDownBase"), Prop::Width, dw + 1082);
    o(S("rzgPreset"), Prop::Left, dw / 2 + 10);
}

void WidthInputs(Out& o, int dw)
{
    const int a = dw / 3;
    static const char* const inCols[7] = {"Name", "Gain", "Gate", "Geq", "Peq", "HpLp", "Delay"};
    static const int inLeft[7] = {0, 77, 134, 191, 248, 305, 362};
    for (int i = 0; i < 3; ++i) {
        const QString x = ChannelSuffix(i);
        o(S("rzgFftGeqIn") + x, Prop::Width, dw + 1112);
        o(S("rzgFftIn") + x, Prop::Width, dw + 1112);
        o(S("fftDrawGeqIn") + x, Prop::Width, dw + 1070);
        o(S("fftDrawIn") + x, Prop::Width, dw + 1070);
        o(S("vrbEqBypassGeqIn") + x, Prop::Left, dw + 776);
        o(S("vrbEqBypassIn") + x, Prop::Left, dw + 776);
        o(S("vrbEqResetGeqIn") + x, Prop::Left, dw + 857);
        o(S("vrbEqResetIn") + x, Prop::Left, dw + 857);
        o(S("vrbEqShowAllIn") + x, Prop::Left, dw + 934);
        o(S("rzgFftShowChIn") + x, Prop::Left, dw / 2 + 500);
        o(S("rzgParamIn") + x, Prop::Left, dw / 2 + 20);
        o(S("lbDelayLineIn") + x, Prop::Width, dw / 2 + 475);
        o(S("plLevelGateIn") + x, Prop::Left, dw + 926 + 53 * i);
        o(S("plMatrixIn") + x, Prop::Width, a + 415);
        for (int j = 1; j <= 7; ++j) {
            const QString c = S(inCols[j - 1]) + S("In") + x;
            const int left = j * a / 8 + inLeft[j - 1];
            o(S("lbMatrix") + c, Prop::Left, left);
            if (j == 1) {
                o(S("lbMatrixChNameIn") + x, Prop::Left, left);
                o(S("lbMatrix") + c, Prop::Width, a / 7 + 70);
                o(S("lbMatrixChNameIn") + x, Prop::Width, a / 7 + 70);
                o(S("spMatrix") + c, Prop::Left, left);
                o(S("spMatrix") + c, Prop::Width, a / 7 + 58);
            } else {
                o(S("lbMatrix") + c, Prop::Width, a / 7 + 50);
                o(S("spMatrix") + c, Prop::Left, left);
                o(S("spMatrix") + c, Prop::Width, a / 7 + 50);
            }
        }
    }
}

void WidthOutputs(Out& o, int dw)
{
    const int a = dw / 3;
    static const char* const outCols[7] = {"Xover", "Peq", "Gain", "Comp", "Phase", "Delay", "Mute"};
    static const int outLeft[7] = {2, 61, 121, 180, 240, 298, 359};
    for (int n = 1; n <= 6; ++n) {
        const QString x = QString::number(n);
        o(S("rzgFftOut") + x, Prop::Width, dw + 1112);
        o(S("rzgFftShowChOut") + x, Prop::Left, dw / 2 + 460);
        o(S("fftDrawOut") + x, Prop::Width, dw + 1070);
        o(S("vrbEqBypassOut") + x, Prop::Left, dw + 776);
        o(S("vrbEqResetOut") + x, Prop::Left, dw + 857);
        o(S("vrbEqShowAllOut") + x, Prop::Left, dw + 934);
        o(S("rzgParamOut") + x, Prop::Left, dw / 2 + 20);
        o(S("lbDelayLineOut") + x, Prop::Width, dw / 2 + 475);
        o(S("plLevelCompOut") + x, Prop::Left, dw + 700 + 64 * (n - 1));
        o(S("plLevelLimitOut") + x, Prop::Left, dw + 700 + 64 * (n - 1));
        o(S("plMatrixOut") + x, Prop::Left, 2 * dw / 3 + 561);
        o(S("plMatrixOut") + x, Prop::Width, a + 510);
        for (int j = 0; j < 7; ++j) {
            const QString c = S(outCols[j]) + S("Out") + x;
            const int left = j * a / 9 + outLeft[j];
            o(S("lbMatrix") + c, Prop::Left, left);
            o(S("lbMatrix") + c, Prop::Width, a / 8 + 50);
            o(S("spMatrix") + c, Prop::Left, left);
            o(S("spMatrix") + c, Prop::Width, a / 8 + 50);
        }
        o(S("lbMatrixNameOut") + x, Prop::Left, 7 * a / 9 + 418);
        o(S("lbMatrixChNameOut") + x, Prop::Left, 7 * a / 9 + 419);
        o(S("spMatrixNameOut") + x, Prop::Left, 7 * a / 9 + 416);
        o(S("lbMatrixNameOut") + x, Prop::Width, a / 8 + 80);
        o(S("lbMatrixChNameOut") + x, Prop::Width, a / 8 + 80);
        o(S("spMatrixNameOut") + x, Prop::Width, a / 8 + 58);
    }
}

} // namespace

ResizePlan ResizeRules(int outerWidth, int outerHeight)
{
    ResizePlan plan;
    plan.autoScroll = outerWidth < kDesignWidth || outerHeight < kDesignHeight;
    Out o{plan.placements};
    if (outerHeight >= kDesignHeight) {
        plan.heightPass = true;
        plan.extraHeight = outerHeight - kDesignHeight;
        HeightPass(o, plan.extraHeight);
    }
    if (outerWidth >= kDesignWidth) {
        plan.widthPass = true;
        WidthPass(o, outerWidth - kDesignWidth);
    }
    return plan;
}

int DelayMarkerLeft(int position, int lineWidth, int sliderMax)
{
    if (sliderMax <= 0)
        return 40;
    return int((long long)position * (lineWidth - 90) / sliderMax) + 40;
}

} // namespace app
