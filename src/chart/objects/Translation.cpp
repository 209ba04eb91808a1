#include "chart/objects/Translation.h"

#include <QFile>
#include <QSaveFile>
#include <QTextStream>

namespace chart
{

const TPropertyTable& TcPlotTranslationObject::PropertyTable() const
{
    static const TPropertyTable table = [] {
        TPropertyTable t;
        using T = TcPlotTranslationObject;
        t.String("OriginalString", &T::OriginalString, &T::SetOriginalString, QStringLiteral("Unknown"));
        t.String("ReplacementString", &T::ReplacementString, &T::SetReplacementString,
                 QStringLiteral("Unknown"));
        return t;
    }();
    return table;
}

TcPlotTranslationManager::TcPlotTranslationManager(TcObjectHandler OnRemove, TcObjectHandler OnInsert)
    : FOnRemove(std::move(OnRemove)), FOnInsert(std::move(OnInsert))
{
    if (!FOnInsert)
        throw EChartError(QStringLiteral("OnInsert event handler can not be null"));
    if (!FOnRemove)
        throw EChartError(QStringLiteral("OnRemove event handler can not be null"));
}

TcPlotTranslationManager::~TcPlotTranslationManager()
{
    for (int i = 0; i < FList.Count(); ++i)
        delete FList.Item(i);
}

void TcPlotTranslationManager::Dispose()
{
    Clear();
    if (FOnRemove)
        FOnRemove(this);
    FOnRemove = nullptr;
}

TcPlotTranslationObject* TcPlotTranslationManager::CreateObject()
{
    auto* o = new TcPlotTranslationObject;
    FOnInsert(o);
    if (!FList.Contains(o))
        FList.Add(QString(), o);
    return o;
}

void TcPlotTranslationManager::NotificationInsert(TcPersistent* Sender)
{
    auto* o = dynamic_cast<TcPlotTranslationObject*>(Sender);
    if (o && !FList.Contains(o))
        FList.Add(QString(), o);
}

void TcPlotTranslationManager::NotificationRemove(TcPersistent* Sender)
{
    if (auto* o = dynamic_cast<TcPlotTranslationObject*>(Sender))
        FList.Remove(o);
}

int TcPlotTranslationManager::Add()
{
    TcPlotTranslationObject* o = CreateObject();
    for (int i = 0; i < FList.Count(); ++i)
        if (FList.Item(i) == o)
            return i;
    return -1;
}

TcPlotTranslationObject* TcPlotTranslationManager::Item(int Index) const
{
    if (Index < 0 || Index >= FList.Count())
        throw EChartError(QStringLiteral("List index out of bounds (%1)").arg(Index));
    return FList.Item(Index);
}

void TcPlotTranslationManager::Delete(int Index)
{
    TcPlotTranslationObject* o = Item(Index);
    if (FOnRemove)
        FOnRemove(o);
    FList.Remove(o);
    delete o;
}

void TcPlotTranslationManager::Clear()
{
    while (FList.Count() > 0)
        Delete(0);
}

QString TcPlotTranslationManager::FindReplacement(const QString& OriginalString) const
{
    for (int i = 0; i < FList.Count(); ++i)
        if (FList.Item(i)->OriginalString() == OriginalString)
            return FList.Item(i)->ReplacementString();
    return OriginalString;
}

void TcPlotTranslationManager::SaveToFile(const QString& FileName) const
{
    QSaveFile f(FileName);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Text))
        throw EChartError(QStringLiteral("Error Saving Translation Data - ") + f.errorString());
    QTextStream out(&f);
    for (int i = 0; i < FList.Count(); ++i)
        out << FList.Item(i)->OriginalString() << '\t' << FList.Item(i)->ReplacementString() << '\n';
    out.flush();
    if (!f.commit())
        throw EChartError(QStringLiteral("Error Saving Translation Data - ") + f.errorString());
}

void TcPlotTranslationManager::LoadFromFile(const QString& FileName)
{
    QFile f(FileName);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        throw EChartError(QStringLiteral("Error Loading Data - ") + f.errorString());
    QTextStream in(&f);
    QStringList lines;
    while (!in.atEnd())
        lines << in.readLine();
    Clear();
    for (const QString& line : lines) {
        const int tab = line.indexOf(QLatin1Char('\t'));
        if (tab < 0)
            throw EChartError(
                QStringLiteral("Error Loading Data - Invalid Format - Tab Deliminator Missing"));
        TcPlotTranslationObject* o = CreateObject();
        o->SetOriginalString(line.left(tab));
        o->SetReplacementString(line.mid(tab + 1));
    }
}

} // namespace chart
