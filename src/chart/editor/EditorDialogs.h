// The library's four dialog components (colour, font, open file, save file) over a dialog service:
// the Qt dialogs in the program, a fake in tests. Filters have the form "desc|pattern|desc|pattern".
// A dialog whose component has no window in its owner chain shows nothing and answers false.
// The font dialog of this platform offers no colour: the font keeps the colour it had.
// UI thread only.
#pragma once

#include "framework/Colors.h"
#include "framework/Fonts.h"

#include <QObject>
#include <QString>
#include <QStringList>

namespace chart
{

using fw::TColor;

// What a file dialog is asked to show, and what it answers.
struct TcFileDialogRequest {
    QString FileName;
    QString Filter;
    QString DefaultExt;
    QString InitialDir;
    int FilterIndex = 1;
    bool FileMustExist = false;
    bool AllowMultiSelect = false;
    bool OverwritePrompt = false;
};
struct TcFileDialogAnswer {
    QStringList Files;
    int FilterIndex = 1;
};

class TcDialogService
{
  public:
    virtual ~TcDialogService() = default;
    // Each returns true when the user confirmed; the value arguments then hold the choice.
    virtual bool PickColor(QWidget* Owner, TColor& Color) = 0;
    virtual bool PickFont(QWidget* Owner, fw::TFont& Font) = 0;
    virtual bool PickOpenFile(QWidget* Owner, const TcFileDialogRequest& Request,
                              TcFileDialogAnswer& Answer) = 0;
    virtual bool PickSaveFile(QWidget* Owner, const TcFileDialogRequest& Request,
                              TcFileDialogAnswer& Answer) = 0;
};
// The service in use (the Qt dialogs unless a test installed another; nullptr restores them).
TcDialogService& DialogService();
void SetDialogService(TcDialogService* Service);

// The filter's patterns (the parts that begin with "*"), in order.
QStringList FilterPatterns(const QString& Filter);
// The filter as Qt's dialogs take it: "desc (pat1 pat2)" entries.
QStringList QtNameFilters(const QString& Filter);
// The extension that the chosen filter gives a saved name (".bmp" for "*.bmp"); empty when the
// index names no pattern.
QString SaveReturnExt(const QString& Filter, int FilterIndex);
// FileName with ReturnExt appended unless it is empty or ".*", or the name's extension (letter case
// ignored) already is one of the chosen filter's patterns.
QString AppendReturnExt(const QString& FileName, const QString& Filter, int FilterIndex);

class TcColorDialog : public QObject
{
  public:
    explicit TcColorDialog(QObject* Owner = nullptr) : QObject(Owner) {}
    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { FColor = Value; }
    bool Execute();

  private:
    TColor FColor = fw::clBlack;
};

class TcFontDialog : public QObject
{
  public:
    explicit TcFontDialog(QObject* Owner = nullptr) : QObject(Owner) {}
    fw::TFont& Font() { return FFont; }
    void SetFont(const fw::TFont& Value) { FFont.Assign(Value); }
    bool Execute();

  private:
    fw::TFont FFont;
};

// What the file dialogs and the pickers that open them share: the file, the filter, the extension
// added to a name without one and the folder to start in.
struct TcFileChoice {
    QString FileName;
    QString Filter;
    QString DefaultExt;
    QString DefaultDir;
};

class TcOpenDialog : public QObject, public TcFileChoice
{
  public:
    explicit TcOpenDialog(QObject* Owner = nullptr) : QObject(Owner) {}
    bool FileMustExist = false;
    bool AllowMultiSelect = false;
    const QStringList& Files() const { return FFiles; }
    bool Execute();

  private:
    QStringList FFiles;
};

class TcSaveDialog : public QObject, public TcFileChoice
{
  public:
    explicit TcSaveDialog(QObject* Owner = nullptr) : QObject(Owner) {}
    int FilterIndex = 1;
    const QString& ReturnExt() const { return FReturnExt; }
    bool Execute();

  private:
    QString FReturnExt;
};

} // namespace chart
