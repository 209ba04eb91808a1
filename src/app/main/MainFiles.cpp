// TfmMain: the File menu's preset file (Open, Save), unit file (Upload, Download), factory default
// and the file dialogs. A save asks before it replaces a file, naming the file that will be written.
#include "app/main/MainControls.h"
#include "app/main/MainSessionView.h"
#include "app/main/TfmMain.h"
#include "app/pages/PeqPage.h"
#include "base/FlagScope.h"

#include "app/dialogs/SmallDialogs.h"
#include "curves/Plot.h"
#include "graph/LMyFFTDrawHpLp6dB.h"
#include "model/LUnitFile.h"
#include "model/PresetFile.h"
#include "session/LLinkSession.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

#include <filesystem>

namespace app
{

namespace
{
const QString kPresetFilter = QStringLiteral("*.prs");
const QString kUnitFilter = QStringLiteral("*.unt");

std::string Choose(TfmMain* main, bool save, const QString& filter, const QString& caption)
{
    if (main->Files.Choose)
        return main->Files.Choose(save, filter, caption);
    // The overwrite question comes later, about the name with its extension.
    const QString name = save ? QFileDialog::getSaveFileName(main, caption, QString(), filter, nullptr,
                                                             QFileDialog::DontConfirmOverwrite)
                              : QFileDialog::getOpenFileName(main, caption, QString(), filter);
    return name.toLocal8Bit().toStdString();
}

// The name a save writes: the chosen one, normalised, once a file of that name may be replaced.
std::string ChooseSaveName(TfmMain* main, const QString& filter, const QString& caption,
                           std::string (*normalise)(const std::string&))
{
    const std::string chosen = Choose(main, true, filter, caption);
    if (chosen.empty())
        return {};
    const std::string path = normalise(chosen);
    std::error_code ec;
    if (!std::filesystem::exists(path, ec))
        return path;
    const bool replace =
        main->Files.ConfirmOverwrite
            ? main->Files.ConfirmOverwrite(path)
            : QMessageBox::question(main, caption,
                                    QStringLiteral("%1 already exists.\nDo you want to replace it?")
                                        .arg(QString::fromLocal8Bit(path.c_str()))) == QMessageBox::Yes;
    return replace ? path : std::string();
}
} // namespace

void TfmMain::SaveClick()
{
    const std::string path =
        ChooseSaveName(this, kPresetFilter, QStringLiteral("Save"), NormalisePresetFileName);
    if (!path.empty()) {
        const FileStatus status = SavePresetFile(*FUnit, path);
        if (!status)
            FView->ShowInformation(status.key);
    }
    QDir::setCurrent(QCoreApplication::applicationDirPath());
}

void TfmMain::OpenClick()
{
    const std::string path = Choose(this, false, kPresetFilter, QStringLiteral("Open"));
    if (path.empty())
        return;
    FPeqPage->DeselectPeqBands();
    {
        FlagScope updating(FUpdating);
        FSession->Machine.OpenPresetFile(path);
    }
    for (int ch = 0; ch < kChannelCount; ++ch)
        FControls->graphs[std::size_t(ch)]->update();
}

void TfmMain::UploadClick()
{
    FSession->Machine.StartUnitUpload();
}

void TfmMain::DownloadClick()
{
    FSession->Machine.StartUnitDownload();
}

void TfmMain::FactoryDefaultClick()
{
    // Offline the machine tells the user to connect first.
    if (FDialogs && FSession->Machine.CanFactoryReset())
        FDialogs->fmFactory->ShowModal();
}

void TfmMain::FactoryReset()
{
    FSession->Machine.FactoryReset();
}

std::string TMainSessionView::ChooseUnitSaveFile()
{
    return ChooseSaveName(&FMain, kUnitFilter, QStringLiteral("Save"), NormaliseUnitFileName);
}

std::string TMainSessionView::ChooseUnitOpenFile()
{
    return Choose(&FMain, false, kUnitFilter, QStringLiteral("Open"));
}

} // namespace app
