#include "chart/editor/EditorDialogs.h"

#include "chart/component/ChartDraw.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>

namespace chart
{

namespace
{

class TcQtDialogService : public TcDialogService
{
  public:
    bool PickColor(QWidget* Owner, TColor& Color) override
    {
        QColorDialog dlg(fw::ToQColor(Color), Owner);
        for (int i = 0; i < QColorDialog::customCount(); ++i)
            QColorDialog::setCustomColor(i, Qt::white);
        if (dlg.exec() != QDialog::Accepted)
            return false;
        const QColor c = dlg.selectedColor();
        Color = TColor(c.red() | (c.green() << 8) | (c.blue() << 16));
        return true;
    }
    bool PickFont(QWidget* Owner, fw::TFont& Font) override
    {
        bool ok = false;
        const QFont chosen = QFontDialog::getFont(&ok, Font.ToQFont(), Owner);
        if (!ok)
            return false;
        fw::TFont f;
        f.Assign(Font);
        f.SetName(chosen.family());
        f.SetSize(chosen.pointSize() > 0 ? chosen.pointSize() : Font.Size());
        fw::TFontStyles s = 0;
        if (chosen.weight() > QFont::Normal)
            s |= fw::fsBold;
        if (chosen.italic())
            s |= fw::fsItalic;
        if (chosen.underline())
            s |= fw::fsUnderline;
        if (chosen.strikeOut())
            s |= fw::fsStrikeOut;
        f.SetStyle(s);
        Font.Assign(f);
        return true;
    }
    bool PickOpenFile(QWidget* Owner, const TcFileDialogRequest& Request, TcFileDialogAnswer& Answer) override
    {
        QFileDialog dlg(Owner);
        Prepare(dlg, Request);
        dlg.setAcceptMode(QFileDialog::AcceptOpen);
        dlg.setFileMode(Request.AllowMultiSelect ? QFileDialog::ExistingFiles
                        : Request.FileMustExist  ? QFileDialog::ExistingFile
                                                 : QFileDialog::AnyFile);
        return Run(dlg, Answer);
    }
    bool PickSaveFile(QWidget* Owner, const TcFileDialogRequest& Request, TcFileDialogAnswer& Answer) override
    {
        QFileDialog dlg(Owner);
        Prepare(dlg, Request);
        dlg.setAcceptMode(QFileDialog::AcceptSave);
        dlg.setFileMode(QFileDialog::AnyFile);
        return Run(dlg, Answer);
    }

  private:
    static void Prepare(QFileDialog& dlg, const TcFileDialogRequest& r)
    {
        dlg.setDirectory(r.InitialDir);
        const QStringList filters = QtNameFilters(r.Filter);
        dlg.setNameFilters(filters);
        if (r.FilterIndex >= 1 && r.FilterIndex <= filters.size())
            dlg.selectNameFilter(filters[r.FilterIndex - 1]);
        dlg.setDefaultSuffix(r.DefaultExt.startsWith(QLatin1Char('.')) ? r.DefaultExt.mid(1) : r.DefaultExt);
        if (!r.FileName.isEmpty())
            dlg.selectFile(r.FileName);
    }
    static bool Run(QFileDialog& dlg, TcFileDialogAnswer& Answer)
    {
        if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
            return false;
        Answer.Files = dlg.selectedFiles();
        Answer.FilterIndex = int(dlg.nameFilters().indexOf(dlg.selectedNameFilter())) + 1;
        if (Answer.FilterIndex < 1)
            Answer.FilterIndex = 1;
        return true;
    }
};

TcDialogService* gService = nullptr;

QWidget* DialogOwner(const QObject* Component)
{
    return Component ? GetOwnerForm(Component) : nullptr;
}

} // namespace

TcDialogService& DialogService()
{
    static TcQtDialogService qt;
    return gService ? *gService : qt;
}

void SetDialogService(TcDialogService* Service)
{
    gService = Service;
}

QStringList FilterPatterns(const QString& Filter)
{
    QStringList out;
    for (const QString& part : Filter.split(QLatin1Char('|')))
        if (part.startsWith(QLatin1Char('*')))
            out << part;
    return out;
}

QStringList QtNameFilters(const QString& Filter)
{
    QStringList out;
    const QStringList parts = Filter.split(QLatin1Char('|'));
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString pats = parts[i + 1];
        pats.replace(QLatin1Char(';'), QLatin1Char(' '));
        out << QStringLiteral("%1 (%2)").arg(parts[i], pats);
    }
    return out;
}

QString SaveReturnExt(const QString& Filter, int FilterIndex)
{
    const QStringList pats = FilterPatterns(Filter);
    if (FilterIndex < 1 || FilterIndex > pats.size())
        return {};
    // A filter entry of several patterns gives the first one's extension.
    const QString first = pats[FilterIndex - 1].section(QLatin1Char(';'), 0, 0).trimmed();
    return first.mid(1);
}

QString AppendReturnExt(const QString& FileName, const QString& Filter, int FilterIndex)
{
    const QString ext = SaveReturnExt(Filter, FilterIndex);
    if (ext.isEmpty() || ext == QLatin1String(".*"))
        return FileName;
    const QString suffix = QFileInfo(FileName).suffix();
    if (!suffix.isEmpty()) {
        const QString mine = QStringLiteral("*.") + suffix;
        const QStringList chosen = FilterPatterns(Filter)[FilterIndex - 1].split(QLatin1Char(';'));
        for (const QString& p : chosen)
            if (p.trimmed().compare(mine, Qt::CaseInsensitive) == 0)
                return FileName;
    }
    return FileName + ext;
}

bool TcColorDialog::Execute()
{
    QWidget* owner = DialogOwner(this);
    if (!owner)
        return false;
    TColor c = FColor;
    if (!DialogService().PickColor(owner, c))
        return false;
    FColor = c;
    return true;
}

bool TcFontDialog::Execute()
{
    QWidget* owner = DialogOwner(this);
    if (!owner)
        return false;
    fw::TFont f;
    f.Assign(FFont);
    if (!DialogService().PickFont(owner, f))
        return false;
    FFont.Assign(f);
    return true;
}

namespace
{
TcFileDialogRequest FileRequest(const TcFileChoice& Choice)
{
    TcFileDialogRequest r;
    r.FileName = Choice.FileName.left(260);
    r.Filter = Choice.Filter;
    r.DefaultExt = Choice.DefaultExt;
    r.InitialDir = Choice.DefaultDir.isEmpty() ? QStringLiteral(".") : Choice.DefaultDir;
    return r;
}
} // namespace

bool TcOpenDialog::Execute()
{
    FFiles.clear();
    QWidget* owner = DialogOwner(this);
    if (!owner)
        return false;
    TcFileDialogRequest r = FileRequest(*this);
    r.FileMustExist = FileMustExist;
    r.AllowMultiSelect = AllowMultiSelect;
    TcFileDialogAnswer a;
    if (!DialogService().PickOpenFile(owner, r, a) || a.Files.isEmpty())
        return false;
    FFiles = AllowMultiSelect ? a.Files : a.Files.mid(0, 1);
    FileName = FFiles.first();
    return true;
}

bool TcSaveDialog::Execute()
{
    QWidget* owner = DialogOwner(this);
    if (!owner)
        return false;
    TcFileDialogRequest r = FileRequest(*this);
    r.FilterIndex = FilterIndex;
    r.OverwritePrompt = true;
    TcFileDialogAnswer a;
    if (!DialogService().PickSaveFile(owner, r, a) || a.Files.isEmpty())
        return false;
    FilterIndex = a.FilterIndex;
    FReturnExt = SaveReturnExt(Filter, FilterIndex);
    FileName = AppendReturnExt(a.Files.first(), Filter, FilterIndex);
    return true;
}

} // namespace chart
