// The live levels: the level poll and the meters and lamps it feeds.
#include "app/main/MainEditing.h"
#include "app/main/MainLayout.h"
#include "app/main/StdControls.h"
#include "app/main/TfmMain.h"

#include "controls/smooth/TrackBar.h"
#include "eq/LProgressBar.h"
#include "proto/Levels.h"
#include "session/LLinkSession.h"

namespace app
{

namespace
{

constexpr int kLevelPollMs = 300;
constexpr int kLimitThresholdTop = 40; // +20.0 dB: the limiter never acts

} // namespace

void TfmMain::ConnectLevelHandlers()
{
    tmInLevelDet.SetInterval(kLevelPollMs);
    tmInLevelDet.SetEnabled(false);
    tmInLevelDet.OnTimer = [this](fw::TTimer*) { tmInLevelDetTimer(); };
}

void TfmMain::SetLevelPoll(bool on)
{
    FLevelPoll = on;
    tmInLevelDet.SetEnabled(on);
    // The poll stops when the link closes and around transfers: no stale levels stay lit.
    if (!on)
        ResetLevelMeters();
}

void TfmMain::tmInLevelDetTimer()
{
    FSession->RequestLevels();
}

void TfmMain::OnLevelReply(std::span<const uint8_t> payload)
{
    const std::optional<proto::LevelReading> r = proto::DecodeLevelReply(payload);
    if (!r)
        return; // a short reply leaves every meter as it was
    // Sets a bar; false (the update ends) when it is missing.
    auto set = [this](const QString& name, int position) {
        auto* m = Get<eq::LProgressBar>(name);
        if (m)
            m->SetPosition(position);
        return m != nullptr;
    };
    for (int c = 0; c < 9; ++c) {
        const bool input = c < 3;
        const float level = r->levels[std::size_t(input ? c : c + 1)];
        const int k = MeterSegments(level, input);
        const QString x = ChannelSuffix(c);
        if (input) {
            for (const char* n : {"pbLevelBackupIn", "pbLevelIn", "pbLevelGateIn"})
                if (!set(QString::fromLatin1(n) + x, k))
                    return;
            if (FGateChannel == c && !set(QStringLiteral("pbLevelGateIn"), k))
                return;
            continue;
        }
        const int n = c - 3;
        for (const char* m : {"pbLevelCompOut", "pbLevelBackupOut", "pbLevelOut"})
            if (!set(QString::fromLatin1(m) + x, k))
                return;
        auto* ratio = Get<TUpDown>(QStringLiteral("udCompRatioOut") + x);
        if (!ratio)
            return;
        const int comp = (r->flags & (1u << n)) && ratio->Position() != 0 ? 1 : 0;
        if (!set(QStringLiteral("pbLimitCompOut") + x, comp))
            return;
        if (FCompChannel == c &&
            (!set(QStringLiteral("pbLimitCompOut"), comp) || !set(QStringLiteral("pbLevelCompOut"), k)))
            return;
        if (!set(QStringLiteral("pbLevelLimitOut") + x, k))
            return;
        auto* threshold = Get<fx::TCustomTrackBar>(QStringLiteral("isLimitThresholdOut") + x);
        if (!threshold)
            return;
        const int limit = (r->flags & (1u << (8 + n))) && threshold->Position() != kLimitThresholdTop ? 1 : 0;
        if (!set(QStringLiteral("pbLimitLimitOut") + x, limit))
            return;
        if (FLimitChannel == c &&
            (!set(QStringLiteral("pbLimitLimitOut"), limit) || !set(QStringLiteral("pbLevelLimitOut"), k)))
            return;
        const int either = comp || limit ? 1 : 0;
        if (!set(QStringLiteral("pbLimitBackupOut") + x, either) ||
            !set(QStringLiteral("pbLimitOut") + x, either))
            return;
    }
}

void TfmMain::ResetLevelMeters()
{
    std::vector<QString> names;
    for (int c = 0; c < 9; ++c) {
        const QString x = ChannelSuffix(c);
        const char* const inputs[] = {"pbLevelIn", "pbLevelBackupIn", "pbLevelGateIn"};
        const char* const outputs[] = {"pbLevelOut", "pbLevelBackupOut", "pbLevelCompOut", "pbLevelLimitOut",
                                       "pbLimitOut", "pbLimitBackupOut", "pbLimitCompOut", "pbLimitLimitOut"};
        if (c < 3)
            for (const char* n : inputs)
                names.push_back(QString::fromLatin1(n) + x);
        else
            for (const char* n : outputs)
                names.push_back(QString::fromLatin1(n) + x);
    }
    for (const char* n :
         {"pbLevelCompOut", "pbLimitCompOut", "pbLevelGateIn", "pbLevelLimitOut", "pbLimitLimitOut"})
        names.push_back(QString::fromLatin1(n));
    for (const QString& n : names) {
        auto* m = Get<eq::LProgressBar>(n);
        if (!m)
            return;
        m->SetPosition(0);
    }
}

} // namespace app
