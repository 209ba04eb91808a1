// TcVCLComponent's transparency over its parent and its colour schemes.
#include "chart/component/Component.h"

#include "framework/Colors.h"
#include "platform/WholeFile.h"

#include <QFileInfo>
#include <QMoveEvent>
#include <QPainter>
#include <algorithm>

namespace chart
{

namespace
{
// Scheme files are small text; anything larger is refused.
constexpr std::size_t MaxSchemeFileSize = 16u << 20;
} // namespace

void TcVCLComponent::SetTransparent(bool Value)
{
    if (Value == FTransparent)
        return;
    FTransparent = Value;
    if (Value) {
        if (!FTransparentBitmap)
            FTransparentBitmap =
                std::make_unique<QImage>(std::max(1, Width()), std::max(1, Height()), QImage::Format_RGB32);
        RequestTransparentCapture();
    } else {
        FTransparentBitmap.reset();
        FNeedsTransparentCapture = false;
    }
    BackGroundChange();
}

void TcVCLComponent::RequestTransparentCapture()
{
    if (!FTransparent || FNeedsTransparentCapture)
        return;
    FNeedsTransparentCapture = true;
    BackGroundChange();
}

void TcVCLComponent::RepaintAll()
{
    TcComponent::RepaintAll();
    RequestTransparentCapture();
}

void TcVCLComponent::moveEvent(QMoveEvent* e)
{
    TcComponent::moveEvent(e);
    RequestTransparentCapture();
}

void TcVCLComponent::CaptureParentBackground()
{
    if (!FNeedsTransparentCapture || !FTransparentBitmap)
        return;
    QWidget* parent = parentWidget();
    if (!parent || Width() <= 0 || Height() <= 0) {
        FTransparentBitmap->fill(fw::ToQColor(BackGroundColor()));
        return;
    }
    // The parent's own picture under the control (its window background and its paint, without
    // its other children); nothing is read back from the screen.
    *FTransparentBitmap = QImage(Width(), Height(), QImage::Format_RGB32);
    FTransparentBitmap->fill(parent->palette().color(parent->backgroundRole()));
    parent->render(FTransparentBitmap.get(), QPoint(), QRegion(geometry()), QWidget::DrawWindowBackground);
    FNeedsTransparentCapture = false;
}

void TcVCLComponent::DrawBackGround(TCanvas& Canvas, TColor Color)
{
    if (!FTransparent) {
        TcComponent::DrawBackGround(Canvas, Color);
        return;
    }
    CaptureParentBackground();
    Canvas.Draw(0, 0, *FTransparentBitmap);
}

bool TcVCLComponent::LoadThemes(QString* Error)
{
    ClearThemes();
    const TcThemePaths paths = GetThemePaths();
    const struct {
        QString path;
        bool user;
    } files[] = {{paths.Library + SchemeClassName() + QStringLiteral(".xml"), false},
                 {paths.User + SchemeClassName() + QStringLiteral("User.xml"), true}};
    for (const auto& f : files) {
        if (!QFileInfo(f.path).isFile())
            continue;
        std::vector<std::uint8_t> bytes;
        const std::string failure = platform::ReadFileLimited(f.path.toStdString(), MaxSchemeFileSize, bytes);
        if (!failure.empty()) {
            if (Error)
                *Error = QString::fromStdString(failure);
            return false;
        }
        TcXMLMemoryStream stream(
            QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())));
        if (!CatchChartError([&] { FThemes.LoadSchemeFile(stream, f.user); }, Error))
            return false;
    }
    return true;
}

QString TcVCLComponent::GetThemeCategoryName(int CategoryIndex) const
{
    const auto& c = FThemes.Categories();
    return CategoryIndex >= 0 && CategoryIndex < int(c.size()) ? c[std::size_t(CategoryIndex)].Name
                                                               : QString();
}

int TcVCLComponent::GetThemeCategorySchemeCount(int CategoryIndex) const
{
    const auto& c = FThemes.Categories();
    return CategoryIndex >= 0 && CategoryIndex < int(c.size())
               ? int(c[std::size_t(CategoryIndex)].Schemes.size())
               : 0;
}

QString TcVCLComponent::GetThemeCategorySchemeName(int CategoryIndex, int SchemeIndex) const
{
    const TcScheme* s = FThemes.Scheme(CategoryIndex, SchemeIndex);
    return s ? s->Name : QString();
}

bool TcVCLComponent::GetThemeCategorySchemeIsUser(int CategoryIndex, int SchemeIndex) const
{
    const TcScheme* s = FThemes.Scheme(CategoryIndex, SchemeIndex);
    return s && s->User;
}

bool TcVCLComponent::ApplyScheme(int CategoryIndex, int SchemeIndex, QString* Error)
{
    const TcScheme* s = FThemes.Scheme(CategoryIndex, SchemeIndex);
    if (!s) {
        if (Error)
            *Error = QStringLiteral("No scheme %1 in category %2").arg(SchemeIndex).arg(CategoryIndex);
        return false;
    }
    std::vector<std::pair<QString, QString>> lines;
    for (const QString& line : s->Lines) {
        QString path, value;
        SplitSchemeLine(line, path, value);
        if (path.isEmpty())
            continue;
        if (!CheckPropertyByPath(*this, QString(), value, path, Error))
            return false;
        lines.emplace_back(path, value);
    }
    BeginUpdate();
    bool ok = true;
    for (const auto& [path, value] : lines)
        ok = SetPropertyByPath(*this, QString(), value, path, Error) && ok;
    EndUpdate();
    return ok;
}

} // namespace chart
