// A chart's text replacements: pairs of an original text and its replacement, newest first;
// lookup is exact and case-sensitive. Saved to and loaded from a tab-separated file. The
// manager owns its translation objects. UI thread only.
#pragma once

#include "chart/objects/ObjectManagers.h"

namespace chart
{

class TcPlotTranslationObject : public TcPersistent
{
  public:
    const QString& OriginalString() const { return FOriginalString; }
    void SetOriginalString(const QString& v) { FOriginalString = v; }
    const QString& ReplacementString() const { return FReplacementString; }
    void SetReplacementString(const QString& v) { FReplacementString = v; }
    const TPropertyTable& PropertyTable() const override;

  private:
    QString FOriginalString = QStringLiteral("Unknown");
    QString FReplacementString = QStringLiteral("Unknown");
};

class TcPlotTranslationManager : public TcPersistent
{
  public:
    TcPlotTranslationManager(TcObjectHandler OnRemove, TcObjectHandler OnInsert);
    ~TcPlotTranslationManager() override;
    void Announce() { FOnInsert(this); }
    void Dispose();

    // A new translation object, announced through the insert handler (which files it first).
    TcPlotTranslationObject* CreateObject();
    void NotificationInsert(TcPersistent* Sender);
    void NotificationRemove(TcPersistent* Sender);
    int Add();
    void Delete(int Index);
    void Clear();
    int Count() const { return FList.Count(); }
    TcPlotTranslationObject* Item(int Index) const;
    QString FindReplacement(const QString& OriginalString) const;
    bool DoWriteToStream() const { return Count() > 0; }
    // The pairs as a collection, as the object managers stream theirs.
    void WriteToStream(TcWriter& Writer);
    void ReadFromStream(TcReader& Reader);
    // The pairs as lines "original<TAB>replacement", written whole or not at all.
    bool SaveToFile(const QString& FileName, QString* Error = nullptr) const;
    // Replaces the pairs with the file's; a file that cannot be read or holds a line without a tab
    // is refused with its text and leaves the pairs as they were.
    bool LoadFromFile(const QString& FileName, QString* Error = nullptr);
    // The largest translation file read.
    static constexpr std::size_t MaxFileSize = 16 * 1024 * 1024;

  private:
    TcSortedKeyList<TcPlotTranslationObject*> FList;
    TcObjectHandler FOnRemove;
    TcObjectHandler FOnInsert;
};

} // namespace chart
