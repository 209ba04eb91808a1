// Gallery pages of the band editor (9 rows, a row selected, a refused entry restored) and of the
// level meters (input, output and lamp at several levels).
#include "Gallery.h"

#include "base/ValueScales.h"
#include "eq/LProgressBar.h"
#include "eq/TMyPEQ.h"
#include "eq/TMyPEQGain.h"
#include "eq/TMyPEQType8.h"

#include <QPalette>

using namespace eq;

namespace
{

std::unique_ptr<QWidget> DarkPage(int w, int h)
{
    auto page = std::make_unique<QWidget>();
    page->resize(w, h);
    QPalette pal = page->palette();
    pal.setColor(QPalette::Window, QColor(0x2B, 0x2B, 0x2B));
    pal.setColor(QPalette::WindowText, QColor(0xD0, 0xD0, 0xD0)); // captions readable on the dark page
    page->setPalette(pal);
    return page;
}

const gallery::GalleryPage editor(QStringLiteral("bandeditor-9rows"), [] {
    auto page = DarkPage(540, 320);
    auto* peq = new TMyPEQType8(page.get());
    peq->SetBounds(10, 10, 520, 300);
    peq->SetChannelNumber(9);
    peq->SetLabelColor(fw::clBlack);
    peq->OnChange = [](fw::TControl*) {}; // the host's handler: bypassed rows show light red
    peq->SetEditBackColor(fw::clWhite);
    peq->SetBypassBackColor(fw::clSilver);
    peq->SetTitleVisable(true);
    const double f[9] = {45, 120, 350, 900, 2200, 4700, 9000, 14000, 1000};
    const double g[9] = {4, -3.5, 2.5, -6, 3, -4, 5, 0, 0};
    const int q[9] = {22, 28, 20, 35, 26, 40, 10, 10, 10};
    const int t[9] = {PeqTypeLowShelf, 0, 0, 0, 0, 0, PeqTypeHighShelf, PeqTypeLp12, PeqTypeAllpass2};
    for (int i = 0; i < 9; ++i)
        peq->SetEqParamValue(i, f[i], q[i], g[i], t[i], i == 5);
    peq->SetNowIndex(3);
    // A refused entry: the text comes back from the stored value.
    peq->GainEdit(4)->setText(QStringLiteral("--3"));
    peq->GainEntered(4);
    peq->SetNowIndex(3);
    return page;
});

// The sibling tables as a host would set them up: a few bands set, one bypassed, spinners shown.
template <class Table> void FillSibling(Table* peq, int rows)
{
    peq->SetChannelNumber(rows);
    peq->SetLabelColor(fw::clBlack);
    peq->OnChange = [](fw::TControl*) {};
    peq->SetEditBackColor(fw::clWhite);
    peq->SetBypassBackColor(fw::clSilver);
    peq->SetTitleVisable(true);
    peq->SetUpdownVisable(true);
    const float f[6] = {60, 250, 1000, 3300, 8000, 16000};
    const float g[6] = {3.5f, -2.5f, 1.25f, -6, 4, 0};
    const int t[6] = {1, 0, 0, 0, 2, 4};
    for (int i = 0; i < rows; ++i)
        peq->SetEqParamValue(i, f[i % 6], float(15 + 5 * i), g[i % 6], t[i % 6], i == 3);
    peq->SetNowIndex(1);
}

const gallery::GalleryPage fiveType(QStringLiteral("bandeditor-fivetype"), [] {
    auto page = DarkPage(560, 260);
    auto* peq = new TMyPEQGain(page.get());
    peq->SetBounds(10, 10, 540, 240);
    FillSibling(peq, 6);
    return page;
});

const gallery::GalleryPage fifteen(QStringLiteral("bandeditor-fifteen"), [] {
    auto page = DarkPage(560, 520);
    auto* peq = new TMyPEQHpLp(page.get());
    peq->SetBounds(10, 10, 540, 500);
    FillSibling(peq, 15);
    // A refused entry: the text comes back from the stored value.
    peq->GainEdit(5)->setText(QStringLiteral("3."));
    peq->GainEntered(5);
    return page;
});

const gallery::GalleryPage plain(QStringLiteral("bandeditor-plain"), [] {
    auto page = std::make_unique<QWidget>();
    page->resize(640, 300);
    auto* peq = new TMyPEQ(page.get());
    peq->setGeometry(10, 10, 620, 280);
    peq->SetChannelNumber(8);
    const float f[8] = {40, 120, 400, 1000, 2500, 6000, 12000, 18000};
    for (int i = 0; i < 8; ++i) {
        peq->SetFreqValue(i, f[i]);
        peq->SetQValue(i, float(10 + 8 * i));
        peq->SetGainValue(i, 1.5f * float(i - 4));
        peq->SetTypeValue(i, i % 3);
    }
    peq->SetBypassValue(2, true);
    peq->SetColor(5, fw::clBlue);
    return page;
});

const gallery::GalleryPage meters(QStringLiteral("meters-levels"), [] {
    auto page = DarkPage(420, 170);
    const int levels[5] = {0, 3, 6, 8, 9};
    for (int k = 0; k < 5; ++k) {
        auto* in = new LProgressBar(page.get());
        ConfigureInputMeter(*in);
        in->SetBounds(14 + 22 * k, 20, 14, 132);
        in->SetPosition(levels[k]);
        auto* out = new LProgressBar(page.get());
        ConfigureOutputMeter(*out);
        out->SetBounds(150 + 22 * k, 20, 14, 132);
        out->SetPosition(std::min(levels[k], 8));
    }
    for (int k = 0; k < 2; ++k) {
        auto* lamp = new LProgressBar(page.get());
        ConfigureLamp(*lamp);
        lamp->SetBounds(290 + 30 * k, 20, 14, 14);
        lamp->SetPosition(k);
    }
    gallery::Caption(page.get(), 14, 4, QStringLiteral("input 0 3 6 8 9"));
    gallery::Caption(page.get(), 150, 4, QStringLiteral("output 0 3 6 8 8"));
    gallery::Caption(page.get(), 290, 4, QStringLiteral("lamps off/on"));
    return page;
});

} // namespace
